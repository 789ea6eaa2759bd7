#pragma once

#include <cstdint>

class Camera;

// A chunked level: a grid of 256 x 256 pixel chunks streamed in around the player. Until its level
// reader exists, no level opens and the level has 0 x 0 chunks, so every cell test misses.
class ChunkLoader {
 public:
  static constexpr int32_t kChunkSize = 256;

  ChunkLoader() = default;
  // Closes the level and removes the temporary "ActiveChunks.pcf".
  virtual ~ChunkLoader();
  ChunkLoader(const ChunkLoader&) = delete;
  ChunkLoader& operator=(const ChunkLoader&) = delete;

  // 0 when the level opened; -1 leaves 0 x 0 chunks.
  virtual int32_t OpenLevel(const char* path);
  virtual int32_t GetChunksAcross() const { return 0; }
  virtual int32_t GetChunksDown() const { return 0; }
  // 1 free, 0 clipped; 0 and "Failed %ix%i\n" (chunk column, row) where no chunk is loaded.
  virtual int32_t TestCell(int32_t x, int32_t y);
  // Chunks around (column, row) are kept loaded.
  virtual void SetActiveArea(int32_t column, int32_t row);
  virtual void Update();
  // The loaded chunks' lower (pass 0) or upper (pass 1) images onto the current drawing target,
  // at (column * 256 - view left, row * 256 - view top).
  virtual void DrawLower(const Camera& camera);
  virtual void DrawUpper(const Camera& camera);
};
