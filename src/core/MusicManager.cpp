#include "core/MusicManager.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/Log.h"
#include "platform/AllegroAudioDevice.h"

namespace {

constexpr int32_t kFrequency = 44100;
constexpr float kSongVolume = 0.35f;

// A volume the device can play: NaN and negative volumes are silence.
float PlayableVolume(float volume) { return std::isnan(volume) || volume < 0.0f ? 0.0f : volume; }

}  // namespace

MusicManager::MusicManager() : MusicManager(std::make_unique<AllegroAudioDevice>()) {}

MusicManager::MusicManager(std::unique_ptr<AudioDevice> device) : device(std::move(device)) {
  // Without a device every call still answers; there is nothing more to do about it here.
  this->device->Open(kFrequency);
}

MusicManager::~MusicManager() { CloseAudio(); }

const MusicManager::Entry* MusicManager::FindOrLog(const std::vector<Entry>& list,
                                                   std::string_view name, const char* missing) {
  const auto found =
      std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.name == name; });
  if (found != list.end()) return &*found;
  const std::string text(name);
  Log(missing, text.c_str());
  return nullptr;
}

void MusicManager::Edit(const Entry* entry, float volume, bool loop) {
  device->SetVolume(entry->handle, PlayableVolume(volume));
  if (loop) device->EnableLoop(entry->handle);
}

void MusicManager::LoadSong(std::string_view name, const char* path) {
  activeSong = device->CreateStream(path);
  songs.push_back({std::string(name), activeSong});
}

void MusicManager::SetActiveSong(std::string_view name) {
  const Entry* song = FindOrLog(songs, name, "Failed to load %s from the Sound List\n");
  if (song != nullptr) activeSong = song->handle;
}

void MusicManager::PlayActiveSong() {
  if (activeSong == 0) {
    Log("Something tried to play a null song.  Aborting\n");
    return;
  }
  device->SetVolume(activeSong, kSongVolume);
  if (!device->PlayFromStart(activeSong)) {
    Log("Bass reported an error during PlayMusic:  -Code: %i-\n", device->LastError());
  }
}

void MusicManager::EditMusic(std::string_view name, float volume, bool loop) {
  const Entry* song = FindOrLog(songs, name, "EditMusic:  Failed, music %s was null\n");
  if (song == nullptr) return;
  Edit(song, volume, loop);
}

void MusicManager::LoadSound(std::string_view name, const char* path) {
  const AudioHandle handle = device->CreateStream(path);
  sounds.push_back({std::string(name), handle});
  const std::string text(name);
  if (handle != 0) {
    Log("Sound %s Loaded from %s\n", text.c_str(), path);
  } else {
    Log("LoadSound:  Failed, sound %s could not be loaded from %s -Code: %i-\n", text.c_str(),
        path != nullptr ? path : "(none)", device->LastError());
  }
}

void MusicManager::PlaySound(std::string_view name) {
  const Entry* sound = FindOrLog(sounds, name, "PlaySound:  Failed, sound %s was null\n");
  if (sound == nullptr) return;
  if (!device->PlayFromStart(sound->handle)) {
    Log("Bass reported an error during PlaySound:  -Code: %i-\n", device->LastError());
  }
}

void MusicManager::EditSound(std::string_view name, float volume, bool loop) {
  const Entry* sound = FindOrLog(sounds, name, "EditSound:  Failed, sound %s was null\n");
  if (sound == nullptr) return;
  Edit(sound, volume, loop);
}

void MusicManager::StopSound(std::string_view name) {
  const Entry* sound = FindOrLog(sounds, name, "StopSound:  Failed, sound %s was null\n");
  if (sound == nullptr) return;
  device->Stop(sound->handle);
}

void MusicManager::CloseAudio() { device->Close(); }
