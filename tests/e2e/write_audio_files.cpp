// Writes the intact and the damaged audio files of every kind into a folder and prints their
// names, one a line, for a test script to load.
//
//   write_audio_files <folder>             every file
//   write_audio_files <folder> absurd-rate the WAV with the sample rate 0xFFFFFFFF, as absurd.wav

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/AudioFiles.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "absurd-rate") != 0)) {
    std::fprintf(stderr, "usage: write_audio_files <folder> [absurd-rate]\n");
    return 2;
  }
  std::vector<audiofiles::File> files;
  if (argc == 3) {
    files.push_back({"absurd.wav", audiofiles::AbsurdRateWav()});
  } else {
    files = audiofiles::GoodFiles();
    for (auto& damaged : audiofiles::DamagedFiles()) files.push_back(std::move(damaged));
  }
  std::filesystem::create_directories(argv[1]);
  for (const auto& file : files) {
    std::ofstream out(std::filesystem::path(argv[1]) / file.name, std::ios::binary);
    out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
    if (!out) {
      std::fprintf(stderr, "write_audio_files: cannot write %s\n", file.name.c_str());
      return 1;
    }
    std::printf("%s\n", file.name.c_str());
  }
  return 0;
}
