// Writes a compressed image container that is small on disk and far larger once inflated, for
// trying how the game bears such files: hostilecontainer KIND COUNT OUTPUT
//   image SIDE         one record "Huge": a SIDE x SIDE image of transparent pixels
//   palette COLOURS    one record "Huge": one palette of COLOURS colours
//   directory ENTRIES  ENTRIES entries with empty names, all pointing at the start of the file
//   zeros BYTES        an empty directory followed by zeros, BYTES inflated bytes in all
// A million-fold inflation is about what zlib gives for runs of zeros: "image 16384" writes about
// 1 MB that inflates to 1 GiB.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ImageContainerWriter.h"

namespace {

using namespace image_container;

// The 17-byte header of the inflated form and a directory of one entry "Huge" pointing right
// after it.
Bytes OneEntryDirectory() {
  Bytes out(17, 0);
  PutInt32(out, 1);
  out.insert(out.end(), {4, 'H', 'u', 'g', 'e'});
  PutInt32(out, static_cast<int32_t>(out.size() + 4));
  return out;
}

void Write(const std::string& kind, uint64_t count, const std::string& path) {
  CompressedFileWriter out(path);
  if (kind == "image" || kind == "palette") {
    if (count < 1 || count > INT32_MAX) throw std::runtime_error("the count must be 1 to 2^31-1");
    Bytes record = OneEntryDirectory();
    if (kind == "image") {
      const Bytes header =
          ImageHeaderBytes({static_cast<int32_t>(count), static_cast<int32_t>(count)});
      record.insert(record.end(), header.begin(), header.end());
      out.Write(record);
      out.WriteZeros(count * count * 4);
    } else {
      PutInt32(record, 1);
      PutInt32(record, static_cast<int32_t>(count));
      out.Write(record);
      out.WriteZeros(count * 4);
    }
  } else if (kind == "directory") {
    if (count > INT32_MAX) throw std::runtime_error("the count must be below 2^31");
    Bytes header(17, 0);
    PutInt32(header, static_cast<int32_t>(count));
    out.Write(header);
    out.WriteZeros(count * 5);  // a zero length byte and offset 0 each
  } else if (kind == "zeros") {
    out.WriteZeros(count < 21 ? 21 : count);  // the count 0 after the header: an empty directory
  } else {
    throw std::runtime_error("unknown kind " + kind);
  }
  out.Finish();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: hostilecontainer image|palette|directory|zeros COUNT OUTPUT\n");
    return 2;
  }
  try {
    Write(argv[1], std::strtoull(argv[2], nullptr, 10), argv[3]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "hostilecontainer: %s\n", error.what());
    return 1;
  }
  return 0;
}
