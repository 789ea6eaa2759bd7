#include "world/ChunkLoader.h"

#include <sys/types.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

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

struct LevelHeader {
  int32_t spacing = 0;
  int32_t across = 0;
  int32_t down = 0;
};

// The 10-byte tag is not looked at: levels carry anything there.
LevelHeader ReadHeader(const uint8_t* bytes) {
  return {LittleInt32(bytes + 10), LittleInt32(bytes + 14), LittleInt32(bytes + 18)};
}

// Why the header's sizes are refused; none when they are sound.
const char* HeaderFault(const LevelHeader& header) {
  if (header.spacing < 0 || header.across < 0 || header.down < 0) return "its sizes are negative";
  if (header.across > ChunkLoader::kMaxChunksPerAxis ||
      header.down > ChunkLoader::kMaxChunksPerAxis ||
      int64_t{header.across} * header.down > ChunkLoader::kMaxChunks) {
    return "it has too many chunks";
  }
  return nullptr;
}

// Where the last record ends, which is all of the inflated level that is ever read. Sound sizes
// keep it far inside 64 bits.
int64_t RecordsEnd(const LevelHeader& header) {
  const int64_t chunks = int64_t{header.across} * header.down;
  if (chunks == 0) return ChunkLoader::kDataOffset;
  return ChunkLoader::kDataOffset + (chunks - 1) * header.spacing + Chunk::kRecordBytes;
}

// The first bytes the level's stream inflates to, kept in memory so that the header is judged
// before anything reaches the disk.
std::vector<uint8_t> InflateHead(std::FILE* level, size_t bytes) {
  char* data = nullptr;
  size_t size = 0;
  std::FILE* memory = open_memstream(&data, &size);
  if (memory == nullptr) return {};
  ZLibDecompressor::Inflate(level, memory, static_cast<int64_t>(bytes));
  std::fclose(memory);
  std::vector<uint8_t> head(data, data + size);
  std::free(data);
  return head;
}

// The first cell of the block of the given reach around the player's cell along one axis of
// count cells, pushed inside so that the block stops two cells short of either edge.
int32_t BlockCentre(int32_t player, int32_t count) {
  int32_t centre = std::max(player, kActiveReach);
  if (centre >= count - kActiveReach) centre = count - kActiveReach - 1;
  return centre;
}

}  // namespace

ChunkLoader::ChunkLoader(FreeSpaceQuery freeSpace)
    : freeSpace(freeSpace ? std::move(freeSpace) : FreeSpaceQuery(WorkingFolderFreeSpace)) {}

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
  const std::vector<uint8_t> head = InflateHead(level, kDataOffset);
  const char* reason = nullptr;
  int64_t end = 0;
  if (head.size() < kDataOffset) {
    reason = "its header is short";
  } else {
    const LevelHeader header = ReadHeader(head.data());
    reason = HeaderFault(header);
    end = reason == nullptr ? RecordsEnd(header) : 0;
    // Refused before a byte is written: a small file may promise more than the disk holds. A file
    // left from an earlier run goes first, as its room is free for this one.
    if (reason == nullptr) RemoveChunkFile();
    const int64_t free = reason == nullptr ? freeSpace() : -1;
    if (free >= 0 && end > free - kFreeSpaceMargin) {
      reason = "its chunk records need more room than the disk has";
    }
  }
  std::FILE* inflated = nullptr;
  if (reason == nullptr && (inflated = CreateChunkFile()) == nullptr) {
    reason = "ActiveChunks.pcf could not be made";
  }
  if (reason != nullptr) {
    std::fclose(level);
    RemoveChunkFile();
    Refuse(path, reason);
    return -1;
  }
  // Stopping at the last record's end is no fault: what follows is never read. A stream that
  // breaks off still counts when every record made it out before the break; OpenInflated checks
  // that against what is there.
  std::rewind(level);
  int inflateResult = ZLibDecompressor::Inflate(level, inflated, end);
  if (inflateResult == Z_BUF_ERROR) inflateResult = Z_OK;
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
  } else if (inflateResult != Z_OK) {
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
  uint8_t bytes[kDataOffset] = {};
  if (fseeko(inflated, 0, SEEK_END) != 0 || (size = ftello(inflated)) < 0 ||
      fseeko(inflated, 0, SEEK_SET) != 0) {
    reason = "ActiveChunks.pcf could not be read";
  } else if (size < kDataOffset || std::fread(bytes, 1, kDataOffset, inflated) != kDataOffset) {
    reason = "its header is short";
  }
  const LevelHeader header = ReadHeader(bytes);
  if (reason == nullptr && (reason = HeaderFault(header)) == nullptr && RecordsEnd(header) > size) {
    reason = "its chunk records run past the end of the file";
  }
  if (reason != nullptr) {
    std::fclose(inflated);
    Refuse(path != nullptr ? path : "", reason);
    return -1;
  }

  levelPath = path != nullptr ? path : "";
  file = inflated;
  spacing = header.spacing;
  across = header.across;
  down = header.down;
  grid = std::vector<Cell>(static_cast<size_t>(int64_t{across} * down));
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
