#pragma once

#include <cstdint>

class ImageObject;
class IsoFaceBatch;
class IsoTileTexture;

// One filled cell of an isometric map: up to three textured faces, borrowed from the map's tile
// textures. In OpenGL mode the block holds three display lists, one per face, released with it.
class IsoBlock {
 public:
  enum Face : uint8_t { kTop = 1, kSideA = 2, kSideB = 4, kAllFaces = 7 };

  // Visible, no faces. In OpenGL mode (with a current display) it compiles its display lists.
  IsoBlock();
  ~IsoBlock();
  IsoBlock(const IsoBlock&) = delete;
  IsoBlock& operator=(const IsoBlock&) = delete;

  // k = 0 top, 1 side A, 2 side B; nothing for a null texture or another k.
  void SetFace(int k, const IsoTileTexture* texture);

  // Draws each face whose bit is set and whose image exists, top, side A, side B, placed about the
  // cell's anchor point: the painter's face images with DrawAt, onto the current target.
  void Draw2D(int32_t anchorX, int32_t anchorY, uint8_t faces) const;
  // Adds the same faces, from the flat texture, to the batch, sheared onto the very pixels the
  // painter's images cover; each face takes the next quad depth.
  void DrawGL(int32_t anchorX, int32_t anchorY, uint8_t faces, IsoFaceBatch& batch) const;

  bool visible = true;
  const ImageObject* top = nullptr;
  const ImageObject* sideA = nullptr;
  const ImageObject* sideB = nullptr;
  uint32_t topList = 0;
  uint32_t sideBList = 0;
  uint32_t sideAList = 0;
};
