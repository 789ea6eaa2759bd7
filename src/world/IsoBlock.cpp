#include "world/IsoBlock.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

#include "core/Globals.h"
#include "resources/ImageObject.h"
#include "world/IsoTileTexture.h"

namespace {

// A face's quad in block space, as texture coordinate (s, t) -> vertex, and how the quad lands on
// the target: texel (u, v) of the 32 x 32 texture goes to anchor + origin + u * du + v * dv.
// Those placements put every texel on the pixel that the painter's face image gives it (the
// half-pixel parts make nearest sampling pick that texel at every pixel centre).
struct FaceGeometry {
  float vertices[4][3];      // at texture coordinates (0, 0), (1, 0), (1, 1), (0, 1)
  int sAxis, tAxis;          // which vertex coordinate carries s and t
  float sSign, sBase;        // s = sBase + sSign * coordinate
  float tSign, tBase;        // t = tBase + tSign * coordinate
  bool sIsV;                 // s runs along the texture's rows (v) rather than its columns (u)
  float originX, originY;    // where texel (0, 0)'s corner lands, from the anchor
  float duX, duY, dvX, dvY;  // the screen step of one texel along u and along v
  // What falls outside the painter's face image (its last column of texels, or the two corner
  // texels of the diamond) is cut away as the painter drops it: pixels where
  // a * (x - anchor x) + b * (y - anchor y) + c < 0.
  int clipCount;
  double clip[2][3];
};

constexpr FaceGeometry kTopGeometry = {.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                                       .sAxis = 0,
                                       .tAxis = 1,
                                       .sSign = 1,
                                       .sBase = 0,
                                       .tSign = 1,
                                       .tBase = 0,
                                       .sIsV = false,
                                       .originX = -0.5f,
                                       .originY = -31.25f,
                                       .duX = 1,
                                       .duY = 0.5f,
                                       .dvX = -1,
                                       .dvY = 0.5f,
                                       .clipCount = 2,
                                       .clip = {{1, 0, 31}, {0, -1, 0}}};
constexpr FaceGeometry kSideAGeometry = {.vertices = {{1, 0, 0}, {1, 0, -1}, {1, 1, -1}, {1, 1, 0}},
                                         .sAxis = 2,
                                         .tAxis = 1,
                                         .sSign = -1,
                                         .sBase = 0,
                                         .tSign = 1,
                                         .tBase = 0,
                                         .sIsV = true,
                                         .originX = -31,
                                         .originY = -15.5f,
                                         .duX = 1,
                                         .duY = 0.5f,
                                         .dvX = 0,
                                         .dvY = 1,
                                         .clipCount = 1,
                                         .clip = {{-1, 0, 0}, {}}};
constexpr FaceGeometry kSideBGeometry = {.vertices = {{0, 1, 0}, {0, 1, -1}, {1, 1, -1}, {1, 1, 0}},
                                         .sAxis = 2,
                                         .tAxis = 0,
                                         .sSign = -1,
                                         .sBase = 0,
                                         .tSign = 1,
                                         .tBase = 0,
                                         .sIsV = true,
                                         .originX = 0,
                                         .originY = 0.5f,
                                         .duX = 1,
                                         .duY = -0.5f,
                                         .dvX = 0,
                                         .dvY = 1,
                                         .clipCount = 1,
                                         .clip = {{-1, 0, 31}, {}}};

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

// Column-major 4 x 4 matrices for glMultMatrixf / glLoadMatrixf.
struct Matrix {
  float m[16] = {};
};

// From a block-space vertex of the face to (s, t): each is one coordinate, signed and moved.
void FaceCoordinates(const FaceGeometry& f, float (&s)[4], float (&t)[4]) {
  for (float& v : s) v = 0;
  for (float& v : t) v = 0;
  s[f.sAxis] = f.sSign;
  s[3] = f.sBase;
  t[f.tAxis] = f.tSign;
  t[3] = f.tBase;
}

// Vertex -> target position: (s, t) -> texel (u, v) (32 per unit, s along u or v) -> screen.
Matrix ModelView(const FaceGeometry& f, int32_t anchorX, int32_t anchorY, float depth) {
  float s[4], t[4];
  FaceCoordinates(f, s, t);
  const float* u = f.sIsV ? t : s;
  const float* v = f.sIsV ? s : t;
  Matrix out;
  for (int c = 0; c < 4; ++c) {
    out.m[c * 4 + 0] = 32 * (u[c] * f.duX + v[c] * f.dvX);
    out.m[c * 4 + 1] = 32 * (u[c] * f.duY + v[c] * f.dvY);
  }
  out.m[12] += static_cast<float>(anchorX) + f.originX;
  out.m[13] += static_cast<float>(anchorY) + f.originY;
  out.m[14] = depth;
  out.m[15] = 1;
  return out;
}

// Texture coordinate (s, t) of the list -> the bitmap's texel (u, v) in its GL texture, where
// Allegro keeps the rows bottom-up.
Matrix TextureMatrix(const FaceGeometry& f, ALLEGRO_BITMAP* bitmap) {
  int textureW = 0, textureH = 0, offsetU = 0, offsetV = 0;
  al_get_opengl_texture_size(bitmap, &textureW, &textureH);
  al_get_opengl_texture_position(bitmap, &offsetU, &offsetV);
  const float w = static_cast<float>(textureW > 0 ? textureW : 1);
  const float h = static_cast<float>(textureH > 0 ? textureH : 1);
  const float height = static_cast<float>(al_get_bitmap_height(bitmap));
  // (s, t, 0, 1) -> (u, v) with u, v = 32 s or 32 t.
  const float us = f.sIsV ? 0 : 32, ut = f.sIsV ? 32 : 0;
  const float vs = f.sIsV ? 32 : 0, vt = f.sIsV ? 0 : 32;
  Matrix out;
  out.m[0] = us / w;
  out.m[4] = ut / w;
  out.m[12] = static_cast<float>(offsetU) / w;
  out.m[1] = -vs / h;
  out.m[5] = -vt / h;
  out.m[13] = (height - static_cast<float>(offsetV)) / h;
  out.m[10] = 1;
  out.m[15] = 1;
  return out;
}

void DrawFace(const ImageObject* image, uint32_t list, const FaceGeometry& f, int32_t anchorX,
              int32_t anchorY) {
  if (image == nullptr || image->GetBitmap() == nullptr || list == 0) return;
  ALLEGRO_BITMAP* bitmap = image->GetBitmap();
  const GLuint texture = al_get_opengl_texture(bitmap);
  if (texture == 0) return;
  gGLQuadDepth = std::min(gGLQuadDepth + 0.01f, 1280.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glLoadMatrixf(TextureMatrix(f, bitmap).m);
  glMatrixMode(GL_MODELVIEW);
  // The planes are given in target pixels, before the face's own (flat, so not invertible)
  // matrix is applied.
  for (int c = 0; c < f.clipCount; ++c) {
    const double* p = f.clip[c];
    const double plane[4] = {p[0], p[1], 0, p[2] - p[0] * anchorX - p[1] * anchorY};
    glClipPlane(GL_CLIP_PLANE0 + c, plane);
    glEnable(GL_CLIP_PLANE0 + c);
  }
  glPushMatrix();
  glMultMatrixf(ModelView(f, anchorX, anchorY, gGLQuadDepth).m);
  glColor4f(1, 1, 1, 1);
  glCallList(list);
  for (int c = 0; c < f.clipCount; ++c) glDisable(GL_CLIP_PLANE0 + c);
  glPopMatrix();
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
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

void IsoBlock::DrawGL(int32_t anchorX, int32_t anchorY, uint8_t faces) const {
  if (!visible) return;
  if (faces & kTop) DrawFace(top, topList, kTopGeometry, anchorX, anchorY);
  if (faces & kSideA) DrawFace(sideA, sideAList, kSideAGeometry, anchorX, anchorY);
  if (faces & kSideB) DrawFace(sideB, sideBList, kSideBGeometry, anchorX, anchorY);
}
