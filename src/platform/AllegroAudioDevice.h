#pragma once

#include <string>
#include <vector>

#include "platform/AudioDevice.h"

struct ALLEGRO_AUDIO_STREAM;
struct ALLEGRO_MIXER;
struct ALLEGRO_VOICE;

// The audio device on Allegro's audio and codec add-ons: one voice, one mixer, one stream per
// handle (decoded from its file while it plays; a play after the first starts a new stream of the
// file, with the handle's volume and loop switch).
//
// Without a sound device (or before Allegro is started) the device is silent and makes no call
// into the audio add-ons at all (they assert on misuse): a file gets a handle when it opens and
// its name ends in a format the codecs decode, and every play "succeeds" into nothing.
//
// A device that is still open when the process exits (exit() called without Cleanup) is closed
// before Allegro shuts down.
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
  struct Stream {
    std::string file;
    ALLEGRO_AUDIO_STREAM* stream = nullptr;  // none while silent
    float volume = 1.0f;
    bool looping = false;
    bool played = false;
  };

  // The record of a known handle, or none with kAudioBadHandle.
  Stream* Find(AudioHandle handle);
  // A stream of the record's file with its volume and loop switch, stopped and attached to the
  // mixer; none with the reason in lastError.
  ALLEGRO_AUDIO_STREAM* LoadStopped(const Stream& record);
  bool Answer(bool done);

  ALLEGRO_VOICE* voice = nullptr;
  ALLEGRO_MIXER* mixer = nullptr;
  bool installedAudio = false;
  std::vector<Stream> streams;  // handle n is entry n-1
  int32_t lastError = kAudioOk;
};
