#include "support/AudioFiles.h"

#include <FLAC/stream_encoder.h>
#include <ogg/ogg.h>
#include <opus/opus.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace audiofiles {
namespace {

using wave::PutLittle;

void SetLittle(std::string& bytes, size_t at, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

FLAC__StreamEncoderWriteStatus AppendFlac(const FLAC__StreamEncoder*, const FLAC__byte buffer[],
                                          size_t bytes, uint32_t, uint32_t, void* out) {
  static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(buffer), bytes);
  return FLAC__STREAM_ENCODER_WRITE_STATUS_OK;
}

void AppendPages(ogg_stream_state& stream, std::string& out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.append(reinterpret_cast<const char*>(page.header), page.header_len);
    out.append(reinterpret_cast<const char*>(page.body), page.body_len);
  }
}

ogg_packet Packet(std::string& bytes, bool first, bool last, int64_t granule, int64_t number) {
  ogg_packet packet{};
  packet.packet = reinterpret_cast<unsigned char*>(bytes.data());
  packet.bytes = static_cast<long>(bytes.size());
  packet.b_o_s = first ? 1 : 0;
  packet.e_o_s = last ? 1 : 0;
  packet.granulepos = granule;
  packet.packetno = number;
  return packet;
}

// A module's one instrument: a square wave, looped.
std::string SquareWave(size_t length, int amplitude, bool isSigned) {
  std::string wave;
  for (size_t i = 0; i < length; ++i) {
    const int value = i < length / 2 ? amplitude : -amplitude;
    wave.push_back(static_cast<char>(isSigned ? value : value + 128));
  }
  return wave;
}

// A deterministic stream of numbers for the damage (the same files every run).
class Dice {
 public:
  explicit Dice(uint32_t seed) : state(seed * 2654435761u + 1) {}
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }

 private:
  uint32_t state;
};

std::string Extension(const std::string& name) { return name.substr(name.find_last_of('.')); }

// The WAV header fields, by their offset in a plain 44-byte header.
struct WavField {
  const char* label;
  size_t at;
  int size;
  uint32_t value;
};

}  // namespace

std::string Flac(const wave::Sound& sound) {
  std::string out;
  FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
  FLAC__stream_encoder_set_channels(encoder, static_cast<uint32_t>(sound.channels));
  FLAC__stream_encoder_set_bits_per_sample(encoder, 16);
  FLAC__stream_encoder_set_sample_rate(encoder, static_cast<uint32_t>(sound.rate));
  FLAC__stream_encoder_set_total_samples_estimate(encoder, sound.Frames());
  FLAC__stream_encoder_set_blocksize(encoder, 1024);
  FLAC__stream_encoder_init_stream(encoder, AppendFlac, nullptr, nullptr, nullptr, &out);
  std::vector<FLAC__int32> samples(sound.samples.begin(), sound.samples.end());
  FLAC__stream_encoder_process_interleaved(encoder, samples.data(),
                                           static_cast<uint32_t>(sound.Frames()));
  FLAC__stream_encoder_finish(encoder);
  FLAC__stream_encoder_delete(encoder);
  return out;
}

std::string Vorbis(const wave::Sound& sound, size_t commentBytes) {
  std::string out;
  vorbis_info info;
  vorbis_info_init(&info);
  vorbis_encode_init_vbr(&info, sound.channels, sound.rate, 0.3f);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  if (commentBytes > 0)
    vorbis_comment_add_tag(&comment, "NOTE", std::string(commentBytes, 'x').c_str());
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);

  ogg_packet id, tags, setup;
  vorbis_analysis_headerout(&dsp, &comment, &id, &tags, &setup);
  ogg_stream_packetin(&stream, &id);
  ogg_stream_packetin(&stream, &tags);
  ogg_stream_packetin(&stream, &setup);
  AppendPages(stream, out, true);

  const size_t frames = sound.Frames();
  const size_t chunk = 1024;
  for (size_t done = 0;; done += chunk) {
    const size_t now = done < frames ? std::min(chunk, frames - done) : 0;
    if (now > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(now));
      for (size_t f = 0; f < now; ++f) {
        for (int c = 0; c < sound.channels; ++c) {
          buffer[c][f] = sound.samples[(done + f) * sound.channels + c] / 32768.0f;
        }
      }
    }
    vorbis_analysis_wrote(&dsp, static_cast<int>(now));  // 0 ends the stream
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        AppendPages(stream, out, false);
      }
    }
    if (now == 0) break;
  }
  AppendPages(stream, out, true);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

std::string Opus(const wave::Sound& sound) {
  constexpr int kFrame = 960;  // 20 ms at 48000 Hz
  constexpr int kPreSkip = 312;
  const int channels = sound.channels;
  int error = 0;
  OpusEncoder* encoder = opus_encoder_create(48000, channels, OPUS_APPLICATION_AUDIO, &error);
  std::string out;
  if (encoder == nullptr) return out;
  ogg_stream_state stream;
  ogg_stream_init(&stream, 2);

  std::string head = "OpusHead";
  head.push_back(1);
  head.push_back(static_cast<char>(channels));
  PutLittle(head, kPreSkip, 2);
  PutLittle(head, 48000, 4);
  PutLittle(head, 0, 2);
  head.push_back(0);
  std::string tags = "OpusTags";
  PutLittle(tags, 4, 4);
  tags += "test";
  PutLittle(tags, 0, 4);
  ogg_packet packet = Packet(head, true, false, 0, 0);
  ogg_stream_packetin(&stream, &packet);
  AppendPages(stream, out, true);
  packet = Packet(tags, false, false, 0, 1);
  ogg_stream_packetin(&stream, &packet);
  AppendPages(stream, out, true);

  const size_t frames = sound.Frames();
  std::vector<int16_t> pcm(static_cast<size_t>(kFrame * channels));
  unsigned char coded[4000];
  int64_t number = 2;
  for (size_t done = 0; done < frames; done += kFrame) {
    std::fill(pcm.begin(), pcm.end(), 0);
    const size_t now = std::min<size_t>(kFrame, frames - done);
    std::copy_n(sound.samples.begin() + static_cast<long>(done * channels), now * channels,
                pcm.begin());
    const int bytes = opus_encode(encoder, pcm.data(), kFrame, coded, sizeof coded);
    if (bytes < 0) break;
    std::string data(reinterpret_cast<const char*>(coded), static_cast<size_t>(bytes));
    const bool last = done + kFrame >= frames;
    packet = Packet(data, false, last, kPreSkip + static_cast<int64_t>(done + now), number++);
    ogg_stream_packetin(&stream, &packet);
    AppendPages(stream, out, false);
  }
  AppendPages(stream, out, true);
  ogg_stream_clear(&stream);
  opus_encoder_destroy(encoder);
  return out;
}

std::string Voc(const wave::Sound& sound) {
  std::string out = "Creative Voice File\x1A";
  PutLittle(out, 26, 2);      // header size
  PutLittle(out, 0x010A, 2);  // version 1.10
  PutLittle(out, 0x1129, 2);  // its check: ~version + 0x1234
  const size_t frames = sound.Frames();
  out.push_back(1);  // sound data
  PutLittle(out, static_cast<uint32_t>(frames + 2), 3);
  out.push_back(static_cast<char>(256 - 1000000 / sound.rate));
  out.push_back(0);  // 8-bit unsigned
  for (size_t f = 0; f < frames; ++f) {
    out.push_back(static_cast<char>((sound.samples[f * sound.channels] >> 8) + 128));
  }
  out.push_back(0);  // terminator
  return out;
}

std::string Mod() {
  const std::string wave = SquareWave(64, 60, true);
  std::string out(20, '\0');
  out.replace(0, 4, "test");
  for (int i = 0; i < 31; ++i) {
    std::string sample(30, '\0');
    if (i == 0) {
      sample.replace(0, 6, "square");
      sample[22] = 0;
      sample[23] = static_cast<char>(wave.size() / 2);  // length in words, big-endian
      sample[25] = 64;                                  // volume
      sample[27] = 0;                                   // loop start
      sample[29] = static_cast<char>(wave.size() / 2);  // loop length
    }
    out += sample;
  }
  out.push_back(1);    // song length
  out.push_back(127);  // restart byte
  out.append(128, '\0');
  out += "M.K.";
  // One pattern, 64 rows of 4 channels: a note with the speed set to 1 on the first row, another
  // note a third of the way down, and a jump to the end there.
  std::string pattern(64 * 4 * 4, '\0');
  auto note = [&](int row, int channel, uint16_t period, int effect, int parameter) {
    const size_t at = static_cast<size_t>((row * 4 + channel) * 4);
    pattern[at] = static_cast<char>(0x00 | ((period >> 8) & 0x0F));  // sample 1: high nibble 0
    pattern[at + 1] = static_cast<char>(period & 0xFF);
    pattern[at + 2] = static_cast<char>(0x10 | effect);  // low nibble of sample 1, effect
    pattern[at + 3] = static_cast<char>(parameter);
  };
  note(0, 0, 214, 0xF, 3);   // C-3, speed 3
  note(20, 0, 170, 0xD, 0);  // E-3, break to the end of the song
  out += pattern;
  out += wave;
  return out;
}

std::string S3m() {
  const std::string wave = SquareWave(64, 60, false);
  std::string out(28, '\0');
  out.replace(0, 4, "test");
  out.push_back(0x1A);
  out.push_back(16);  // a module
  out.append(2, '\0');
  PutLittle(out, 2, 2);  // orders (the pattern, then the end)
  PutLittle(out, 1, 2);  // instruments
  PutLittle(out, 1, 2);  // patterns
  PutLittle(out, 0, 2);  // flags
  PutLittle(out, 0x1320, 2);
  PutLittle(out, 2, 2);  // unsigned samples
  out += "SCRM";
  out.push_back(64);                       // global volume
  out.push_back(3);                        // speed
  out.push_back(125);                      // tempo
  out.push_back(static_cast<char>(0xB0));  // master volume, stereo
  out.push_back(0);
  out.push_back(0);
  out.append(8, '\0');
  PutLittle(out, 0, 2);
  for (int c = 0; c < 32; ++c)
    out.push_back(c < 4 ? static_cast<char>(c) : static_cast<char>(0xFF));
  out.push_back(0);                        // order 0: pattern 0
  out.push_back(static_cast<char>(0xFF));  // end of the song
  // Parapointers (offsets / 16): instrument at 0x70 (7), pattern at 0xC0 (12), sample at 0x200.
  PutLittle(out, 7, 2);
  PutLittle(out, 12, 2);
  out.resize(0x70, '\0');

  std::string instrument;
  instrument.push_back(1);  // a sample
  instrument.append(12, '\0');
  instrument.push_back(0);  // sample offset / 16, high byte
  PutLittle(instrument, 0x200 / 16, 2);
  PutLittle(instrument, static_cast<uint32_t>(wave.size()), 4);
  PutLittle(instrument, 0, 4);
  PutLittle(instrument, static_cast<uint32_t>(wave.size()), 4);
  instrument.push_back(64);  // volume
  instrument.push_back(0);
  instrument.push_back(0);  // not packed
  instrument.push_back(1);  // looped
  PutLittle(instrument, 8363, 4);
  instrument.append(12, '\0');
  std::string name = "square";
  name.resize(28, '\0');
  instrument += name;
  instrument += "SCRS";
  out += instrument;
  out.resize(0xC0, '\0');

  // The packed pattern: 64 rows, each ended by a 0.
  std::string rows;
  for (int row = 0; row < 64; ++row) {
    if (row == 0 || row == 20) {
      rows.push_back(static_cast<char>(0x20 | 0x80));  // channel 0: note, instrument and effect
      rows.push_back(static_cast<char>(row == 0 ? 0x40 : 0x44));  // C-4 or E-4
      rows.push_back(1);
      rows.push_back(row == 0 ? 1 : 3);  // A: speed; C: break
      rows.push_back(row == 0 ? 3 : 0);
    }
    rows.push_back(0);
  }
  PutLittle(out, static_cast<uint32_t>(rows.size() + 2), 2);
  out += rows;
  out.resize(0x200, '\0');
  out += wave;
  return out;
}

std::string Xm() {
  std::string wave = SquareWave(64, 60, true);
  // Its samples are stored as the difference from the one before.
  for (size_t i = wave.size() - 1; i > 0; --i) wave[i] = static_cast<char>(wave[i] - wave[i - 1]);
  std::string out = "Extended Module: test";
  out.resize(37, '\0');
  out.push_back(0x1A);
  out += "test";
  out.resize(58, '\0');
  PutLittle(out, 0x0104, 2);
  PutLittle(out, 20 + 256, 4);  // header size, from here
  PutLittle(out, 1, 2);         // song length
  PutLittle(out, 0, 2);         // restart
  PutLittle(out, 4, 2);         // channels
  PutLittle(out, 1, 2);         // patterns
  PutLittle(out, 1, 2);         // instruments
  PutLittle(out, 1, 2);         // linear frequencies
  PutLittle(out, 3, 2);         // speed
  PutLittle(out, 125, 2);       // tempo
  out.append(256, '\0');        // order 0: pattern 0

  // The pattern, packed: a note on the first row, a break to the end a third of the way down.
  std::string rows;
  for (int row = 0; row < 64; ++row) {
    for (int channel = 0; channel < 4; ++channel) {
      if (channel == 0 && row == 0) {
        rows += "\x83\x31\x01";  // C-4, instrument 1
      } else if (channel == 0 && row == 20) {
        rows += std::string("\x98\x0D\x00", 3);  // effect D: break
      } else {
        rows.push_back(static_cast<char>(0x80));
      }
    }
  }
  PutLittle(out, 9, 4);
  out.push_back(0);
  PutLittle(out, 64, 2);
  PutLittle(out, static_cast<uint32_t>(rows.size()), 2);
  out += rows;

  std::string instrument;
  PutLittle(instrument, 243, 4);  // its header's size
  instrument += "square";
  instrument.resize(26, '\0');
  instrument.push_back(0);
  PutLittle(instrument, 1, 2);   // samples
  PutLittle(instrument, 40, 4);  // a sample header's size
  instrument.resize(243, '\0');  // every note plays sample 0; no envelopes
  out += instrument;
  PutLittle(out, static_cast<uint32_t>(wave.size()), 4);
  PutLittle(out, 0, 4);                                   // loop start
  PutLittle(out, static_cast<uint32_t>(wave.size()), 4);  // loop length
  out.push_back(64);                                      // volume
  out.push_back(0);
  out.push_back(1);  // looped, 8-bit
  out.push_back(static_cast<char>(0x80));
  out.push_back(0);
  out.push_back(0);
  out.append(22, '\0');
  out += wave;
  return out;
}

std::string It() {
  const std::string wave = SquareWave(64, 60, true);
  std::string out = "IMPMtest";
  out.resize(30, '\0');
  PutLittle(out, 0x1004, 2);
  PutLittle(out, 2, 2);  // orders (the pattern, then the end)
  PutLittle(out, 0, 2);  // instruments
  PutLittle(out, 1, 2);  // samples
  PutLittle(out, 1, 2);  // patterns
  PutLittle(out, 0x0214, 2);
  PutLittle(out, 0x0214, 2);
  PutLittle(out, 0x09, 2);  // stereo, linear slides, no instruments
  PutLittle(out, 0, 2);
  out.push_back(static_cast<char>(128));  // global volume
  out.push_back(48);                      // mixing volume
  out.push_back(3);                       // speed
  out.push_back(125);                     // tempo
  out.push_back(static_cast<char>(128));
  out.push_back(0);
  PutLittle(out, 0, 2);
  PutLittle(out, 0, 4);
  PutLittle(out, 0, 4);
  for (int c = 0; c < 64; ++c) out.push_back(c < 4 ? 32 : static_cast<char>(0xA0));
  out.append(64, 64);  // channel volumes
  out.push_back(0);
  out.push_back(static_cast<char>(0xFF));
  const uint32_t sampleAt = 0xC0 + 2 + 8;
  const uint32_t patternAt = sampleAt + 0x50;
  PutLittle(out, sampleAt, 4);
  PutLittle(out, patternAt, 4);

  std::string rows;
  for (int row = 0; row < 64; ++row) {
    if (row == 0) rows += "\x81\x03\x3C\x01";                   // C-5, sample 1
    if (row == 20) rows += std::string("\x81\x08\x03\x00", 4);  // effect C: break
    rows.push_back(0);
  }
  const uint32_t dataAt = patternAt + 8 + static_cast<uint32_t>(rows.size());

  std::string sample = "IMPSsquare";
  sample.resize(0x11, '\0');
  sample.push_back(64);    // global volume
  sample.push_back(0x11);  // present, looped, 8-bit
  sample.push_back(64);    // volume
  sample += "square";
  sample.resize(0x2E, '\0');
  sample.push_back(1);  // signed
  sample.push_back(32);
  PutLittle(sample, static_cast<uint32_t>(wave.size()), 4);
  PutLittle(sample, 0, 4);
  PutLittle(sample, static_cast<uint32_t>(wave.size()), 4);
  PutLittle(sample, 8363, 4);
  PutLittle(sample, 0, 4);
  PutLittle(sample, 0, 4);
  PutLittle(sample, dataAt, 4);
  sample.append(4, '\0');
  out += sample;

  PutLittle(out, static_cast<uint32_t>(rows.size()), 2);
  PutLittle(out, 64, 2);
  out.append(4, '\0');
  out += rows;
  out += wave;
  return out;
}

std::vector<File> GoodFiles() {
  const wave::Sound tone = wave::Tone(0.3, 440.0, 0.5);
  const wave::Sound mono = wave::Tone(0.3, 440.0, 0.5, 22050, 1);
  return {
      {"good.wav", wave::Encode(tone)},
      {"good.flac", Flac(tone)},
      {"good.ogg", Vorbis(tone)},
      {"good.opus", Opus(wave::Tone(0.3, 440.0, 0.5, 48000))},
      {"good.voc", Voc(mono)},
      {"good.mod", Mod()},
      {"good.s3m", S3m()},
  };
}

std::string AbsurdRateWav() {
  std::string bytes = wave::Encode(wave::Tone(0.3, 440.0, 0.5));
  SetLittle(bytes, 24, 0xFFFFFFFF, 4);
  return bytes;
}

std::vector<File> DamagedFiles() {
  std::vector<File> files;
  const std::string wav = wave::Encode(wave::Tone(0.3, 440.0, 0.5));
  const WavField fields[] = {
      {"rate-max", 24, 4, 0xFFFFFFFF},
      {"rate-0", 24, 4, 0},
      {"rate-huge", 24, 4, 0x7FFFFFFF},
      {"byterate-0", 28, 4, 0},
      {"channels-0", 22, 2, 0},
      {"channels-max", 22, 2, 0xFFFF},
      {"channels-9", 22, 2, 9},
      {"bits-0", 34, 2, 0},
      {"bits-7", 34, 2, 7},
      {"bits-max", 34, 2, 0xFFFF},
      {"align-0", 32, 2, 0},
      {"align-max", 32, 2, 0xFFFF},
      {"format-float", 20, 2, 3},
      {"format-other", 20, 2, 0x55},
      {"fmt-size-max", 16, 4, 0xFFFFFFFF},
      {"fmt-size-0", 16, 4, 0},
      {"data-size-max", 40, 4, 0xFFFFFFFF},
      {"data-size-odd", 40, 4, 3},
      {"data-size-0", 40, 4, 0},
      {"riff-size-0", 4, 4, 0},
  };
  for (const WavField& field : fields) {
    std::string bytes = wav;
    SetLittle(bytes, field.at, field.value, field.size);
    files.push_back({std::string("wav-") + field.label + ".wav", bytes});
  }
  files.push_back({"wav-no-data.wav", wav.substr(0, 36)});
  files.push_back({"wav-no-fmt.wav", wav.substr(0, 12) + wav.substr(36)});
  std::string renamed = wav;
  renamed.replace(36, 4, "junk");
  files.push_back({"wav-data-renamed.wav", renamed});

  // The tracker modules' tempos, sample rates and sample lengths, and a pattern layout the decoder
  // reads past its buffers. XM and IT files are named as the engine's module kinds: the decoder
  // takes them by their signature.
  const struct {
    const char* label;
    std::string (*writer)();
    size_t at;
    int size;
    uint32_t value;
  } moduleFields[] = {
      {"s3m-tempo-0.s3m", S3m, 0x32, 1, 0},
      {"s3m-rate-0.s3m", S3m, 0x90, 4, 0},
      {"s3m-length-max.s3m", S3m, 0x80, 4, 0xFFFFFFFF},
      {"s3m-command-32.s3m", S3m, 0xC5, 2, 32},
      {"mod-flt8.mod", Mod, 1080, 4, 0x38544C46},  // "FLT8"
      {"xm-tempo-0.mod", Xm, 78, 2, 0},
      {"xm-length-max.mod", Xm, 848, 4, 0xFFFFFFFF},
      {"it-tempo-0.s3m", It, 0x33, 1, 0},
      {"it-rate-0.s3m", It, 0xCA + 0x3C, 4, 0},
      {"it-length-max.s3m", It, 0xCA + 0x30, 4, 0xFFFFFFFF},
  };
  for (const auto& field : moduleFields) {
    std::string bytes = field.writer();
    SetLittle(bytes, field.at, field.value, field.size);
    files.push_back({field.label, bytes});
  }

  for (const File& good : GoodFiles()) {
    const std::string kind = good.name.substr(5);  // after "good."
    const std::string ext = Extension(good.name);
    for (int percent : {2, 10, 25, 50, 75, 90}) {
      const size_t length = good.bytes.size() * static_cast<size_t>(percent) / 100;
      files.push_back(
          {kind + "-cut-" + std::to_string(percent) + ext, good.bytes.substr(0, length)});
    }
    for (uint32_t seed = 1; seed <= 6; ++seed) {
      // Odd seeds flip bits anywhere, even ones in the first 64 bytes (the headers).
      Dice dice(seed + static_cast<uint32_t>(ext.size()) * 97);
      std::string bytes = good.bytes;
      const size_t span = seed % 2 == 0 ? std::min<size_t>(64, bytes.size()) : bytes.size();
      for (int i = 0; i < 8; ++i)
        bytes[dice.Next() % span] ^= static_cast<char>(1u << (dice.Next() % 8));
      files.push_back({kind + "-flip-" + std::to_string(seed) + ext, bytes});
    }
    Dice dice(static_cast<uint32_t>(ext.size()) + 7);
    std::string noise(2000, '\0');
    for (char& c : noise) c = static_cast<char>(dice.Next());
    files.push_back({kind + "-noise" + ext, noise});
    files.push_back({kind + "-empty" + ext, ""});
  }
  return files;
}

}  // namespace audiofiles
