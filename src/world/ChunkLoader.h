#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Camera;
class Chunk;

// A chunked level: a painted level of any size cut into 256 x 256 pixel chunks. Opening it
// inflates the level file into "ActiveChunks.pcf" in the working directory, which stays open
// while the level lives; only the 5 x 5 block of chunks around the player is held in memory.
//
// A chunk entering the 3 x 3 block around the player's own chunk is read whole on that tick, so
// the cell test is right wherever the player can step next; one of the outer ring is read in parts
// through the deferred-call list (whole while there is none). A chunk that is not ready yet is
// drawn nowhere and answers the cell test 0.
class ChunkLoader {
 public:
  static constexpr int32_t kChunkSize = 256;
  // Where the first chunk record starts: the 10-byte tag, then spacing, across and down.
  static constexpr int32_t kDataOffset = 22;
  // Bounds on a level's size: the grid stays small whatever a file claims, and 256 x chunks
  // along an axis stays a pixel coordinate.
  static constexpr int32_t kMaxChunksPerAxis = 32768;
  static constexpr int64_t kMaxChunks = int64_t{1} << 20;
  static constexpr const char* kTemporaryFile = "ActiveChunks.pcf";
  // Room left on the disk after a level's records are written, for the logs and saves that come
  // after them.
  static constexpr int64_t kFreeSpaceMargin = int64_t{64} << 20;

  // Answers the bytes free in the working directory, -1 when unknown.
  using FreeSpaceQuery = std::function<int64_t()>;

  // Closed, 0 x 0 chunks. The free space is the working directory's unless another query is given.
  explicit ChunkLoader(FreeSpaceQuery freeSpace = {});
  // Deletes every chunk, closes the file and removes "ActiveChunks.pcf".
  virtual ~ChunkLoader();
  ChunkLoader(const ChunkLoader&) = delete;
  ChunkLoader& operator=(const ChunkLoader&) = delete;

  // Reads the header from the start of the level file's stream (opened "rb"), then inflates the
  // stream into "ActiveChunks.pcf" up to the end of the last chunk record and no further. Answers
  // 0 when the level opened; -1 and nothing changed when a level is open already; -1 with a
  // "Warning:  Couldn't open level ..." line, a closed 0 x 0 level and no temporary file when
  // the file does not open, the header is unsound (short, negative sizes, too many chunks), its
  // records need more than the free space less kFreeSpaceMargin (then nothing is written), the
  // temporary file cannot be made, or the stream ends before the last record does.
  virtual int32_t OpenLevel(const char* path);
  // OpenLevel's second half: takes an inflated level, which the loader owns from now on (closed
  // when refused). Logs its refusals with the path.
  int32_t OpenInflated(std::FILE* inflated, const char* path);

  bool IsOpen() const { return open; }
  const std::string& GetLevelPath() const { return levelPath; }
  std::FILE* GetFile() const { return file; }
  int32_t GetRecordSpacing() const { return spacing; }
  virtual int32_t GetChunksAcross() const { return across; }
  virtual int32_t GetChunksDown() const { return down; }
  // Where the record of chunk (column, row) starts, in 64 bits.
  int64_t GetRecordOffset(int32_t column, int32_t row) const;

  // The chunk holding world pixel (x, y); none outside the level and where no chunk is loaded.
  Chunk* GetChunkAt(int32_t x, int32_t y) const;
  bool IsActive(int32_t column, int32_t row) const;

  // 1 free, 0 clipped. Where no chunk is loaded: 0 and "Failed %ix%i\n" (chunk column, row); on
  // a chunk still loading: 0 and no line.
  virtual int32_t TestCell(int32_t x, int32_t y);

  // Reads the record of (column, row) into the chunk whole. Logs "LoadChunk:  Failed, ..." for
  // no chunk, no open level, or a position outside the level.
  void LoadChunk(Chunk* chunk, int32_t column, int32_t row);

  // The player is in chunk (column, row): the 5 x 5 block around it, pushed inside the level,
  // becomes active, every other cell inactive.
  virtual void SetActiveArea(int32_t column, int32_t row);
  // Deletes the chunks of inactive cells and creates those of active ones (see above for how
  // each is read); a chunk of the 3 x 3 block that is still loading in parts finishes now.
  virtual void Update();

  // Every ready chunk's lower (below the actors) or upper image onto the current drawing target,
  // at (column * 256 - view left, row * 256 - view top) of the camera's view.
  virtual void DrawLower(const Camera& camera);
  virtual void DrawUpper(const Camera& camera);
  void DrawLower(int32_t viewLeft, int32_t viewTop) const;
  void DrawUpper(int32_t viewLeft, int32_t viewTop) const;

  // Deletes every chunk and the grid; the level is then 0 x 0.
  void ClearChunks();

 private:
  struct Cell {
    std::unique_ptr<Chunk> chunk;
    bool active = false;
  };
  enum class Layer { Lower, Upper };

  void Refuse(const char* path, const char* reason);
  size_t IndexOf(int32_t column, int32_t row) const {
    return static_cast<size_t>(column) * static_cast<size_t>(down) + static_cast<size_t>(row);
  }
  bool InPlayerBlock(int32_t column, int32_t row) const;
  void Draw(Layer layer, int32_t viewLeft, int32_t viewTop) const;

  FreeSpaceQuery freeSpace;
  bool open = false;
  std::string levelPath;
  int32_t spacing = 0;
  int32_t across = 0;
  int32_t down = 0;
  // Column after column, as the records lie: cell (i, j) at i * down + j.
  std::vector<Cell> grid;
  std::FILE* file = nullptr;
  // The player's chunk as last given, which the 3 x 3 block of whole reads is centred on.
  int32_t playerColumn = 0;
  int32_t playerRow = 0;
};
