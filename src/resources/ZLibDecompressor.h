#pragma once

#include <cstdint>
#include <cstdio>

// Inflates one whole zlib stream (RFC 1950) from a file into another, in 512 KiB chunks.
class ZLibDecompressor {
 public:
  // Reads from in's current position and writes every inflated byte to out, also when the stream
  // turns out damaged or cut short (what came before the fault is kept). Answers 0 at the end of
  // the stream; Z_ERRNO (-1) on a read error, a write error or a short write; Z_DATA_ERROR (-3) on
  // corrupt data, a stream that needs a preset dictionary, or input that ends before the stream
  // does; Z_MEM_ERROR (-4) when zlib runs out of memory; an inflateInit error as it comes. Bytes
  // after the end of the stream are ignored. With a limit, a stream that inflates to more than
  // that many bytes stops there with Z_BUF_ERROR (-5), the first limit bytes written.
  static int Inflate(FILE* in, FILE* out, int64_t limit = INT64_MAX);
};
