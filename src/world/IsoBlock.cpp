#include "world/IsoBlock.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

#include <algorithm>

#include "core/Globals.h"
#include "resources/GLUtilities.h"
#include "resources/ImageObject.h"
#include "world/IsoFaceBatch.h"
#include "world/IsoTileTexture.h"

namespace {

// A face's quad in block space (from which its display list is compiled), and how the face lands
// on the target: texel point (u, v) of the 32 x 32 texture goes to anchor + origin + u * du +
// v * dv. Those placements put every texel on the pixel that the painter's face image gives it
// (the half-pixel parts make nearest sampling pick that texel at every pixel centre). The outline
// leaves out what falls outside the painter's face image, as the painter drops it: the last
// column of texels of a side, the outer corners of the diamond's two lower corner texels.
struct FaceGeometry {
  float vertices[4][3];  // at texture coordinates (0, 0), (1, 0), (1, 1), (0, 1)
  IsoFaceBatch::Placement placement;
  int corners;
  IsoFaceBatch::Texel outline[6];
};

constexpr FaceGeometry kTopGeometry = {
    .vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
    .placement =
        {.originX = -0.5f, .originY = -31.25f, .duX = 1, .duY = 0.5f, .dvX = -1, .dvY = 0.5f},
    .corners = 6,
    .outline = {{0, 0}, {32, 0}, {32, 30.5f}, {30.5f, 32}, {1.5f, 32}, {0, 30.5f}}};
constexpr FaceGeometry kSideAGeometry = {
    .vertices = {{1, 0, 0}, {1, 0, -1}, {1, 1, -1}, {1, 1, 0}},
    .placement = {.originX = -31, .originY = -15.5f, .duX = 1, .duY = 0.5f, .dvX = 0, .dvY = 1},
    .corners = 4,
    .outline = {{0, 0}, {31, 0}, {31, 32}, {0, 32}}};
constexpr FaceGeometry kSideBGeometry = {
    .vertices = {{0, 1, 0}, {0, 1, -1}, {1, 1, -1}, {1, 1, 0}},
    .placement = {.originX = 0, .originY = 0.5f, .duX = 1, .duY = -0.5f, .dvX = 0, .dvY = 1},
    .corners = 4,
    .outline = {{0, 0}, {31, 0}, {31, 32}, {0, 32}}};

uint32_t CompileFace(uint32_t name, const FaceGeometry& face, float nx, float ny, float nz) {
  static constexpr float kCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  glNewList(name, GL_COMPILE);
  glBegin(GL_QUADS);
  glNormal3f(nx, ny, nz);
  for (int k = 0; k < 4; ++k) {
    glTexCoord2f(kCoords[k][0], kCoords[k][1]);
    glVertex3fv(face.vertices[k]);
  }
  glEnd();
  glEndList();
  return name;
}

void AddFace(const ImageObject* image, const FaceGeometry& f, int32_t anchorX, int32_t anchorY,
             IsoFaceBatch& batch) {
  if (image == nullptr || image->GetBitmap() == nullptr) return;
  if (al_get_opengl_texture(image->GetBitmap()) == 0) return;
  gGLQuadDepth = std::min(gGLQuadDepth + kGLQuadDepthStep, kGLQuadDepthLimit);
  batch.Add(image->GetBitmap(), f.outline, f.corners, f.placement, anchorX, anchorY, gGLQuadDepth);
}

}  // namespace

IsoBlock::IsoBlock() {
  if (!gOpenGLMode || al_get_current_display() == nullptr) return;
  const GLuint first = glGenLists(3);
  if (first == 0) return;
  topList = CompileFace(first, kTopGeometry, 0, 0, 1);
  sideAList = CompileFace(first + 1, kSideAGeometry, 1, 0, 0);
  sideBList = CompileFace(first + 2, kSideBGeometry, 0, -1, 0);
}

IsoBlock::~IsoBlock() {
  if (topList != 0 && al_get_current_display() != nullptr) glDeleteLists(topList, 3);
}

void IsoBlock::SetFace(int k, const IsoTileTexture* texture) {
  if (texture == nullptr) return;
  switch (k) {
    case 0:
      top = texture->GetTop();
      break;
    case 1:
      sideA = texture->GetSideA();
      break;
    case 2:
      sideB = texture->GetSideB();
      break;
    default:
      break;
  }
}

void IsoBlock::Draw2D(int32_t anchorX, int32_t anchorY, uint8_t faces) const {
  if (!visible) return;
  if ((faces & kTop) && top != nullptr) top->DrawAt(anchorX - 31, anchorY - 31, 0);
  if ((faces & kSideA) && sideA != nullptr) sideA->DrawAt(anchorX - 31, anchorY - 15, 0);
  if ((faces & kSideB) && sideB != nullptr) sideB->DrawAt(anchorX, anchorY - 15, 0);
}

void IsoBlock::DrawGL(int32_t anchorX, int32_t anchorY, uint8_t faces, IsoFaceBatch& batch) const {
  if (!visible) return;
  if (faces & kTop) AddFace(top, kTopGeometry, anchorX, anchorY, batch);
  if (faces & kSideA) AddFace(sideA, kSideAGeometry, anchorX, anchorY, batch);
  if (faces & kSideB) AddFace(sideB, kSideBGeometry, anchorX, anchorY, batch);
}
