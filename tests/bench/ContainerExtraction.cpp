// Opens a compressed image container of 32 MiB of pixels and extracts every image, next to
// zlib's own inflate of the same file in the same run. The aim: extraction (open, inflate into
// the temporary file, read the directory, every image into its bitmap, close) costs no more than
// twice the raw inflate. Best of five rounds each. For scale it also times the floor that any
// extraction stands on: making as many new bitmaps and writing each once.

#include <allegro5/allegro.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ImageContainerWriter.h"
#include "core/Log.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "support/AllegroHeadless.h"
#include "support/TempDir.h"

namespace {

using namespace image_container;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Sprite-like pictures: smooth shading, hard-edged shapes, a transparent surround and a little
// noise, so that the stream compresses about as game art does.
std::vector<Colour> Picture(int32_t w, int32_t h, uint32_t seed) {
  std::vector<Colour> out(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int dx = x - w / 2, dy = y - h / 2;
      const bool inside = dx * dx + dy * dy < (w / 2) * (h / 2);
      const auto noise = static_cast<uint8_t>((seed >> 24) & 7);
      out[static_cast<size_t>(y) * w + x] =
          inside ? Colour{static_cast<uint8_t>(x + noise), static_cast<uint8_t>(y * 2),
                          static_cast<uint8_t>(((x / 16 + y / 16) & 1) ? 200 : 60 + noise), 255}
                 : Colour{0, 0, 0, 0};
    }
  }
  return out;
}

}  // namespace

int main() {
  StartAllegroHeadless();
  SetLogSink([](std::string_view text) { std::fputs(std::string(text).c_str(), stderr); });
  TempDir dir;

  // 32 images of 512 x 512 (32 MiB), half of them stored cropped.
  ContainerWriter writer;
  int64_t pixelBytes = 0;
  std::vector<std::string> names;
  for (uint32_t i = 0; i < 32; ++i) {
    const int32_t w = 512, h = 512;
    const std::vector<Colour> pixels = Picture(w, h, i);
    names.push_back("image" + std::to_string(i));
    if (i % 2 == 0) {
      writer.Add(names.back(), ImageRecordBytes(w, h, pixels));
    } else {
      writer.Add(names.back(), CroppedImageRecordBytes(w + 64, h + 64, 32, 32, w, h, pixels));
    }
    pixelBytes += int64_t{w} * h * 4;
  }
  const Bytes compressed = writer.Compressed();
  const size_t inflatedSize = writer.Inflated().size();
  ContainerWriter::WriteFile("bench.sif", compressed);
  std::printf("container: %zu images, %.1f MiB of pixels, %.1f MiB compressed, %.1f MiB inflated\n",
              names.size(), pixelBytes / 1048576.0, compressed.size() / 1048576.0,
              inflatedSize / 1048576.0);

  Bytes file(compressed.size());  // allocated once, so that no round pays for fresh pages
  double bestInflate = 1e9, bestOpen = 1e9, bestExtract = 1e9, bestTotal = 1e9, bestFresh = 1e9;
  for (int round = 0; round < 5; ++round) {
    // zlib alone: the same file read into memory and inflated through one reused 512 KiB
    // output buffer, the output dropped (the fastest way zlib can take the stream).
    {
      const auto start = Clock::now();
      FILE* in = std::fopen("bench.sif", "rb");
      if (std::fread(file.data(), 1, file.size(), in) != file.size()) return 1;
      std::fclose(in);
      static Bytef out[524288];
      z_stream z{};
      inflateInit(&z);
      z.next_in = file.data();
      z.avail_in = static_cast<uInt>(file.size());
      int ret;
      do {
        z.next_out = out;
        z.avail_out = sizeof out;
        ret = inflate(&z, Z_NO_FLUSH);
      } while (ret == Z_OK);
      const uLong total = z.total_out;
      inflateEnd(&z);
      if (ret != Z_STREAM_END || total != inflatedSize) return 1;
      bestInflate = std::min(bestInflate, Seconds(start));
    }
    // The floor under any extraction: as many new bitmaps of the same sizes, each written once
    // through a lock (fresh memory is paid for at its first touch).
    {
      const auto start = Clock::now();
      std::vector<ALLEGRO_BITMAP*> bitmaps;
      for (size_t i = 0; i < names.size(); ++i) {
        ALLEGRO_BITMAP* bitmap = al_create_bitmap(512, 512);
        ALLEGRO_LOCKED_REGION* region =
            al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_WRITEONLY);
        for (int y = 0; y < 512; ++y) {
          std::memset(static_cast<uint8_t*>(region->data) + y * region->pitch, 0, 512 * 4);
        }
        al_unlock_bitmap(bitmap);
        bitmaps.push_back(bitmap);
      }
      bestFresh = std::min(bestFresh, Seconds(start));
      for (ALLEGRO_BITMAP* bitmap : bitmaps) al_destroy_bitmap(bitmap);
    }
    // The manager: open (inflate into the temporary file, directory), every image, close.
    {
      ExternalImageManager manager;
      const auto start = Clock::now();
      manager.OpenFile("bench.sif");
      const double opened = Seconds(start);
      std::vector<ImageObject*> images;
      for (const std::string& name : names)
        images.push_back(manager.GetBitmapFromActiveFile(name.c_str()));
      manager.CloseFile();
      const double total = Seconds(start);
      bestOpen = std::min(bestOpen, opened);
      bestExtract = std::min(bestExtract, total - opened);
      bestTotal = std::min(bestTotal, total);
      for (ImageObject* image : images) {
        if (image == nullptr) return 1;
        delete image;
      }
    }
  }
  std::printf("zlib inflate alone:        %7.1f ms\n", bestInflate * 1000);
  std::printf("new bitmaps alone:         %7.1f ms  (allocated and written once)\n",
              bestFresh * 1000);
  std::printf("open (inflate to file):    %7.1f ms\n", bestOpen * 1000);
  std::printf("extract every image:       %7.1f ms\n", bestExtract * 1000);
  std::printf("open + extract + close:    %7.1f ms  (%.2f x zlib inflate)\n", bestTotal * 1000,
              bestTotal / bestInflate);
  return 0;
}
