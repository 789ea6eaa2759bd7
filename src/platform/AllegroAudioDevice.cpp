#include "platform/AllegroAudioDevice.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/AudioFileCheck.h"
#include "platform/ContentFile.h"

namespace {

// What the codec add-on of the installed Allegro streams; it picks the decoder by extension.
// (Its VOC decoder reads whole samples only, so VOC files do not stream.)
constexpr const char* kDecodedExtensions[] = {".wav", ".flac", ".ogg", ".opus", ".mod", ".s3m"};

// What a stream keeps decoded ahead of the mixer (about 90 ms): enough to ride out a busy frame.
constexpr size_t kStreamBuffers = 4;
constexpr unsigned int kStreamBufferFrames = 1024;
// How often a stream whose decoder has ended is looked at until it has played out (seconds).
constexpr double kDrainPoll = 0.005;

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
  const std::string extension = AudioFileCheck::Extension(path);
  return std::find(std::begin(kDecodedExtensions), std::end(kDecodedExtensions), extension) !=
         std::end(kDecodedExtensions);
}

bool AllegroAudioDevice::Open(int32_t frequency) {
  if (mixer != nullptr) return Answer(true);
  lastError = kAudioNotOpen;
  if (!al_is_system_installed()) return false;
  // Always, and before the output: the decoders check files on a silent device too. The add-on's
  // flag outlives an Allegro restart in the same process, its decoders do not, and registering
  // them again is harmless.
  decoders = al_init_acodec_addon();
  if (frequency <= 0) return false;
  const QuietStandardError quiet;
  if (!al_is_audio_installed()) {
    if (!al_install_audio()) return false;
    installedAudio = true;
  }

  const auto rate = static_cast<unsigned int>(frequency);
  voice = al_create_voice(rate, ALLEGRO_AUDIO_DEPTH_INT16, ALLEGRO_CHANNEL_CONF_2);
  if (voice != nullptr) {
    mixer = al_create_mixer(rate, ALLEGRO_AUDIO_DEPTH_FLOAT32, ALLEGRO_CHANNEL_CONF_2);
    if (mixer != nullptr && !al_attach_mixer_to_voice(mixer, voice)) {
      al_destroy_mixer(mixer);
      mixer = nullptr;
    }
  }
  if (mixer != nullptr) ends = al_create_event_queue();
  if (ends == nullptr) {
    Close();
    lastError = kAudioNotOpen;
    return false;
  }
  quit = new ALLEGRO_EVENT_SOURCE;
  al_init_user_event_source(quit);
  al_register_event_source(ends, quit);
  watcher = std::thread([this] { Watch(); });
  static const bool exitHandler = std::atexit(CloseLiveDevicesAtExit) == 0;
  (void)exitHandler;
  LiveDevices().push_back(this);
  return Answer(true);
}

AudioHandle AllegroAudioDevice::CreateStream(const char* path) {
  Stream record;
  record.file = path != nullptr ? ContentPath(path) : std::string();
  if (path == nullptr || !CanOpenContentFile(record.file.c_str())) {
    lastError = kAudioFileOpen;
    return 0;
  }
  if (!IsDecodable(record.file) || !AudioFileCheck::Accepts(record.file)) {
    lastError = kAudioBadFormat;
    return 0;
  }
  if (decoders) {
    // The decoder reads the headers here; what it would play is decoded only when it plays.
    ALLEGRO_AUDIO_STREAM* trial =
        al_load_audio_stream(record.file.c_str(), kStreamBuffers, kStreamBufferFrames);
    if (trial == nullptr) {
      lastError = kAudioBadFormat;
      return 0;
    }
    al_destroy_audio_stream(trial);
  }
  const std::lock_guard lock(mutex);
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

size_t AllegroAudioDevice::LiveStreams() const {
  const std::lock_guard lock(mutex);
  return live.size();
}

AudioError AllegroAudioDevice::Start(Stream& record, AudioHandle handle) {
  ALLEGRO_AUDIO_STREAM* stream =
      al_load_audio_stream(record.file.c_str(), kStreamBuffers, kStreamBufferFrames);
  if (stream == nullptr) return kAudioBadFormat;
  // A loaded stream starts out playing; it waits for its play here. It always plays once: a loop
  // is a new stream (see the class).
  al_set_audio_stream_playing(stream, false);
  al_set_audio_stream_gain(stream, record.volume);
  al_set_audio_stream_playmode(stream, ALLEGRO_PLAYMODE_ONCE);
  if (!al_attach_audio_stream_to_mixer(stream, mixer)) {
    al_destroy_audio_stream(stream);
    return kAudioUnknown;
  }
  al_register_event_source(ends, al_get_audio_stream_event_source(stream));
  record.stream = stream;
  record.draining = false;
  live.push_back(handle);
  return al_set_audio_stream_playing(stream, true) ? kAudioOk : kAudioUnknown;
}

void AllegroAudioDevice::Retire(Stream& record, AudioHandle handle) {
  if (record.stream == nullptr) return;
  // Unregistering also drops the stream's events still queued, so none can name a later stream
  // that Allegro puts at the same address.
  if (ends != nullptr)
    al_unregister_event_source(ends, al_get_audio_stream_event_source(record.stream));
  al_destroy_audio_stream(record.stream);
  record.stream = nullptr;
  std::erase(live, handle);
}

void AllegroAudioDevice::Watch() {
  bool draining = false;
  for (;;) {
    // Waits without taking the event: it is taken under the lock, so that a stream retired by a
    // caller meanwhile has had its events dropped first. Allegro tells when a decoder ends, not
    // when its last buffers have been mixed: a draining stream is looked at every few ms.
    if (draining) {
      al_wait_for_event_timed(ends, nullptr, kDrainPoll);
    } else {
      al_wait_for_event(ends, nullptr);
    }
    const std::lock_guard lock(mutex);
    ALLEGRO_EVENT event;
    while (al_get_next_event(ends, &event)) {
      if (event.any.source == quit) return;
      if (event.type == ALLEGRO_EVENT_AUDIO_STREAM_FINISHED) Ended(event.any.source);
    }
    draining = PlayedOut();
  }
}

void AllegroAudioDevice::Ended(ALLEGRO_EVENT_SOURCE* source) {
  for (const AudioHandle handle : live) {
    Stream& record = streams[handle - 1];
    if (al_get_audio_stream_event_source(record.stream) != source) continue;
    record.draining = true;
    record.yielded = al_get_audio_stream_position_secs(record.stream) > 0.0;
    return;
  }
}

bool AllegroAudioDevice::PlayedOut() {
  bool stillDraining = false;
  // Start adds to the live list: walk a copy.
  const std::vector<AudioHandle> walked = live;
  for (const AudioHandle handle : walked) {
    Stream& record = streams[handle - 1];
    if (!record.draining) continue;
    if (al_get_audio_stream_playing(record.stream)) {
      stillDraining = true;
      continue;
    }
    Retire(record, handle);
    // What a loop's restart answers is nobody's last error: the caller's thread owns that.
    if (record.looping && record.yielded) Start(record, handle);
  }
  return stillDraining;
}

bool AllegroAudioDevice::SetVolume(AudioHandle handle, float volume) {
  const std::lock_guard lock(mutex);
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  record->volume = volume;
  return Answer(record->stream == nullptr || al_set_audio_stream_gain(record->stream, volume));
}

bool AllegroAudioDevice::EnableLoop(AudioHandle handle) {
  const std::lock_guard lock(mutex);
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  record->looping = true;
  return Answer(true);
}

bool AllegroAudioDevice::PlayFromStart(AudioHandle handle) {
  const std::lock_guard lock(mutex);
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  if (mixer == nullptr) return Answer(true);
  // A rewound stream would first play out what it had decoded ahead, from wherever it was: a
  // new stream of the file starts exactly at its beginning.
  Retire(*record, handle);
  lastError = Start(*record, handle);
  return lastError == kAudioOk;
}

bool AllegroAudioDevice::Stop(AudioHandle handle) {
  const std::lock_guard lock(mutex);
  Stream* record = Find(handle);
  if (record == nullptr) return false;
  Retire(*record, handle);
  return Answer(true);
}

void AllegroAudioDevice::Close() {
  std::erase(LiveDevices(), this);
  // Once Allegro has shut down, its shutdown has destroyed every audio object already (and the
  // watcher's queue with them: it can only be left behind).
  const bool alive = al_is_system_installed();
  if (watcher.joinable()) {
    if (alive) {
      ALLEGRO_EVENT event{};
      event.user.type = ALLEGRO_GET_EVENT_TYPE('Q', 'M', 'A', 'D');
      al_emit_user_event(quit, &event, nullptr);
      watcher.join();
    } else {
      watcher.detach();
    }
  }
  const std::lock_guard lock(mutex);
  for (size_t i = 0; i < streams.size(); ++i) {
    if (alive) Retire(streams[i], static_cast<AudioHandle>(i + 1));
    streams[i].stream = nullptr;
  }
  live.clear();
  if (alive && ends != nullptr) al_destroy_event_queue(ends);
  ends = nullptr;
  if (quit != nullptr) {
    if (alive) al_destroy_user_event_source(quit);
    delete quit;
    quit = nullptr;
  }
  if (alive && mixer != nullptr) al_destroy_mixer(mixer);
  if (alive && voice != nullptr) al_destroy_voice(voice);
  mixer = nullptr;
  voice = nullptr;
  if (alive && installedAudio) al_uninstall_audio();
  installedAudio = false;
}
