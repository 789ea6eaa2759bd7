#include "platform/AllegroAudioDevice.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "core/ContentFile.h"

namespace {

// What the codec add-on of the installed Allegro decodes; it picks the decoder by extension.
constexpr const char* kDecodedExtensions[] = {".wav", ".flac", ".ogg", ".opus",
                                              ".voc", ".mod",  ".s3m"};

// What a stream keeps decoded ahead of the mixer (about 90 ms): enough to ride out a busy frame.
constexpr size_t kStreamBuffers = 4;
constexpr unsigned int kStreamBufferFrames = 1024;

bool CanOpen(const char* path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

// Standard error is the game's log. While it lives, what the sound libraries behind Allegro
// (OpenAL, ALSA, the sound server's client) write there goes nowhere: without a device they
// complain at length while the driver is looked for.
class QuietStandardError {
 public:
  QuietStandardError() {
    std::fflush(stderr);
    saved = dup(STDERR_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY);
    if (saved >= 0 && nowhere >= 0) dup2(nowhere, STDERR_FILENO);
    if (nowhere >= 0) close(nowhere);
  }
  ~QuietStandardError() {
    std::fflush(stderr);
    if (saved < 0) return;
    dup2(saved, STDERR_FILENO);
    close(saved);
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved;
};

}  // namespace

AllegroAudioDevice::~AllegroAudioDevice() { Close(); }

bool AllegroAudioDevice::IsDecodable(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find_first_of("/\\", dot) != std::string::npos) return false;
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(std::begin(kDecodedExtensions), std::end(kDecodedExtensions), extension) !=
         std::end(kDecodedExtensions);
}

bool AllegroAudioDevice::Open(int32_t frequency) {
  if (mixer != nullptr) return Answer(true);
  lastError = kAudioNotOpen;
  if (!al_is_system_installed() || frequency <= 0) return false;
  const QuietStandardError quiet;
  if (!al_is_audio_installed()) {
    if (!al_install_audio()) return false;
    installedAudio = true;
  }
  if (!al_is_acodec_addon_initialized()) al_init_acodec_addon();

  const auto rate = static_cast<unsigned int>(frequency);
  voice = al_create_voice(rate, ALLEGRO_AUDIO_DEPTH_INT16, ALLEGRO_CHANNEL_CONF_2);
  if (voice != nullptr) {
    mixer = al_create_mixer(rate, ALLEGRO_AUDIO_DEPTH_FLOAT32, ALLEGRO_CHANNEL_CONF_2);
    if (mixer != nullptr && !al_attach_mixer_to_voice(mixer, voice)) {
      al_destroy_mixer(mixer);
      mixer = nullptr;
    }
  }
  if (mixer == nullptr) {
    Close();
    lastError = kAudioNotOpen;
    return false;
  }
  return Answer(true);
}

AudioHandle AllegroAudioDevice::CreateStream(const char* path) {
  const std::string file = path != nullptr ? ContentPath(path) : std::string();
  if (path == nullptr || !CanOpen(file.c_str())) {
    lastError = kAudioFileOpen;
    return 0;
  }
  if (!IsDecodable(file)) {
    lastError = kAudioBadFormat;
    return 0;
  }
  ALLEGRO_AUDIO_STREAM* stream = nullptr;
  if (mixer != nullptr) {
    stream = al_load_audio_stream(file.c_str(), kStreamBuffers, kStreamBufferFrames);
    if (stream == nullptr) {
      lastError = kAudioBadFormat;
      return 0;
    }
    // A loaded stream starts out playing; a new handle waits for its first play.
    al_set_audio_stream_playing(stream, false);
    if (!al_attach_audio_stream_to_mixer(stream, mixer)) {
      al_destroy_audio_stream(stream);
      lastError = kAudioUnknown;
      return 0;
    }
  }
  streams.push_back(stream);
  lastError = kAudioOk;
  return static_cast<AudioHandle>(streams.size());
}

bool AllegroAudioDevice::Find(AudioHandle handle, ALLEGRO_AUDIO_STREAM*& stream) {
  if (handle == 0 || handle > streams.size()) {
    lastError = kAudioBadHandle;
    return false;
  }
  stream = streams[handle - 1];
  return true;
}

bool AllegroAudioDevice::Answer(bool done) {
  lastError = done ? kAudioOk : kAudioUnknown;
  return done;
}

bool AllegroAudioDevice::SetVolume(AudioHandle handle, float volume) {
  ALLEGRO_AUDIO_STREAM* stream;
  if (!Find(handle, stream)) return false;
  return Answer(stream == nullptr || al_set_audio_stream_gain(stream, volume));
}

bool AllegroAudioDevice::EnableLoop(AudioHandle handle) {
  ALLEGRO_AUDIO_STREAM* stream;
  if (!Find(handle, stream)) return false;
  return Answer(stream == nullptr || al_set_audio_stream_playmode(stream, ALLEGRO_PLAYMODE_LOOP));
}

bool AllegroAudioDevice::PlayFromStart(AudioHandle handle) {
  ALLEGRO_AUDIO_STREAM* stream;
  if (!Find(handle, stream)) return false;
  if (stream == nullptr) return Answer(true);
  // Stopping first lets the rewound start follow at once, not after the buffer in play.
  al_set_audio_stream_playing(stream, false);
  return Answer(al_rewind_audio_stream(stream) && al_set_audio_stream_playing(stream, true));
}

bool AllegroAudioDevice::Stop(AudioHandle handle) {
  ALLEGRO_AUDIO_STREAM* stream;
  if (!Find(handle, stream)) return false;
  return Answer(stream == nullptr || al_set_audio_stream_playing(stream, false));
}

void AllegroAudioDevice::Close() {
  if (!al_is_system_installed()) {
    // Allegro's shutdown has already destroyed every audio object.
    std::fill(streams.begin(), streams.end(), nullptr);
    mixer = nullptr;
    voice = nullptr;
    installedAudio = false;
    return;
  }
  for (ALLEGRO_AUDIO_STREAM*& stream : streams) {
    if (stream != nullptr) al_destroy_audio_stream(stream);
    stream = nullptr;
  }
  if (mixer != nullptr) al_destroy_mixer(mixer);
  if (voice != nullptr) al_destroy_voice(voice);
  mixer = nullptr;
  voice = nullptr;
  if (installedAudio) al_uninstall_audio();
  installedAudio = false;
}
