#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/AudioDevice.h"

struct ALLEGRO_AUDIO_STREAM;
struct ALLEGRO_EVENT_QUEUE;
struct ALLEGRO_EVENT_SOURCE;
struct ALLEGRO_MIXER;
struct ALLEGRO_VOICE;

// The audio device on Allegro's audio and codec add-ons: one voice, one mixer, and a stream of its
// own for each handle while it plays (decoded from its file as it goes). A handle holds no file
// and no thread otherwise: a play starts a new stream of the file from its beginning, and a
// stream that has played out is freed. A looping handle starts a new stream at each end rather
// than letting Allegro rewind it: a damaged file whose rewind yields nothing would keep Allegro's
// feeder thread spinning, and everything that waits for that thread would hang. A stream that
// ends having yielded nothing stops and stays stopped until it is played again. One thread of the
// device's own watches for the ends.
//
// A file gets a handle when it opens, its name ends in a format the codecs stream, its headers are
// sane (AudioFileCheck) and a decoder takes it; the decoders run without a sound device too, so a
// silent device accepts and refuses the same files (only without Allegro started at all does it
// go by the name and the headers alone). Without a sound device the device makes no call into
// the audio output (the add-ons assert on misuse), and every play "succeeds" into nothing.
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

  // How many handles have a stream of Allegro's now (each an open file and a thread).
  size_t LiveStreams() const;

  // Whether the codecs stream files of this name (by its extension, as they choose their decoder).
  static bool IsDecodable(const std::string& path);

 private:
  struct Stream {
    std::string file;
    ALLEGRO_AUDIO_STREAM* stream = nullptr;  // only while it plays
    float volume = 1.0f;
    bool looping = false;
    // Its decoder has reached the end; it is freed (or followed) once the mixer has played it out.
    bool draining = false;
    bool yielded = false;  // when draining: whether the decoder gave anything
  };

  // The record of a known handle, or none with kAudioBadHandle.
  Stream* Find(AudioHandle handle);
  // Starts a new stream of the record's file with its volume, attached and watched; answers
  // kAudioOk or why not. It leaves lastError alone: the watcher starts loops too.
  AudioError Start(Stream& record, AudioHandle handle);
  // Stops and frees the record's stream, if it has one.
  void Retire(Stream& record, AudioHandle handle);
  // The watcher thread: takes each stream's end under the lock.
  void Watch();
  void Ended(ALLEGRO_EVENT_SOURCE* source);
  // Frees the draining streams that have played out and starts the looping ones again; answers
  // whether any is still draining.
  bool PlayedOut();
  bool Answer(bool done);

  mutable std::mutex mutex;  // the records and the live list, between the caller and the watcher
  ALLEGRO_VOICE* voice = nullptr;
  ALLEGRO_MIXER* mixer = nullptr;
  ALLEGRO_EVENT_QUEUE* ends = nullptr;
  ALLEGRO_EVENT_SOURCE* quit = nullptr;
  std::thread watcher;
  bool installedAudio = false;
  bool decoders = false;
  std::vector<Stream> streams;    // handle n is entry n-1
  std::vector<AudioHandle> live;  // handles with a stream
  int32_t lastError = kAudioOk;   // the caller's thread only
};
