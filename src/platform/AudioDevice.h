#pragma once

#include <cstdint>

// Names one loaded file on an audio device. 0 is never a handle: it stands for a failed load.
using AudioHandle = uint32_t;

// The error codes a device reports; the log lines print them as numbers, so they keep these values.
enum AudioError : int32_t {
  kAudioOk = 0,
  kAudioFileOpen = 2,    // the file cannot be opened
  kAudioBadHandle = 5,   // 0, or a handle this device never gave
  kAudioNotOpen = 8,     // Open has not succeeded
  kAudioBadFormat = 41,  // the file opened but cannot be decoded
  kAudioUnknown = -1,    // the back end failed for another reason
};

// The audio output the music manager plays through: files become handles, each with a volume, a
// loop switch, and play/stop. All calls come from the main thread; playing happens on threads of
// the back end.
//
// Every call sets the code LastError answers (kAudioOk on success), so a caller can report why
// the call just made failed.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;

  // Opens the default output at the rate (frames per second). Without a usable device it answers
  // false and the device goes silent: every other call still answers as it would with sound.
  virtual bool Open(int32_t frequency) = 0;

  // A new handle for the whole file: stopped, not looping, volume 1. Each call gives a new handle,
  // also for a file loaded before. 0 when the file cannot be loaded (none included), with the
  // reason in LastError.
  virtual AudioHandle CreateStream(const char* path) = 0;

  // Each answers false for a handle the device does not know (kAudioBadHandle).
  virtual bool SetVolume(AudioHandle handle, float volume) = 0;
  // Switches looping on; nothing switches it off.
  virtual bool EnableLoop(AudioHandle handle) = 0;
  // Plays from the beginning, also when the file is already playing.
  virtual bool PlayFromStart(AudioHandle handle) = 0;
  virtual bool Stop(AudioHandle handle) = 0;

  virtual int32_t LastError() const = 0;

  // Stops and frees everything the back end holds (its streams, mixer and output), so nothing of it
  // is left when the back end's library shuts down. The handles stay known and answer silently.
  virtual void Close() = 0;
};
