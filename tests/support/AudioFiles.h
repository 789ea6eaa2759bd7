#pragma once

// Audio files of every kind the codecs decode, written from a tone, and damaged copies of them:
// what a bad download or a careless content author would hand the game. The encoders are the
// libraries behind the codecs (FLAC, Vorbis, Opus with Ogg); WAV, VOC and the two tracker formats
// are written here byte by byte.

#include <cstdint>
#include <string>
#include <vector>

#include "WaveWriter.h"

namespace audiofiles {

std::string Flac(const wave::Sound& sound);
// With a comment of that many bytes in its header (which a decoder must read through to open it).
std::string Vorbis(const wave::Sound& sound, size_t commentBytes = 0);
// Opus codes at 48000 Hz only; the sound is taken as if it were at that rate.
std::string Opus(const wave::Sound& sound);
// 8-bit mono.
std::string Voc(const wave::Sound& sound);
// A short tune of one looped square-wave instrument, about a second long.
std::string Mod();
std::string S3m();
// The same tune as the two module kinds the decoder also takes by their signature whatever their
// name says (the engine itself plays only .mod and .s3m files, and refuses these).
std::string Xm();
std::string It();

struct File {
  std::string name;  // a file name with the extension the codecs choose by
  std::string bytes;
};

// One intact file of each kind, named "good.<ext>".
std::vector<File> GoodFiles();

// A WAV whose sample-rate field is 0xFFFFFFFF (the rest of it sane).
std::string AbsurdRateWav();

// Damaged files of every kind: WAV headers with insane fields, modules with tempos, sample rates
// or lengths the decoder cannot take, each kind cut short at several
// lengths and with flipped bits, noise and an empty file under each extension. Names are unique
// and say what was done ("flac-cut-25.flac", "wav-rate-0.wav", ...). The same every call.
std::vector<File> DamagedFiles();

}  // namespace audiofiles
