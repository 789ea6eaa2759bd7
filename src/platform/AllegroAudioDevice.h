#pragma once

#include <string>
#include <vector>

#include "platform/AudioDevice.h"

struct ALLEGRO_AUDIO_STREAM;
struct ALLEGRO_MIXER;
struct ALLEGRO_VOICE;

// The audio device on Allegro's audio and codec add-ons: one voice, one mixer, one stream per
// handle (decoded from its file while it plays).
//
// Without a sound device (or before Allegro is started) the device is silent and makes no call
// into the audio add-ons at all (they assert on misuse): a file gets a handle when it opens and
// its name ends in a format the codecs decode, and every play "succeeds" into nothing.
class AllegroAudioDevice : public AudioDevice {
 public:
  AllegroAudioDevice() = default;
  ~AllegroAudioDevice() override;
  AllegroAudioDevice(const AllegroAudioDevice&) = delete;
  AllegroAudioDevice& operator=(const AllegroAudioDevice&) = delete;

  bool Open(int32_t frequency) override;
  AudioHandle CreateStream(const char* path) override;
  bool SetVolume(AudioHandle handle, float volume) override;
  bool EnableLoop(AudioHandle handle) override;
  bool PlayFromStart(AudioHandle handle) override;
  bool Stop(AudioHandle handle) override;
  int32_t LastError() const override { return lastError; }
  void Close() override;

  // Whether sound really goes out (Open succeeded and Close has not run).
  bool HasOutput() const { return mixer != nullptr; }

  // Whether the codecs decode files of this name (by its extension, as they choose their decoder).
  static bool IsDecodable(const std::string& path);

 private:
  // The stream of a known handle (none while silent), or false with kAudioBadHandle.
  bool Find(AudioHandle handle, ALLEGRO_AUDIO_STREAM*& stream);
  bool Answer(bool done);

  ALLEGRO_VOICE* voice = nullptr;
  ALLEGRO_MIXER* mixer = nullptr;
  bool installedAudio = false;
  std::vector<ALLEGRO_AUDIO_STREAM*> streams;  // handle n is entry n-1; none while silent
  int32_t lastError = kAudioOk;
};
