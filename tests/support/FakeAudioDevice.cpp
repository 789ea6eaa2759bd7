#include "support/FakeAudioDevice.h"

#include <cstdio>

namespace {

std::string Numbered(const char* what, AudioHandle handle) {
  return std::string(what) + " " + std::to_string(handle);
}

}  // namespace

bool FakeAudioDevice::Record(const std::string& call, int32_t error) {
  lastError = error;
  calls.push_back(error == kAudioOk ? call : call + " failed");
  return error == kAudioOk;
}

bool FakeAudioDevice::Open(int32_t frequency) {
  return Record("open " + std::to_string(frequency), kAudioOk);
}

AudioHandle FakeAudioDevice::CreateStream(const char* path) {
  const std::string text = path != nullptr ? path : "(none)";
  if (path == nullptr || unloadable.count(path) > 0) {
    Record("load " + text, kAudioFileOpen);
    return 0;
  }
  streams.push_back(Stream{text});
  const AudioHandle handle = kFirstHandle + static_cast<AudioHandle>(streams.size() - 1);
  Record("load " + text + " -> " + std::to_string(handle), kAudioOk);
  return handle;
}

const FakeAudioDevice::Stream* FakeAudioDevice::Find(AudioHandle handle) const {
  if (handle < kFirstHandle || handle - kFirstHandle >= streams.size()) return nullptr;
  return &streams[handle - kFirstHandle];
}

FakeAudioDevice::Stream* FakeAudioDevice::Known(AudioHandle handle, const char* what) {
  Stream* stream = const_cast<Stream*>(Find(handle));
  if (stream == nullptr) Record(Numbered(what, handle), kAudioBadHandle);
  return stream;
}

bool FakeAudioDevice::SetVolume(AudioHandle handle, float volume) {
  Stream* stream = Known(handle, "volume");
  if (stream == nullptr) return false;
  stream->volume = volume;
  char text[32];
  std::snprintf(text, sizeof text, " %g", volume);
  return Record(Numbered("volume", handle) + text, kAudioOk);
}

bool FakeAudioDevice::EnableLoop(AudioHandle handle) {
  Stream* stream = Known(handle, "loop");
  if (stream == nullptr) return false;
  stream->looping = true;
  return Record(Numbered("loop", handle), kAudioOk);
}

bool FakeAudioDevice::PlayFromStart(AudioHandle handle) {
  Stream* stream = Known(handle, "play");
  if (stream == nullptr) return false;
  if (playRefusal != kAudioOk) return Record(Numbered("play", handle), playRefusal);
  stream->playing = true;
  ++stream->plays;
  return Record(Numbered("play", handle), kAudioOk);
}

bool FakeAudioDevice::Stop(AudioHandle handle) {
  Stream* stream = Known(handle, "stop");
  if (stream == nullptr) return false;
  stream->playing = false;
  ++stream->stops;
  return Record(Numbered("stop", handle), kAudioOk);
}

void FakeAudioDevice::Close() { Record("close", kAudioOk); }
