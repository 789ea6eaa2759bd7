#include "platform/AllegroAudioDevice.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/ContentFile.h"

namespace {

// What the codec add-on of the installed Allegro decodes; it picks the decoder by extension.
constexpr const char* kDecodedExtensions[] = {".wav", ".flac", ".ogg", ".opus",
                                              ".voc", ".mod",  ".s3m"};

// What a stream keeps decoded ahead of the mixer (about 90 ms): enough to ride out a busy frame.
constexpr size_t kStreamBuffers = 4;
constexpr unsigned int kStreamBufferFrames = 1024;

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

// Devices with live audio objects. A program that ends through exit() without Cleanup (a script's
// os.exit) must not leave them to Allegro's exit-time shutdown, which hangs or crashes on them:
// they are closed by an exit handler registered after Allegro's own, so it runs first.
// (Never destroyed: exit handlers and static destructors run in one interleaved order.)
std::vector<AllegroAudioDevice*>& LiveDevices() {
  static auto* devices = new std::vector<AllegroAudioDevice*>;
  return *devices;
}

void CloseLiveDevicesAtExit() {
  // Close takes each device off the list.
  while (!LiveDevices().empty()) LiveDevices().back()->Close();
}

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
  // Always: the add-on's flag outlives an Allegro restart in the same process, its decoders do
  // not, and registering them again is harmless.
  al_init_acodec_addon();

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
  static const bool exitHandler = std::atexit(CloseLiveDevicesAtExit) == 0;
  (void)exitHandler;
  LiveDevices().push_back(this);
  return Answer(true);
}

ALLEGRO_AUDIO_STREAM* AllegroAudioDevice::LoadStopped(const Stream& record) {
  ALLEGRO_AUDIO_STREAM* stream =
      al_load_audio_stream(record.file.c_str(), kStreamBuffers, kStreamBufferFrames);
  if (stream == nullptr) {
    lastError = kAudioBadFormat;
    return nullptr;
  }
  // A loaded stream starts out playing; it waits for its play here.
  al_set_audio_stream_playing(stream, false);
  al_set_audio_stream_gain(stream, record.volume);
  if (record.looping) al_set_audio_stream_playmode(stream, ALLEGRO_PLAYMODE_LOOP);
  if (!al_attach_audio_stream_to_mixer(stream, mixer)) {
    al_destroy_audio_stream(stream);
    lastError = kAudioUnknown;
    return nullptr;
  }
  return stream;
}

AudioHandle AllegroAudioDevice::CreateStream(const char* path) {
  Stream record;
  record.file = path != nullptr ? ContentPath(path) : std::string();
  if (path == nullptr || !CanOpenContentFile(record.file.c_str())) {
    lastError = kAudioFileOpen;
    return 0;
  }
  if (!IsDecodable(record.file)) {
    lastError = kAudioBadFormat;
    return 0;
  }
  if (mixer != nullptr) {
    record.stream = LoadStopped(record);
    if (record.stream == nullptr) return 0;
  }
  streams.push_back(std::move(record));
  lastError = kAudioOk;
  return static_cast<AudioHandle>(streams.size());
}

AllegroAudioDevice::Stream* AllegroAudioDevice::Find(AudioHandle handle) {
  if (handle == 0 || handle > streams.size()) {
    lastError = kAudioBadHandle;
    return nullptr;
  }
  return &streams[handle - 1];
}

bool AllegroAudioDevice::Answer(bool done) {
  lastError = done ? kAudioOk : kAudioUnknown;
  return done;
}

bool AllegroAudioDevice::SetVolume(AudioHandle handle, float volume) {
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  record->volume = volume;
  return Answer(record->stream == nullptr || al_set_audio_stream_gain(record->stream, volume));
}

bool AllegroAudioDevice::EnableLoop(AudioHandle handle) {
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  record->looping = true;
  return Answer(record->stream == nullptr ||
                al_set_audio_stream_playmode(record->stream, ALLEGRO_PLAYMODE_LOOP));
}

bool AllegroAudioDevice::PlayFromStart(AudioHandle handle) {
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  if (record->stream == nullptr) return Answer(true);
  if (record->played) {
    // A rewound stream would first play out what it had decoded ahead, from wherever it was:
    // a fresh stream of the file starts exactly at its beginning.
    ALLEGRO_AUDIO_STREAM* fresh = LoadStopped(*record);
    if (fresh == nullptr) return false;
    al_destroy_audio_stream(record->stream);
    record->stream = fresh;
  }
  record->played = true;
  return Answer(al_set_audio_stream_playing(record->stream, true));
}

bool AllegroAudioDevice::Stop(AudioHandle handle) {
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  return Answer(record->stream == nullptr || al_set_audio_stream_playing(record->stream, false));
}

void AllegroAudioDevice::Close() {
  std::erase(LiveDevices(), this);
  // Once Allegro has shut down, its shutdown has destroyed every audio object already.
  const bool alive = al_is_system_installed();
  for (Stream& record : streams) {
    if (alive && record.stream != nullptr) al_destroy_audio_stream(record.stream);
    record.stream = nullptr;
  }
  if (alive && mixer != nullptr) al_destroy_mixer(mixer);
  if (alive && voice != nullptr) al_destroy_voice(voice);
  mixer = nullptr;
  voice = nullptr;
  if (alive && installedAudio) al_uninstall_audio();
  installedAudio = false;
}
