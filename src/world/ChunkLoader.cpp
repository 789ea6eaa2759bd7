#include "world/ChunkLoader.h"

#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/DeferredCallList.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "platform/ContentFile.h"
#include "platform/TemporaryFile.h"
#include "resources/ZLibDecompressor.h"
#include "world/Camera.h"
#include "world/Chunk.h"

namespace {

constexpr int32_t kActiveReach = 2;  // the 5 x 5 block
constexpr int32_t kWholeReach = 1;   // the 3 x 3 block read whole

// The inflated level, new and empty, opened for writing and then reading. Both count as file
// writes, so that no script of that name runs from what the file held before.
std::FILE* CreateChunkFile() {
  ++gFileWrites;
  return CreateTemporaryFile(ChunkLoader::kTemporaryFile);
}

void RemoveChunkFile() {
  ++gFileWrites;
  RemoveTemporaryFile(ChunkLoader::kTemporaryFile);
}

int32_t LittleInt32(const uint8_t* bytes) {
  return static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

// The first cell of the block of the given reach around the player's cell along one axis of
// count cells, pushed inside so that the block stops two cells short of either edge.
int32_t BlockCentre(int32_t player, int32_t count) {
  int32_t centre = std::max(player, kActiveReach);
  if (centre >= count - kActiveReach) centre = count - kActiveReach - 1;
  return centre;
}

}  // namespace

ChunkLoader::ChunkLoader() = default;

ChunkLoader::~ChunkLoader() {
  // Chunks first: they cancel their queued parts, which read from the file.
  ClearChunks();
  if (file != nullptr) std::fclose(file);
  RemoveChunkFile();
}

void ChunkLoader::Refuse(const char* path, const char* reason) {
  Log("Warning:  Couldn't open level %s, %s\n", path, reason);
}

int32_t ChunkLoader::OpenLevel(const char* path) {
  if (open) return -1;
  if (path == nullptr) path = "";
  std::FILE* level = OpenContentFile(path, "rb");
  if (level == nullptr) {
    Refuse(path, "file not found");
    return -1;
  }
  std::FILE* inflated = CreateChunkFile();
  if (inflated == nullptr) {
    std::fclose(level);
    Refuse(path, "ActiveChunks.pcf could not be made");
    return -1;
  }
  // A stream that breaks off still counts when the header and every record it promises made it
  // out before the break; OpenInflated checks that against what is there.
  const int inflateResult = ZLibDecompressor::Inflate(level, inflated);
  std::fclose(level);
  if (std::fflush(inflated) != 0) {
    std::fclose(inflated);
    RemoveChunkFile();
    Refuse(path, "ActiveChunks.pcf could not be written");
    return -1;
  }
  const int32_t result = OpenInflated(inflated, path);
  if (result != 0) {
    RemoveChunkFile();
  } else if (inflateResult != 0) {
    Log("Warning:  Level %s ends in damaged data, which is not read\n", path);
  }
  return result;
}

int32_t ChunkLoader::OpenInflated(std::FILE* inflated, const char* path) {
  if (inflated == nullptr) return -1;
  if (open) {
    std::fclose(inflated);
    return -1;
  }
  const char* reason = nullptr;
  off_t size = -1;
  uint8_t header[kDataOffset] = {};
  if (fseeko(inflated, 0, SEEK_END) != 0 || (size = ftello(inflated)) < 0 ||
      fseeko(inflated, 0, SEEK_SET) != 0) {
    reason = "ActiveChunks.pcf could not be read";
  } else if (size < kDataOffset || std::fread(header, 1, kDataOffset, inflated) != kDataOffset) {
    reason = "its header is short";
  }
  // The 10-byte tag is not looked at: levels carry anything there.
  const int32_t s = LittleInt32(header + 10);
  const int32_t x = LittleInt32(header + 14);
  const int32_t y = LittleInt32(header + 18);
  const int64_t chunks = int64_t{x} * y;
  if (reason != nullptr) {
  } else if (s < 0 || x < 0 || y < 0) {
    reason = "its sizes are negative";
  } else if (x > kMaxChunksPerAxis || y > kMaxChunksPerAxis || chunks > kMaxChunks) {
    reason = "it has too many chunks";
  } else if (chunks > 0 && kDataOffset + (chunks - 1) * s + Chunk::kRecordBytes > size) {
    reason = "its chunk records run past the end of the file";
  }
  if (reason != nullptr) {
    std::fclose(inflated);
    Refuse(path != nullptr ? path : "", reason);
    return -1;
  }

  levelPath = path != nullptr ? path : "";
  file = inflated;
  spacing = s;
  across = x;
  down = y;
  grid = std::vector<Cell>(static_cast<size_t>(chunks));
  open = true;
  return 0;
}

int64_t ChunkLoader::GetRecordOffset(int32_t column, int32_t row) const {
  return kDataOffset + (int64_t{column} * down + row) * spacing;
}

Chunk* ChunkLoader::GetChunkAt(int32_t x, int32_t y) const {
  if (x < 0 || y < 0) return nullptr;
  const int32_t column = x >> 8;
  const int32_t row = y >> 8;
  if (column >= across || row >= down) return nullptr;
  return grid[IndexOf(column, row)].chunk.get();
}

bool ChunkLoader::IsActive(int32_t column, int32_t row) const {
  if (column < 0 || row < 0 || column >= across || row >= down) return false;
  return grid[IndexOf(column, row)].active;
}

int32_t ChunkLoader::TestCell(int32_t x, int32_t y) {
  const Chunk* chunk = GetChunkAt(x, y);
  if (chunk == nullptr) {
    Log("Failed %ix%i\n", x >> 8, y >> 8);
    return 0;
  }
  // Blocked until its clip values are in: a wall must not be walked through while it loads.
  if (!chunk->IsReady()) return 0;
  return chunk->IsFree(x & 255, y & 255);
}

void ChunkLoader::LoadChunk(Chunk* chunk, int32_t column, int32_t row) {
  if (chunk == nullptr) {
    Log("LoadChunk:  Failed, passed invalid Chunk to read into\n");
  } else if (!open || file == nullptr) {
    Log("LoadChunk:  Failed, file is not ready yet\n");
  } else if (column < 0 || column >= across || row < 0 || row >= down) {
    Log("LoadChunk:  Failed, position out of range\n");
  } else {
    chunk->ReadWhole(file, GetRecordOffset(column, row));
  }
}

void ChunkLoader::SetActiveArea(int32_t column, int32_t row) {
  playerColumn = column;
  playerRow = row;
  const int32_t c = BlockCentre(column, across);
  const int32_t r = BlockCentre(row, down);
  // BlockCentre keeps the centre below count - 2, so these never overflow.
  const int32_t left = std::max(c - kActiveReach, 0);
  const int32_t right = std::min(c + kActiveReach, across - 1);
  const int32_t top = std::max(r - kActiveReach, 0);
  const int32_t bottom = std::min(r + kActiveReach, down - 1);
  for (int32_t i = 0; i < across; ++i) {
    for (int32_t j = 0; j < down; ++j) {
      grid[IndexOf(i, j)].active = i >= left && i <= right && j >= top && j <= bottom;
    }
  }
}

bool ChunkLoader::InPlayerBlock(int32_t column, int32_t row) const {
  return std::abs(int64_t{column} - playerColumn) <= kWholeReach &&
         std::abs(int64_t{row} - playerRow) <= kWholeReach;
}

void ChunkLoader::Update() {
  for (int32_t i = 0; i < across; ++i) {
    for (int32_t j = 0; j < down; ++j) {
      Cell& cell = grid[IndexOf(i, j)];
      if (!cell.active) {
        cell.chunk.reset();
        continue;
      }
      const bool whole = InPlayerBlock(i, j);
      if (!cell.chunk) {
        cell.chunk = std::make_unique<Chunk>(this);
        // The first level loads before the deferred-call list exists: then every chunk is whole.
        if (whole || !cell.chunk->BeginLoad(GetRecordOffset(i, j))) {
          LoadChunk(cell.chunk.get(), i, j);
        }
      } else if (whole && !cell.chunk->IsReady()) {
        cell.chunk->FinishLoad();
      }
    }
  }
}

void ChunkLoader::Draw(Layer layer, int32_t viewLeft, int32_t viewTop) const {
  for (int32_t i = 0; i < across; ++i) {
    for (int32_t j = 0; j < down; ++j) {
      const Chunk* chunk = grid[IndexOf(i, j)].chunk.get();
      if (chunk == nullptr) continue;
      const int64_t x = int64_t{i} * kChunkSize - viewLeft;
      const int64_t y = int64_t{j} * kChunkSize - viewTop;
      // A chunk that far away from the view is nowhere near any target.
      if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) continue;
      if (layer == Layer::Lower) {
        chunk->DrawLower(static_cast<int32_t>(x), static_cast<int32_t>(y));
      } else {
        chunk->DrawUpper(static_cast<int32_t>(x), static_cast<int32_t>(y));
      }
    }
  }
}

void ChunkLoader::DrawLower(const Camera& camera) {
  DrawLower(camera.GetViewX(), camera.GetViewY());
}

void ChunkLoader::DrawUpper(const Camera& camera) {
  DrawUpper(camera.GetViewX(), camera.GetViewY());
}

void ChunkLoader::DrawLower(int32_t viewLeft, int32_t viewTop) const {
  Draw(Layer::Lower, viewLeft, viewTop);
}

void ChunkLoader::DrawUpper(int32_t viewLeft, int32_t viewTop) const {
  Draw(Layer::Upper, viewLeft, viewTop);
}

void ChunkLoader::ClearChunks() {
  grid.clear();
  grid.shrink_to_fit();
  across = 0;
  down = 0;
}
