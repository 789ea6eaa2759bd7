#pragma once

// Writes 16-bit PCM WAV files: the sample game's music and sounds at build time, and the tones
// that the audio tests play. Header-only so that tests and the command-line tool share it.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace wave {

// Interleaved 16-bit samples: frame f of channel c is samples[f * channels + c].
struct Sound {
  int32_t rate = 44100;
  int16_t channels = 2;
  std::vector<int16_t> samples;

  size_t Frames() const { return channels > 0 ? samples.size() / channels : 0; }
};

inline void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The whole file: the 44-byte RIFF header, then the samples.
inline std::string Encode(const Sound& sound) {
  const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
  const uint32_t blockAlign = static_cast<uint32_t>(sound.channels) * 2;
  std::string out = "RIFF";
  PutLittle(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLittle(out, 16, 4);
  PutLittle(out, 1, 2);  // integer PCM
  PutLittle(out, static_cast<uint32_t>(sound.channels), 2);
  PutLittle(out, static_cast<uint32_t>(sound.rate), 4);
  PutLittle(out, static_cast<uint32_t>(sound.rate) * blockAlign, 4);
  PutLittle(out, blockAlign, 2);
  PutLittle(out, 16, 2);
  out += "data";
  PutLittle(out, dataBytes, 4);
  for (int16_t sample : sound.samples) PutLittle(out, static_cast<uint16_t>(sample), 2);
  return out;
}

inline bool Write(const std::string& path, const Sound& sound) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const std::string bytes = Encode(sound);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

// Adds a sine note into the sound from frame `start` on (growing it as needed), the same on every
// channel, with short fades at both ends so that notes do not click. amplitude is 0..1.
inline void AddNote(Sound& sound, double startSeconds, double seconds, double frequency,
                    double amplitude) {
  const double pi = std::acos(-1.0);
  const size_t start = static_cast<size_t>(startSeconds * sound.rate);
  const size_t length = static_cast<size_t>(seconds * sound.rate);
  const size_t fade = std::min<size_t>(length / 4, static_cast<size_t>(sound.rate / 100));
  const size_t needed = (start + length) * static_cast<size_t>(sound.channels);
  if (sound.samples.size() < needed) sound.samples.resize(needed, 0);
  for (size_t i = 0; i < length; ++i) {
    double gain = amplitude;
    if (fade > 0 && i < fade) gain *= static_cast<double>(i) / fade;
    if (fade > 0 && length - i <= fade) gain *= static_cast<double>(length - i - 1) / fade;
    const double value =
        gain * std::sin(2.0 * pi * frequency * static_cast<double>(i) / sound.rate);
    for (int16_t c = 0; c < sound.channels; ++c) {
      int16_t& sample = sound.samples[(start + i) * static_cast<size_t>(sound.channels) + c];
      const double mixed = sample + value * 32767.0;
      sample = static_cast<int16_t>(std::lround(std::clamp(mixed, -32768.0, 32767.0)));
    }
  }
}

// A steady tone of the given length: the tests' test signal.
inline Sound Tone(double seconds, double frequency, double amplitude, int32_t rate = 44100,
                  int16_t channels = 2) {
  Sound sound;
  sound.rate = rate;
  sound.channels = channels;
  AddNote(sound, 0.0, seconds, frequency, amplitude);
  return sound;
}

}  // namespace wave
