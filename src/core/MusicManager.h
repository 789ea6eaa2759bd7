#pragma once

#include <lua.hpp>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/ScriptFamily.h"
#include "platform/AudioDevice.h"

// Songs and sounds that scripts load from files under names and play. The two live in separate
// lists and never mix: loading or playing a sound leaves the active song alone. Names need not be
// unique; a look-up by name reaches the oldest entry of that name.
//
// A file that cannot be loaded is kept under its name with the handle 0, so a later play of it
// reports the device's refusal rather than the name as missing.
class MusicManager {
 public:
  // Plays through Allegro's audio, opened on the default device at 44100 Hz; without a device it
  // goes on silently.
  MusicManager();
  // Plays through the device given (opened here, at 44100 Hz); tests hand in a recording one.
  explicit MusicManager(std::unique_ptr<AudioDevice> device);
  ~MusicManager();
  MusicManager(const MusicManager&) = delete;
  MusicManager& operator=(const MusicManager&) = delete;

  // Appends the file's song under the name and makes it the active song, also when the file did
  // not load (the active song is then 0). Logs nothing.
  void LoadSong(std::string_view name, const char* path);
  // The oldest song of that name becomes the active song; with none, logs
  // "Failed to load %s from the Sound List\n" and keeps the active song.
  void SetActiveSong(std::string_view name);
  // Sets the active song's volume to 0.35 and plays it from the beginning.
  void PlayActiveSong();
  // Sets the volume (NaN and negative volumes are silent); loop switches looping on, false leaves
  // it as it was.
  void EditMusic(std::string_view name, float volume, bool loop);

  // Appends the file's sound under the name; logs "Sound %s Loaded from %s\n", or a failure line
  // with the device's code when the file did not load (its handle 0 is kept all the same).
  void LoadSound(std::string_view name, const char* path);
  void PlaySound(std::string_view name);
  void EditSound(std::string_view name, float volume, bool loop);
  void StopSound(std::string_view name);

  AudioHandle GetActiveSong() const { return activeSong; }

  // Stops and frees every audio object before Allegro shuts down (streams left alive crash its
  // exit). The lists and names stay; later calls answer as they would with no sound device.
  void CloseAudio();

 private:
  struct Entry {
    std::string name;
    AudioHandle handle;
  };

  // The oldest entry of the name, or none after logging the line (a format) with the name.
  static const Entry* FindOrLog(const std::vector<Entry>& list, std::string_view name,
                                const char* missing);
  void Edit(const Entry* entry, float volume, bool loop);

  std::unique_ptr<AudioDevice> device;
  std::vector<Entry> songs;
  std::vector<Entry> sounds;
  AudioHandle activeSong = 0;
};

// The music family of script functions ("LoadSong", "SetActiveSong", "PlayActiveSong",
// "MM_EditMusic", "MM_LoadSound", "MM_PlaySound", "MM_EditSound"); the Lua manager registers
// them when it is created, and each acts on gMusicManager once that exists.
extern const ScriptFamily kMusicFamily;
