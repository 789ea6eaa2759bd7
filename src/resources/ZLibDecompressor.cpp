#include "resources/ZLibDecompressor.h"

#include <zlib.h>

#include <cassert>
#include <memory>

namespace {

constexpr size_t kChunk = 524288;

// Ends the stream state on every way out.
struct InflateStream {
  z_stream stream{};
  bool open = false;
  ~InflateStream() {
    if (open) inflateEnd(&stream);
  }
};

}  // namespace

int ZLibDecompressor::Inflate(FILE* in, FILE* out, int64_t limit) {
  // On the heap, as two chunks would take a whole default thread stack, and kept from one call
  // to the next.
  thread_local const std::unique_ptr<unsigned char[]> input(new unsigned char[kChunk]);
  thread_local const std::unique_ptr<unsigned char[]> output(new unsigned char[kChunk]);

  InflateStream z;
  int ret = inflateInit(&z.stream);
  if (ret != Z_OK) return ret;
  z.open = true;

  do {
    z.stream.avail_in = static_cast<uInt>(std::fread(input.get(), 1, kChunk, in));
    if (std::ferror(in)) return Z_ERRNO;
    if (z.stream.avail_in == 0) return Z_DATA_ERROR;  // the file ended inside the stream
    z.stream.next_in = input.get();

    do {
      z.stream.avail_out = kChunk;
      z.stream.next_out = output.get();
      ret = inflate(&z.stream, Z_NO_FLUSH);
      assert(ret != Z_STREAM_ERROR);  // a clobbered stream state, never the file's doing
      if (ret == Z_STREAM_ERROR) return ret;
      if (ret == Z_NEED_DICT) ret = Z_DATA_ERROR;
      size_t produced = kChunk - z.stream.avail_out;
      const bool pastLimit = static_cast<uint64_t>(produced) > static_cast<uint64_t>(limit);
      if (pastLimit) produced = static_cast<size_t>(limit);
      limit -= static_cast<int64_t>(produced);
      // What was inflated before a fault is still written: a cut container keeps its front part.
      if (produced > 0 &&
          (std::fwrite(output.get(), 1, produced, out) != produced || std::ferror(out))) {
        return Z_ERRNO;
      }
      if (pastLimit) return Z_BUF_ERROR;
      if (ret == Z_DATA_ERROR || ret == Z_MEM_ERROR) return ret;
    } while (z.stream.avail_out == 0 && ret != Z_STREAM_END);
  } while (ret != Z_STREAM_END);

  return Z_OK;
}
