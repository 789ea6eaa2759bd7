#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ImageContainerWriter.h"
#include "resources/ZLibDecompressor.h"
#include "support/TempDir.h"

namespace {

using image_container::Bytes;
using image_container::ContainerWriter;

// Runs the inflater from memory into memory.
struct Inflation {
  int result;
  Bytes written;
};

Inflation InflateBytes(const Bytes& in, int64_t limit = INT64_MAX) {
  FILE* source = fmemopen(const_cast<uint8_t*>(in.data()), in.size(), "rb");
  char* data = nullptr;
  size_t size = 0;
  FILE* sink = open_memstream(&data, &size);
  Inflation out{ZLibDecompressor::Inflate(source, sink, limit), {}};
  std::fclose(source);
  std::fclose(sink);
  out.written.assign(data, data + size);
  std::free(data);
  return out;
}

// Several chunks of output, compressible but not trivially so.
Bytes Pattern(size_t size) {
  Bytes out(size);
  uint32_t seed = 12345;
  for (size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    out[i] = static_cast<uint8_t>((i / 7) ^ ((seed >> 16) & 3));
  }
  return out;
}

TEST(ZLibDecompressor, InflatesAStreamLongerThanManyChunks) {
  const Bytes original = Pattern(3 * 524288 + 777);
  const Inflation got = InflateBytes(ContainerWriter::Compress(original));
  EXPECT_EQ(got.result, Z_OK);
  EXPECT_EQ(got.written, original);
}

TEST(ZLibDecompressor, IgnoresBytesAfterTheEndOfTheStream) {
  const Bytes original = Pattern(1000);
  Bytes stream = ContainerWriter::Compress(original);
  stream.insert(stream.end(), {1, 2, 3, 4, 5});
  const Inflation got = InflateBytes(stream);
  EXPECT_EQ(got.result, Z_OK);
  EXPECT_EQ(got.written, original);
}

TEST(ZLibDecompressor, DamagedStreamsAnswerDataErrorAndKeepWhatCameFirst) {
  const Bytes original = Pattern(2 * 524288);
  const Bytes stream = ContainerWriter::Compress(original);

  Bytes cut(stream.begin(), stream.begin() + static_cast<ptrdiff_t>(stream.size() / 2));
  Bytes badChecksum = stream;
  badChecksum.back() ^= 0xFF;
  Bytes badHeader = stream;
  badHeader[0] = 0x00;

  struct Case {
    const char* what;
    Bytes bytes;
    bool keepsAPrefix;
  };
  const Case cases[] = {
      {"cut in half", cut, true},
      {"wrong checksum", badChecksum, true},
      {"not a zlib header", badHeader, false},
      {"empty", {}, false},
  };
  for (const Case& c : cases) {
    const Inflation got = InflateBytes(c.bytes);
    EXPECT_EQ(got.result, Z_DATA_ERROR) << c.what;
    ASSERT_LE(got.written.size(), original.size()) << c.what;
    EXPECT_TRUE(std::equal(got.written.begin(), got.written.end(), original.begin())) << c.what;
    if (c.keepsAPrefix) {
      EXPECT_GT(got.written.size(), 0u) << c.what;
    }
  }
}

// A bound on the inflated size: a stream that stays within it inflates whole; one that passes it
// stops at it, wherever inside a chunk that falls, with the bytes up to the bound written.
TEST(ZLibDecompressor, OutputPastTheLimitStopsThereWithBufError) {
  const Bytes original = Pattern(2 * 524288 + 10);
  const Bytes stream = ContainerWriter::Compress(original);
  const int64_t size = static_cast<int64_t>(original.size());
  struct Case {
    int64_t limit;
    int result;
  };
  const Case cases[] = {{size, Z_OK},
                        {size - 1, Z_BUF_ERROR},
                        {524288, Z_BUF_ERROR},
                        {1000, Z_BUF_ERROR},
                        {0, Z_BUF_ERROR}};
  for (const Case& c : cases) {
    const Inflation got = InflateBytes(stream, c.limit);
    EXPECT_EQ(got.result, c.result) << "limit " << c.limit;
    EXPECT_EQ(got.written, Bytes(original.begin(), original.begin() + c.limit))
        << "limit " << c.limit;
  }
}

TEST(ZLibDecompressor, StreamNeedingADictionaryIsADataError) {
  z_stream z{};
  ASSERT_EQ(deflateInit(&z, Z_DEFAULT_COMPRESSION), Z_OK);
  const Bytef dictionary[] = "quillmere";
  deflateSetDictionary(&z, dictionary, sizeof dictionary);
  Bytes input = Pattern(100), out(1000);
  z.next_in = input.data();
  z.avail_in = static_cast<uInt>(input.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);

  EXPECT_EQ(InflateBytes(out).result, Z_DATA_ERROR);
}

TEST(ZLibDecompressor, ReadAndWriteErrorsAnswerErrno) {
  const TempDir dir;
  const char* const name = "stream.z";
  ContainerWriter::WriteFile(name, ContainerWriter::Compress(Pattern(1000)));

  // Input that cannot be read: a stream opened for writing only.
  FILE* writeOnly = std::fopen(name, "ab");
  FILE* sink = std::tmpfile();
  EXPECT_EQ(ZLibDecompressor::Inflate(writeOnly, sink), Z_ERRNO);
  std::fclose(writeOnly);
  std::fclose(sink);

  // Output that cannot be written: a stream opened for reading only.
  FILE* source = std::fopen(name, "rb");
  FILE* readOnly = std::fopen(name, "rb");
  EXPECT_EQ(ZLibDecompressor::Inflate(source, readOnly), Z_ERRNO);
  std::fclose(source);
  std::fclose(readOnly);
}

}  // namespace
