#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/AudioDevice.h"

// An audio device that plays nothing and records every call, for tests of what is played how.
// Handles start at 1001, so a test sees whether a handle was passed on or made up. Files load
// unless their path is in the unloadable set; plays succeed unless a refusal code is set.
class FakeAudioDevice : public AudioDevice {
 public:
  static constexpr AudioHandle kFirstHandle = 1001;

  struct Stream {
    std::string path;
    float volume = 1.0f;
    bool looping = false;
    bool playing = false;
    int plays = 0;  // each one from the beginning
    int stops = 0;
  };

  bool Open(int32_t frequency) override;
  AudioHandle CreateStream(const char* path) override;
  bool SetVolume(AudioHandle handle, float volume) override;
  bool EnableLoop(AudioHandle handle) override;
  bool PlayFromStart(AudioHandle handle) override;
  bool Stop(AudioHandle handle) override;
  int32_t LastError() const override { return lastError; }
  void Close() override;

  // The stream of a handle this device gave; none for any other.
  const Stream* Find(AudioHandle handle) const;

  // What the test scripts.
  std::set<std::string> unloadable;
  int32_t playRefusal = kAudioOk;  // not kAudioOk: every play of a known handle fails so

  // What was done, in order: "open 44100", "load <path> -> <handle>", "volume <handle> <v>",
  // "loop <handle>", "play <handle>", "stop <handle>", "close"; each failed call ends in " failed".
  std::vector<std::string> calls;
  std::vector<Stream> streams;

 private:
  Stream* Known(AudioHandle handle, const char* what);
  bool Record(const std::string& call, int32_t error);

  int32_t lastError = kAudioOk;
};
