#pragma once

#include <cstdio>
#include <string>

// Reads the headers of the audio formats whose platform decoders take them on trust, before a
// decoder sees the file. Allegro's WAV reader plays whatever rate, channels and sizes it is told
// (a rate of 0xFFFFFFFF overruns its buffers), and its FLAC reader sizes its buffers from the
// stream information block while libFLAC decodes what the frames say (a flipped channel count
// there crashes it). The tracker-module decoder divides by an S3M's tempo and its samples' rates,
// allocates what the sample lengths say, and reads eight-channel MOD patterns stored in pairs past
// its buffers; it also takes XM and IT files by their signature whatever their name, and runs
// through a damaged one's song for ever, so those are refused.
// Other formats pass: their libraries check their own framing.
class AudioFileCheck {
 public:
  // Whether the file's headers are sane for its format (chosen by the extension, or by the
  // signature it starts with, as the decoders choose); a file that cannot be read is not.
  static bool Accepts(const std::string& path);

  // The same for an open file (read from its start; its position is left anywhere).
  static bool Accepts(const std::string& path, FILE* file);

  // The path's extension from its last dot, in lower case ("" with none).
  static std::string Extension(const std::string& path);
};
