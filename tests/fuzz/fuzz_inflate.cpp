// The inflater against zlib's own one-call inflate of the same bytes: whenever the inflater says
// the stream ended, it must have written exactly what zlib inflates.

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/ZLibDecompressor.h"

namespace {

// zlib's answer: the inflated bytes and whether the stream ended.
bool ReferenceInflate(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  int ret = Z_OK;
  uint8_t buffer[65536];
  while (ret == Z_OK) {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    ret = inflate(&z, Z_NO_FLUSH);
    out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    if (ret == Z_BUF_ERROR && z.avail_in == 0) break;
  }
  inflateEnd(&z);
  return ret == Z_STREAM_END;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* in = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  char* written = nullptr;
  size_t writtenSize = 0;
  FILE* out = open_memstream(&written, &writtenSize);
  if (in == nullptr || out == nullptr) std::abort();
  const int result = ZLibDecompressor::Inflate(in, out);
  std::fclose(in);
  std::fclose(out);

  std::vector<uint8_t> expected;
  const bool ended = ReferenceInflate(data, size, expected);
  if ((result == Z_OK) != ended) std::abort();
  if (result != Z_OK && result != Z_DATA_ERROR) std::abort();
  if (ended && (expected.size() != writtenSize ||
                (writtenSize > 0 && std::memcmp(expected.data(), written, writtenSize) != 0))) {
    std::abort();
  }
  std::free(written);
  return 0;
}
