#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "resources/ImageObject.h"
#include "world/IsoBlock.h"
#include "world/IsoFaceBatch.h"

class TextureLookupList;
class WorldPlayer;

// An isometric map: a grid of 32 x 32 x 32 cells, each empty or holding one block, read from an
// isometric map file and drawn in painter's order with the player slipped in between the blocks.
// World z grows downward: layer n covers -32n-31 <= z <= -32n, layer 0 is the lowest.
//
// The map manager reaches it through the three virtual operations, which its tests replace.
class IsoMap {
 public:
  // The first bytes of every isometric map file.
  static constexpr char kMagic[] = "TolvaIsoMap1.0";
  static constexpr size_t kMagicSize = sizeof(kMagic) - 1;

  // Why ReadFile refused a file (0 is success).
  enum ReadResult : int { kRead = 0, kNoFile = 1, kWrongVersion = 2, kDamaged = 3 };

  IsoMap() = default;
  virtual ~IsoMap() { FreeGrid(); }
  IsoMap(const IsoMap&) = delete;
  IsoMap& operator=(const IsoMap&) = delete;

  // Reads the open file (from its current position to its end). The textures of the last map are
  // freed first, whatever the file holds; then every size, count and name is checked against the
  // bytes there before anything is queued or allocated. A wrong magic logs
  // "ReadFile:  FAILURE, %s it the wrong file version\n" with the bytes that were read; a file
  // that is damaged or ends early is refused whole. A refused file leaves the map empty and
  // queues nothing.
  virtual int ReadFile(std::FILE* file, TextureLookupList& textures);

  // Frees any old grid and makes an empty one; false (and no grid) for a negative size or a grid
  // that cannot be allocated.
  bool Allocate(int32_t sizeX, int32_t sizeY, int32_t sizeZ);
  void FreeGrid();

  // World units. False outside the map (x < 0, y < 0, z > 0, or past a size), else whether the
  // cell holds no block.
  virtual bool IsCellEmpty(int32_t x, int32_t y, int32_t z) const;

  // Draws the map into the target, lowest layer first; the player comes between the blocks in
  // front of it and those behind it, or before every layer when it is below the map and after
  // every layer when above. In OpenGL mode on a target that takes GL, the faces are drawn from the
  // flat textures and the GL matrices are as they were afterwards. Nothing when not loaded.
  // Only the cells whose faces can reach the target's clipping rectangle (under its transform)
  // are visited; the pixels are those of drawing every cell. The player's draw through no camera
  // stores its screen position, and it is drawn there in its place; with no player, every block.
  virtual void Draw(ImageObject* target, WorldPlayer* player);
  // The faces of the cell not drawn yet in this frame, of those asked for (1 top, 2 side A,
  // 4 side B); cells outside the grid are ignored.
  void DrawCell(int32_t x, int32_t y, int32_t z, uint8_t faces);

  // The anchor point of a cell in the target (the bottom corner of its top face).
  static int32_t AnchorX(int32_t x, int32_t y) { return 30 * x - 30 * y + 300; }
  static int32_t AnchorY(int32_t x, int32_t y, int32_t z) { return 15 * (x + y) - 32 * z + 200; }

  int32_t GetSizeX() const { return sizeX; }
  int32_t GetSizeY() const { return sizeY; }
  int32_t GetSizeZ() const { return sizeZ; }
  bool IsLoaded() const { return loaded; }
  // The faces of the cell still to be drawn in the frame being drawn (0 outside the grid and for
  // the cells out of view).
  uint8_t GetPendingFaces(int32_t x, int32_t y, int32_t z) const {
    return Inside(x, y, z) ? pendingFaces[Index(x, y, z)] : 0;
  }
  // None for an empty cell or one outside the grid.
  IsoBlock* GetBlock(int32_t x, int32_t y, int32_t z) const;

 private:
  bool Inside(int64_t x, int64_t y, int64_t z) const {
    return x >= 0 && y >= 0 && z >= 0 && x < sizeX && y < sizeY && z < sizeZ;
  }
  size_t Index(int64_t x, int64_t y, int64_t z) const {
    return static_cast<size_t>((x * sizeY + y) * sizeZ + z);
  }

  // The part of the map the target can show: the bounding box, in map pixels, of its clipping
  // rectangle taken back through its transform. Everything when the transform is not a plane
  // one that can be undone.
  struct View {
    bool everything = true;
    double left = 0, top = 0, right = 0, bottom = 0;
  };
  static View TargetView();
  // In OpenGL mode, copies the flat images of the loaded textures side by side into one atlas,
  // which the faces are then drawn from.
  void BuildAtlas(const TextureLookupList& textures);
  void FreeAtlas();
  // Whether any face of the cell can land inside the view.
  bool InView(int64_t x, int64_t y, int64_t z) const;
  // Calls visit(x, y) for each cell of layer z in view, x outer and y inner, as a pass over the
  // whole layer would meet them.
  template <typename Visit>
  void ForEachCellInView(int32_t z, Visit&& visit) const;

  int32_t sizeX = 0, sizeY = 0, sizeZ = 0;
  std::vector<std::unique_ptr<IsoBlock>> blocks;  // x outer, then y, z innermost
  std::vector<uint8_t> pendingFaces;              // same shape: faces not drawn yet this frame
  bool loaded = false;
  bool drawingGL = false;              // the road of the frame being drawn
  View view;                           // the view of the frame being drawn
  IsoFaceBatch faceBatch;              // the OpenGL road's faces not drawn yet
  std::unique_ptr<ImageObject> atlas;  // the flat images side by side, in OpenGL mode
};
