#include "world/Chunk.h"

#include <sys/types.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/DeferredCallList.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "resources/BitmapLock.h"
#include "world/ChunkLoader.h"

namespace {

constexpr int32_t kColumnsPerPart = 64;
constexpr float kPartTime = 0.001f;

// Reads count items of size bytes. An item cut short and every one after it keep 0, a fresh
// chunk's value, since every region of a chunk is read only once.
void ReadItems(std::FILE* file, void* destination, size_t size, size_t count) {
  const size_t got = std::fread(destination, size, count, file);
  if (got < count) {
    std::memset(static_cast<char*>(destination) + got * size, 0, (count - got) * size);
  }
}

}  // namespace

Chunk::Chunk(const ChunkLoader* owner)
    : owner(owner),
      colours(static_cast<size_t>(kColourBytes), 0),
      clips(kPixels, 0),
      layers(kPixels, 0) {
  upper.Create(kSize, kSize, &gOpenGLMode);
  lower.Create(kSize, kSize, &gOpenGLMode);
}

Chunk::~Chunk() {
  if (gDeferredCallList != nullptr) gDeferredCallList->RemoveByUser(this);
  upper.Destroy();
  lower.Destroy();
}

int32_t Chunk::IsFree(int32_t x, int32_t y) const {
  if (x < 0 || x >= kSize || y < 0 || y >= kSize) {
    Log("Clip was out of the Chunk's range\n");
    return 0;
  }
  return clips[static_cast<size_t>(x) * kSize + y] == 0 ? 1 : 0;
}

bool Chunk::SeekToReadOffset(std::FILE* file) const {
  return fseeko(file, static_cast<off_t>(readOffset), SEEK_SET) == 0;
}

void Chunk::ReadColours(std::FILE* file, int32_t first, int32_t count) {
  ReadItems(file, colours.data() + static_cast<size_t>(first) * kSize * 4, 4,
            static_cast<size_t>(count) * kSize);
  readOffset += int64_t{count} * kSize * 4;
}

void Chunk::ReadClips(std::FILE* file) {
  ReadItems(file, clips.data(), sizeof(int16_t), clips.size());
  if constexpr (std::endian::native == std::endian::big) {
    for (int16_t& clip : clips) {
      const auto v = static_cast<uint16_t>(clip);
      clip = static_cast<int16_t>(static_cast<uint16_t>((v >> 8) | (v << 8)));
    }
  }
  readOffset += kClipBytes;
}

void Chunk::ReadLayers(std::FILE* file, int32_t first, int32_t count) {
  ReadItems(file, layers.data() + static_cast<size_t>(first) * kSize, 1,
            static_cast<size_t>(count) * kSize);
  readOffset += int64_t{count} * kSize;
}

void Chunk::ReadWhole(std::FILE* file, int64_t offset) {
  if (file == nullptr) return;
  if (gDeferredCallList != nullptr) gDeferredCallList->RemoveByUser(this);
  readOffset = offset;
  // A seek that fails reads nothing: the chunk keeps its fresh values.
  if (SeekToReadOffset(file)) {
    ReadColours(file, 0, kSize);
    ReadClips(file);
    ReadLayers(file, 0, kSize);
  }
  nextPart = kPartCount;
  BuildLowerImage();
  BuildUpperImage();
}

bool Chunk::BeginLoad(int64_t offset) {
  if (gDeferredCallList == nullptr) return false;
  readOffset = offset;
  nextPart = 0;
  for (int32_t part = 0; part < kPartCount; ++part) {
    gDeferredCallList->Push(kPartTime, LoadChunkPart, this, 0, 0);
  }
  return true;
}

bool Chunk::TakeNextPart() {
  std::FILE* file = owner != nullptr ? owner->GetFile() : nullptr;
  if (file == nullptr) return false;
  const int32_t part = nextPart;
  if (part <= 8 && !SeekToReadOffset(file)) {
    // Nothing there to read: the part's values stay fresh.
  } else if (part <= 3) {
    ReadColours(file, part * kColumnsPerPart, kColumnsPerPart);
  } else if (part == 4) {
    ReadClips(file);
  } else if (part <= 8) {
    ReadLayers(file, (part - 5) * kColumnsPerPart, kColumnsPerPart);
  } else if (part == 9) {
    BuildLowerImage();
  } else if (part == 10) {
    BuildUpperImage();
  }
  if (nextPart < kPartCount) ++nextPart;
  return true;
}

void Chunk::FinishLoad() {
  if (gDeferredCallList != nullptr) gDeferredCallList->RemoveByUser(this);
  while (!ready && nextPart < kPartCount && TakeNextPart()) {
  }
}

void Chunk::BuildImage(ImageObject& image, Layer layer) {
  // Every pixel is written, the other layer's as transparent, so the write-only lock is safe and
  // nothing of what the new bitmap held shows.
  const BitmapLock lock(image.GetBitmap(), ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE,
                        ALLEGRO_LOCK_WRITEONLY);
  if (!lock) return;
  auto* data = static_cast<uint8_t*>(lock.Region().data);
  for (int32_t x = 0; x < kSize; ++x) {
    for (int32_t y = 0; y < kSize; ++y) {
      const size_t index = static_cast<size_t>(x) * kSize + y;
      uint8_t* pixel = data + static_cast<ptrdiff_t>(y) * lock.Region().pitch + x * 4;
      if ((layers[index] < 0) == (layer == Layer::Upper)) {
        const uint8_t* stored = colours.data() + index * 4;  // alpha, blue, green, red
        pixel[0] = stored[3];
        pixel[1] = stored[2];
        pixel[2] = stored[1];
        pixel[3] = stored[0];
      } else {
        std::memset(pixel, 0, 4);
      }
    }
  }
}

void Chunk::BuildLowerImage() { BuildImage(lower, Layer::Lower); }

void Chunk::BuildUpperImage() {
  BuildImage(upper, Layer::Upper);
  ready = true;
}

void Chunk::DrawLower(int32_t x, int32_t y) const {
  if (ready) lower.Draw(x, y);
}

void Chunk::DrawUpper(int32_t x, int32_t y) const {
  if (ready) upper.Draw(x, y);
}

void LoadChunkPart(void* chunk, int32_t, int32_t) {
  if (chunk == nullptr) {
    Log("Load Chunk Part:  Failed, invalid Chunk Address\n");
    return;
  }
  static_cast<Chunk*>(chunk)->TakeNextPart();
}

void WriteChunk() { Log("Do not call WriteChunk from this program...\n"); }

void ProcessBitmaps() { Log("Do not call ProcessBitmaps from this program...\n"); }
