#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "resources/ImageObject.h"

class ChunkLoader;

// One 256 x 256 pixel square of a chunked level: the colour, clip and layer value of every pixel
// as its record holds them, and two images built from them, the pixels drawn below the actors
// (layer >= 0) and those drawn above them (layer < 0). Values are kept column after column, index
// x * 256 + y, as the record stores them.
//
// A chunk is read either whole at once or in eleven parts queued on the deferred-call list; it is
// drawn, and answers for its clip values, only once it is ready (both images built).
class Chunk {
 public:
  static constexpr int32_t kSize = 256;
  static constexpr int32_t kPixels = kSize * kSize;
  static constexpr int32_t kPartCount = 11;
  // Bytes read from the start of a record: colours, clip values, layer values.
  static constexpr int64_t kColourBytes = int64_t{kPixels} * 4;
  static constexpr int64_t kClipBytes = int64_t{kPixels} * 2;
  static constexpr int64_t kLayerBytes = kPixels;
  static constexpr int64_t kRecordBytes = kColourBytes + kClipBytes + kLayerBytes;

  // Every colour transparent black, every clip and layer value 0, not ready. The parts read from
  // the owner's file; a chunk without an owner is read whole only.
  explicit Chunk(const ChunkLoader* owner = nullptr);
  // Parts still queued for this chunk are cancelled.
  ~Chunk();
  Chunk(const Chunk&) = delete;
  Chunk& operator=(const Chunk&) = delete;

  // 1 where the clip value is 0, else 0; outside 0 ... 255 logs "Clip was out of the Chunk's
  // range\n" and answers 0.
  int32_t IsFree(int32_t x, int32_t y) const;
  bool IsReady() const { return ready; }

  // Reads the record at the offset in a few large reads and builds both images; ready afterwards.
  // Nothing without a file. A record cut short keeps a fresh chunk's values past the cut.
  void ReadWhole(std::FILE* file, int64_t offset);
  // Queues the eleven parts on the deferred-call list; false (nothing queued) when there is none.
  bool BeginLoad(int64_t offset);
  // One part: read a quarter of the colours, the clip values or a quarter of the layer values, or
  // build an image. Seeks to the chunk's own place first, so the parts of several chunks may
  // interleave. With no owner or no file the part is not taken; answers whether it was.
  bool TakeNextPart();
  // The parts still waiting are cancelled and taken now, so the chunk is ready on return.
  void FinishLoad();

  void BuildLowerImage();
  void BuildUpperImage();

  // Nothing until ready.
  void DrawLower(int32_t x, int32_t y) const;
  void DrawUpper(int32_t x, int32_t y) const;

  const ImageObject& GetLowerImage() const { return lower; }
  const ImageObject& GetUpperImage() const { return upper; }
  int32_t GetNextPart() const { return nextPart; }

 private:
  enum class Layer { Lower, Upper };
  void BuildImage(ImageObject& image, Layer layer);
  // Reads part of the colours (count columns from column first) and of the layer values.
  void ReadColours(std::FILE* file, int32_t first, int32_t count);
  void ReadClips(std::FILE* file);
  void ReadLayers(std::FILE* file, int32_t first, int32_t count);
  bool SeekToReadOffset(std::FILE* file) const;

  const ChunkLoader* owner;
  ImageObject upper;
  ImageObject lower;
  // Four bytes a pixel as stored: alpha, blue, green, red.
  std::vector<uint8_t> colours;
  std::vector<int16_t> clips;
  std::vector<int8_t> layers;
  bool ready = false;
  int64_t readOffset = 0;
  int32_t nextPart = 0;
};

// The deferred-call callback of a chunk's parts: user is the chunk. A none chunk logs "Load Chunk
// Part:  Failed, invalid Chunk Address\n".
void LoadChunkPart(void* chunk, int32_t a, int32_t b);

// This program reads levels and never writes them; both only log that they are not to be called.
void WriteChunk();
void ProcessBitmaps();
