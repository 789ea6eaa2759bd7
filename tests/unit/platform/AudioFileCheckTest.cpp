// The header checks that stand before Allegro's WAV, FLAC and module decoders.

#include <gtest/gtest.h>

#include <string>

#include "platform/AudioFileCheck.h"
#include "support/AudioFiles.h"
#include "support/TempDir.h"

namespace {

bool Accepts(const TempDir& dir, const std::string& name, const std::string& bytes) {
  return AudioFileCheck::Accepts(dir.Write(name, bytes).string());
}

void Patch(std::string& bytes, size_t at, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

TEST(AudioFileCheck, AcceptsIntactFilesOfEveryKind) {
  TempDir dir;
  for (const auto& file : audiofiles::GoodFiles()) {
    EXPECT_TRUE(Accepts(dir, file.name, file.bytes)) << file.name;
  }
  EXPECT_FALSE(AudioFileCheck::Accepts("missing.wav"));
}

TEST(AudioFileCheck, WavHeadersMustBeSane) {
  TempDir dir;
  const std::string wav = wave::Encode(wave::Tone(0.05, 440.0, 0.5));
  const struct {
    const char* what;
    size_t at;
    int size;
    uint32_t value;
    bool accepted;
  } cases[] = {
      {"rate 0xFFFFFFFF", 24, 4, 0xFFFFFFFF, false},
      {"rate 0", 24, 4, 0, false},
      {"rate 8000", 24, 4, 8000, true},
      {"no channels", 22, 2, 0, false},
      {"nine channels", 22, 2, 9, false},
      {"7 bits", 34, 2, 7, false},
      {"frame size 0", 32, 2, 0, false},
      {"float samples", 20, 2, 3, false},
      {"format chunk past the end", 16, 4, 0xFFFFFFFF, false},
      {"format chunk too short", 16, 4, 8, false},
      // A sample chunk longer than the file is a file cut short: it plays what there is.
      {"sample chunk past the end", 40, 4, 0xFFFFFFFF, true},
      {"byte rate 0 (the decoder ignores it)", 28, 4, 0, true},
  };
  for (const auto& c : cases) {
    std::string bytes = wav;
    Patch(bytes, c.at, c.value, c.size);
    EXPECT_EQ(Accepts(dir, "case.wav", bytes), c.accepted) << c.what;
  }
  EXPECT_FALSE(Accepts(dir, "no-samples.wav", wav.substr(0, 36)));
  EXPECT_FALSE(Accepts(dir, "no-format.wav", wav.substr(0, 12) + wav.substr(36)));
  EXPECT_FALSE(Accepts(dir, "empty.WAV", ""));
  // A chunk of its own between the format and the samples is skipped, its pad byte with it.
  std::string listed =
      wav.substr(0, 36) + "LIST" + std::string("\x03\0\0\0abc\0", 8) + wav.substr(36);
  EXPECT_TRUE(Accepts(dir, "listed.wav", listed));
}

TEST(AudioFileCheck, FlacStreamInformationMustAgreeWithTheFrames) {
  TempDir dir;
  const std::string flac = audiofiles::Flac(wave::Tone(0.2, 440.0, 0.5));
  ASSERT_TRUE(Accepts(dir, "good.flac", flac));
  // The stream information block starts at 8; its byte 12 holds the channels and a bit of the
  // sample size, byte 13 the rest of the sample size.
  const struct {
    const char* what;
    size_t at;
    uint8_t mask;
  } flips[] = {
      {"four channels announced for stereo frames", 8 + 12, 0x04},
      {"32-bit samples announced for 16-bit frames", 8 + 12, 0x01},
      {"a second stream information block", 42, 0x04},
      {"a metadata block longer than the file", 43, 0x80},
      {"no frame where the metadata ends", 86, 0x01},
      {"not a FLAC file", 0, 0x20},
  };
  for (const auto& f : flips) {
    std::string bytes = flac;
    bytes[f.at] = static_cast<char>(bytes[f.at] ^ f.mask);
    EXPECT_FALSE(Accepts(dir, "case.flac", bytes)) << f.what;
  }
  EXPECT_FALSE(Accepts(dir, "cut.flac", flac.substr(0, 30)));
  EXPECT_TRUE(Accepts(dir, "cut-in-a-frame.flac", flac.substr(0, flac.size() / 2)));
}

TEST(AudioFileCheck, OtherFormatsAreLeftToTheirDecoders) {
  TempDir dir;
  // Unless they start as a WAV or a FLAC does: the decoders try those by their signature too.
  std::string absurd = audiofiles::AbsurdRateWav();
  EXPECT_FALSE(Accepts(dir, "absurd.ogg", absurd));
  const std::string flac = audiofiles::Flac(wave::Tone(0.05, 440.0, 0.5));
  EXPECT_TRUE(Accepts(dir, "flac.opus", flac));
  EXPECT_FALSE(Accepts(dir, "cut.opus", flac.substr(0, 45)));
  EXPECT_TRUE(Accepts(dir, "noise.ogg", "not really a stream"));
}

// The module decoder divides by the tempo and the samples' rates, allocates what the sample
// lengths say, and takes XM and IT files (which the engine does not play) by their signature
// under any name.
TEST(AudioFileCheck, ModulesMustHaveATempoAndSamplesWithinTheFile) {
  TempDir dir;
  const struct {
    const char* what;
    std::string (*writer)();
    const char* name;
    size_t at;
    int size;
    uint32_t value;
    bool accepted;
  } cases[] = {
      {"intact MOD", audiofiles::Mod, "a.mod", 0, 0, 0, true},
      {"intact S3M", audiofiles::S3m, "a.s3m", 0, 0, 0, true},
      {"intact XM as a MOD", audiofiles::Xm, "a.mod", 0, 0, 0, false},
      {"intact XM as an OGG", audiofiles::Xm, "a.ogg", 0, 0, 0, false},
      {"intact IT as an S3M", audiofiles::It, "a.s3m", 0, 0, 0, false},
      {"MOD with six channels", audiofiles::Mod, "a.mod", 1080, 4, 0x4E484336, true},
      {"MOD in pattern pairs", audiofiles::Mod, "a.mod", 1080, 4, 0x38544C46, false},
      {"MOD in pattern pairs, named OGG", audiofiles::Mod, "a.ogg", 1080, 4, 0x38544C46, false},
      {"S3M tempo 0", audiofiles::S3m, "a.s3m", 0x32, 1, 0, false},
      {"S3M tempo 0, named OGG", audiofiles::S3m, "a.ogg", 0x32, 1, 0, false},
      {"S3M speed 0 (the decoder takes it)", audiofiles::S3m, "a.s3m", 0x31, 1, 0, true},
      {"S3M sample rate 0", audiofiles::S3m, "a.s3m", 0x90, 4, 0, false},
      {"S3M sample past the end", audiofiles::S3m, "a.s3m", 0x80, 4, 65, false},
      {"S3M 16-bit sample past the end", audiofiles::S3m, "a.s3m", 0x8F, 1, 5, false},
      {"S3M instrument past the end", audiofiles::S3m, "a.s3m", 0x62, 2, 0x7FFF, false},
      {"S3M instruments past the end", audiofiles::S3m, "a.s3m", 0x22, 2, 0xFFFF, false},
      // The first row's command and its value: A 3 (speed) as written, then past Z.
      {"S3M command past Z", audiofiles::S3m, "a.s3m", 0xC5, 2, 32, false},
      {"S3M command Z", audiofiles::S3m, "a.s3m", 0xC5, 2, 26, true},
      {"S3M pattern past the end", audiofiles::S3m, "a.s3m", 0x64, 2, 0x7FFF, false},
  };
  for (const auto& c : cases) {
    std::string bytes = c.writer();
    Patch(bytes, c.at, c.value, c.size);
    EXPECT_EQ(Accepts(dir, c.name, bytes), c.accepted) << c.what;
  }
  const std::string s3m = audiofiles::S3m();
  // A pattern that says it is one byte long: the decoder reads its rows all the same.
  std::string shortPattern = s3m;
  Patch(shortPattern, 0xC0, 3, 2);
  EXPECT_TRUE(Accepts(dir, "short-pattern.s3m", shortPattern));
  Patch(shortPattern, 0xC5, 32, 2);
  EXPECT_FALSE(Accepts(dir, "short-pattern-past-z.s3m", shortPattern));
  EXPECT_FALSE(Accepts(dir, "empty.s3m", ""));
  EXPECT_FALSE(Accepts(dir, "cut.s3m", s3m.substr(0, 0x50)));
  EXPECT_FALSE(Accepts(dir, "cut-in-the-sample.s3m", s3m.substr(0, s3m.size() - 1)));
}

// The intact S3M's pieces laid out again behind an order list of that many orders (the pattern
// every time, then the end), with the initial speed, the pattern's speed and break taken out and
// the first row's effect set instead: a song as long and slow as a few hundred bytes can make.
std::string LongS3m(int orders, uint8_t speed, uint8_t command = 0, uint8_t value = 0) {
  const std::string s3m = audiofiles::S3m();
  std::string pattern = s3m.substr(0xC0, 0x4C);
  pattern[5] = static_cast<char>(command);  // row 0: A 3 as written
  pattern[6] = static_cast<char>(value);
  const size_t breakAt = pattern.find(std::string("\xA0\x44\x01\x03\x00", 5));
  pattern[breakAt] = 0x20;  // row 20 keeps its note, loses its break
  pattern[breakAt + 3] = 0;
  pattern[breakAt + 4] = 0;
  std::string out = s3m.substr(0, 0x60);
  out[0x31] = static_cast<char>(speed);
  Patch(out, 0x20, static_cast<uint32_t>(orders + 1), 2);
  out.append(static_cast<size_t>(orders), '\0');
  out.push_back(static_cast<char>(0xFF));
  const size_t pointers = out.size();
  out.append(4, '\0');
  const auto place = [&out](const std::string& piece) {
    out.resize((out.size() + 15) / 16 * 16, '\0');
    const size_t at = out.size();
    out += piece;
    return at;
  };
  const size_t instrument = place(s3m.substr(0x70, 0x50));
  Patch(out, pointers, static_cast<uint32_t>(instrument / 16), 2);
  Patch(out, pointers + 2, static_cast<uint32_t>(place(pattern) / 16), 2);
  const size_t sample = place(s3m.substr(0x200));
  Patch(out, instrument + 0x0E, static_cast<uint32_t>(sample / 16), 2);
  return out;
}

// The decoder walks a whole song before it plays: a song whose walk the patterns cannot bound
// below about a tenth of a second is refused, at any size.
TEST(AudioFileCheck, ModulesWhoseSongIsTooLongToWalkAreRefused) {
  TempDir dir;
  constexpr uint8_t kSpeed = 1, kSpecial = 19;
  // 239 orders of 64 rows at speed 255, in 576 bytes: seconds of walking, 65 hours of song.
  const std::string slow = LongS3m(239, 255);
  ASSERT_EQ(slow.size(), 576u);
  EXPECT_FALSE(Accepts(dir, "slow.s3m", slow));
  const struct {
    const char* what;
    std::string bytes;
    bool accepted;
  } cases[] = {
      {"one order at speed 255", LongS3m(1, 255), true},
      {"8 orders at speed 255: the most walked", LongS3m(8, 255), true},
      {"239 orders at speed 6", LongS3m(239, 6), true},
      {"9 orders at speed 255", LongS3m(9, 255), false},
      {"9 orders set to speed 255 by their pattern", LongS3m(9, 6, kSpeed, 255), false},
      {"a pattern delay of 15 on 30 orders", LongS3m(30, 6, kSpecial, 0xEF), false},
      {"a pattern loop of 15 on 30 orders", LongS3m(30, 6, kSpecial, 0xBF), false},
      {"a pattern loop of 15 on 2 orders", LongS3m(2, 6, kSpecial, 0xBF), true},
  };
  for (const auto& c : cases) EXPECT_EQ(Accepts(dir, "long.s3m", c.bytes), c.accepted) << c.what;
}

}  // namespace
