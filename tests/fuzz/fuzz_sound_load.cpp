// Sound loading through the audio layer on a device without output: the header checks, then the
// platform's decoder opening the file. The first byte picks the format (by the extension, as the
// decoders choose), the rest is the file.

#include <allegro5/allegro.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/AllegroAudioDevice.h"
#include "platform/AudioFileCheck.h"

namespace {

constexpr const char* kNames[] = {"sound.wav",  "sound.flac", "sound.ogg",
                                  "sound.opus", "sound.mod",  "sound.s3m"};

AllegroAudioDevice& Device() {
  static AllegroAudioDevice* device = [] {
    al_install_system(ALLEGRO_VERSION_INT, nullptr);
    auto* made = new AllegroAudioDevice;
    made->Open(0);  // no output: the decoders only
    return made;
  }();
  return *device;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* name = kNames[data[0] % std::size(kNames)];
  FILE* file = std::fopen(name, "wb");
  if (file == nullptr) return 0;
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);
  AllegroAudioDevice& device = Device();
  const AudioHandle handle = device.CreateStream(name);
  // A handle only for what the checks let through.
  if (handle != 0 && !AudioFileCheck::Accepts(name)) __builtin_trap();
  return 0;
}
