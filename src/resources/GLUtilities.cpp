// Allegro declares its OpenGL extension entry points (framebuffer objects, separate blending) only
// for users of its unstable interface.
#define ALLEGRO_UNSTABLE
#include "resources/GLUtilities.h"

#include <allegro5/allegro_opengl.h>
#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

#include "core/Globals.h"

namespace {

GLenum BlendFactor(int factor) {
  switch (factor) {
    case ALLEGRO_ZERO:
      return GL_ZERO;
    case ALLEGRO_ONE:
      return GL_ONE;
    case ALLEGRO_ALPHA:
      return GL_SRC_ALPHA;
    case ALLEGRO_INVERSE_ALPHA:
      return GL_ONE_MINUS_SRC_ALPHA;
    case ALLEGRO_SRC_COLOR:
      return GL_SRC_COLOR;
    case ALLEGRO_DEST_COLOR:
      return GL_DST_COLOR;
    case ALLEGRO_INVERSE_SRC_COLOR:
      return GL_ONE_MINUS_SRC_COLOR;
    case ALLEGRO_INVERSE_DEST_COLOR:
      return GL_ONE_MINUS_DST_COLOR;
    case ALLEGRO_CONST_COLOR:
      return GL_CONSTANT_COLOR;
    case ALLEGRO_INVERSE_CONST_COLOR:
      return GL_ONE_MINUS_CONSTANT_COLOR;
    default:
      return GL_ONE;
  }
}

GLenum BlendEquation(int op) {
  switch (op) {
    case ALLEGRO_SRC_MINUS_DEST:
      return GL_FUNC_SUBTRACT;
    case ALLEGRO_DEST_MINUS_SRC:
      return GL_FUNC_REVERSE_SUBTRACT;
    default:
      return GL_FUNC_ADD;
  }
}

// The quads gathered while drawing is held, and what they were gathered under.
struct HeldQuads {
  int holds = 0;
  ALLEGRO_BITMAP* bitmap = nullptr;  // none while nothing is gathered
  ALLEGRO_BITMAP* target = nullptr;
  ALLEGRO_TRANSFORM transform;
  int blender[6] = {};
  ALLEGRO_COLOR blendColour{};
  ALLEGRO_COLOR tint{};
  std::vector<GLTexturedVertex> vertices;
};

HeldQuads& Held() {
  static HeldQuads held;
  return held;
}

struct DrawState {
  ALLEGRO_BITMAP* target;
  ALLEGRO_TRANSFORM transform;
  int blender[6];
  ALLEGRO_COLOR blendColour;
};

DrawState CurrentDrawState() {
  DrawState state;
  state.target = al_get_target_bitmap();
  if (state.target != nullptr) {
    al_copy_transform(&state.transform, al_get_current_transform());
  } else {
    al_identity_transform(&state.transform);
  }
  int* b = state.blender;
  al_get_separate_blender(&b[0], &b[1], &b[2], &b[3], &b[4], &b[5]);
  state.blendColour = al_get_blend_color();
  return state;
}

bool SameColour(const ALLEGRO_COLOR& a, const ALLEGRO_COLOR& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// Makes the state current; setting the target loads its own transform, so that comes after.
void UseDrawState(const DrawState& state) {
  if (al_get_target_bitmap() != state.target) al_set_target_bitmap(state.target);
  if (std::memcmp(al_get_current_transform(), &state.transform, sizeof state.transform) != 0) {
    al_use_transform(&state.transform);
  }
  const int* b = state.blender;
  al_set_separate_blender(b[0], b[1], b[2], b[3], b[4], b[5]);
  al_set_blend_color(state.blendColour);
}

}  // namespace

GLHeldDrawing::GLHeldDrawing() { ++Held().holds; }

GLHeldDrawing::~GLHeldDrawing() {
  if (--Held().holds == 0) GLFlushHeldDrawing();
}

void GLFlushHeldDrawing() {
  HeldQuads& held = Held();
  if (held.bitmap == nullptr) return;
  ALLEGRO_BITMAP* bitmap = std::exchange(held.bitmap, nullptr);
  const DrawState now = CurrentDrawState();
  DrawState then{held.target, held.transform, {}, held.blendColour};
  std::copy(std::begin(held.blender), std::end(held.blender), then.blender);
  UseDrawState(then);
  {
    GLDrawScope scope(held.target, true);
    const GLVertexArrayScope arrays(held.vertices.data());
    glBindTexture(GL_TEXTURE_2D, al_get_opengl_texture(bitmap));
    glColor4f(held.tint.r, held.tint.g, held.tint.b, held.tint.a);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(held.vertices.size()));
  }
  held.vertices.clear();
  if (now.target != nullptr) UseDrawState(now);
}

GLDrawScope::GLDrawScope(ALLEGRO_BITMAP* target, bool textured) {
  GLFlushHeldDrawing();
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  glGetFloatv(GL_TEXTURE_MATRIX, texture);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
  texturing = glIsEnabled(GL_TEXTURE_2D);
  blending = glIsEnabled(GL_BLEND);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, al_get_bitmap_width(target), al_get_bitmap_height(target), 0, -(kGLQuadDepthLimit + 1),
          kGLQuadDepthLimit + 1);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(&al_get_current_transform()->m[0][0]);

  int op, src, dst, alphaOp, alphaSrc, alphaDst;
  al_get_separate_blender(&op, &src, &dst, &alphaOp, &alphaSrc, &alphaDst);
  const ALLEGRO_COLOR constant = al_get_blend_color();
  glEnable(GL_BLEND);
  glBlendColor(constant.r, constant.g, constant.b, constant.a);
  glBlendEquationSeparate(BlendEquation(op), BlendEquation(alphaOp));
  glBlendFuncSeparate(BlendFactor(src), BlendFactor(dst), BlendFactor(alphaSrc),
                      BlendFactor(alphaDst));
  if (textured) {
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

GLDrawScope::~GLDrawScope() {
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
  if (texturing) {
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  if (!blending) glDisable(GL_BLEND);
  glMatrixMode(GL_TEXTURE);
  glLoadMatrixf(texture);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(modelview);
  glMatrixMode(static_cast<GLenum>(matrixMode));
}

GLVertexArrayScope::GLVertexArrayScope(const GLTexturedVertex* vertices) {
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
  if (arrayBuffer != 0) glBindBuffer(GL_ARRAY_BUFFER, 0);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glInterleavedArrays(GL_T2F_V3F, 0, vertices);
}

GLVertexArrayScope::~GLVertexArrayScope() {
  glPopClientAttrib();
  if (arrayBuffer != 0) glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(arrayBuffer));
}

namespace {

bool TargetTakesGL(ALLEGRO_BITMAP* target) {
  return target != nullptr && al_get_current_display() != nullptr &&
         (al_get_bitmap_flags(target) & ALLEGRO_MEMORY_BITMAP) == 0;
}

// The bitmap's own top-level bitmap: a sub-bitmap shares its parent's texture.
ALLEGRO_BITMAP* RootOf(ALLEGRO_BITMAP* bitmap) {
  ALLEGRO_BITMAP* parent = al_get_parent_bitmap(bitmap);
  return parent != nullptr ? parent : bitmap;
}

}  // namespace

namespace {

// Gathers an unturned quad: the vertices the quad drawn at once would get from its matrices (see
// below), in the same float steps, so it lands on the same pixels.
void HoldQuad(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float xscale, float yscale, float shiftX,
              float shiftY, float w, float h, float dx, float dy, const std::array<float, 4>& uv) {
  HeldQuads& held = Held();
  const DrawState now = CurrentDrawState();
  const bool same = held.bitmap == bitmap && held.target == now.target &&
                    std::memcmp(&held.transform, &now.transform, sizeof now.transform) == 0 &&
                    std::equal(std::begin(held.blender), std::end(held.blender), now.blender) &&
                    SameColour(held.blendColour, now.blendColour) && SameColour(held.tint, tint);
  if (!same) {
    GLFlushHeldDrawing();
    held.bitmap = bitmap;
    held.target = now.target;
    held.transform = now.transform;
    std::copy(std::begin(now.blender), std::end(now.blender), held.blender);
    held.blendColour = now.blendColour;
    held.tint = tint;
  }
  const float left = xscale * shiftX + dx, top = yscale * shiftY + dy;
  const float right = xscale * w + left, bottom = yscale * h + top;
  const float z = gGLQuadDepth;
  const auto [u0, v0, u1, v1] = uv;
  held.vertices.push_back({u0, v0, left, top, z});
  held.vertices.push_back({u1, v0, right, top, z});
  held.vertices.push_back({u1, v1, right, bottom, z});
  held.vertices.push_back({u0, v1, left, bottom, z});
}

}  // namespace

bool GLCanDraw(ALLEGRO_BITMAP* bitmap) {
  return bitmap != nullptr && TargetTakesGL(al_get_target_bitmap()) &&
         al_get_opengl_texture(bitmap) != 0;
}

void GLDrawTintedScaledRotatedRegion(ALLEGRO_BITMAP* bitmap, float r, float g, float b, float a,
                                     float cx, float cy, float angle, float xscale, float yscale,
                                     float sx, float sy, float sw, float sh, float dx, float dy,
                                     int flags) {
  if (bitmap == nullptr) return;
  gGLQuadDepth = std::min(gGLQuadDepth + kGLQuadDepthStep, kGLQuadDepthLimit);
  ALLEGRO_BITMAP* target = al_get_target_bitmap();
  if (target == nullptr) return;

  // The region clipped to the bitmap.
  const float width = static_cast<float>(al_get_bitmap_width(bitmap));
  const float height = static_cast<float>(al_get_bitmap_height(bitmap));
  float clippedX = sx, clippedW = sw, clippedY = sy, clippedH = sh;
  if (sx < 0) {
    clippedW = sw + sx;
    clippedX = 0;
  }
  if (sy < 0) {
    clippedH = sh + sy;
    clippedY = 0;
  }
  if (clippedX + clippedW > width) clippedW = width - clippedX;
  if (clippedY + clippedH > height) clippedH = height - clippedY;
  if (!(sw > 0 && sh > 0 && clippedW > 0 && clippedH > 0)) return;

  // Where the clipped part lies inside the uncut region; a mirror turns the region over in place,
  // so there the part cut from one side leaves its gap on the other.
  const bool flipH = (flags & ALLEGRO_FLIP_HORIZONTAL) != 0;
  const bool flipV = (flags & ALLEGRO_FLIP_VERTICAL) != 0;
  const float shiftX = flipH ? (sx + sw) - (clippedX + clippedW) : clippedX - sx;
  const float shiftY = flipV ? (sy + sh) - (clippedY + clippedH) : clippedY - sy;

  if (!GLCanDraw(bitmap)) {
    GLFlushHeldDrawing();
    al_draw_tinted_scaled_rotated_bitmap_region(
        bitmap, clippedX, clippedY, clippedW, clippedH, al_map_rgba_f(r, g, b, a), cx - shiftX,
        cy - shiftY, dx, dy, xscale, yscale, angle * std::numbers::pi_v<float> / 180.0f, flags);
    return;
  }

  // Texture coordinates of the clipped region. Allegro keeps a bitmap's rows bottom-up at the
  // bottom of its texture, so row y of the root bitmap lies at t = (rootHeight - y) / textureH.
  int textureW = 0, textureH = 0, offsetU = 0, offsetV = 0;
  al_get_opengl_texture_size(bitmap, &textureW, &textureH);
  al_get_opengl_texture_position(bitmap, &offsetU, &offsetV);
  if (textureW <= 0 || textureH <= 0) return;
  const float rootHeight = static_cast<float>(al_get_bitmap_height(RootOf(bitmap)));
  float u0 = (static_cast<float>(offsetU) + clippedX) / static_cast<float>(textureW);
  float u1 = (static_cast<float>(offsetU) + clippedX + clippedW) / static_cast<float>(textureW);
  float v0 = (rootHeight - static_cast<float>(offsetV) - clippedY) / static_cast<float>(textureH);
  float v1 = (rootHeight - static_cast<float>(offsetV) - clippedY - clippedH) /
             static_cast<float>(textureH);
  if (flipH) std::swap(u0, u1);
  if (flipV) std::swap(v0, v1);

  if (Held().holds > 0 && angle == 0) {
    HoldQuad(bitmap, al_map_rgba_f(r, g, b, a), xscale, yscale, -cx + shiftX, -cy + shiftY,
             clippedW, clippedH, dx, dy, {u0, v0, u1, v1});
    return;
  }
  GLDrawScope scope(target, true);
  glBindTexture(GL_TEXTURE_2D, al_get_opengl_texture(bitmap));
  // Applied to the unit quad from the last call up: sized to the clipped region, moved to its
  // place in the uncut region, centre to the origin, scaled, turned, then to the destination.
  glTranslatef(dx, dy, gGLQuadDepth);
  glRotatef(angle, 0, 0, 1);
  glScalef(xscale, yscale, 1);
  glTranslatef(-cx + shiftX, -cy + shiftY, 0);
  glScalef(clippedW, clippedH, 1);
  glColor4f(r, g, b, a);
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glTexCoord2f(u0, v0);
  glVertex3f(0, 0, 0);
  glTexCoord2f(u1, v0);
  glVertex3f(1, 0, 0);
  glTexCoord2f(u1, v1);
  glVertex3f(1, 1, 0);
  glTexCoord2f(u0, v1);
  glVertex3f(0, 1, 0);
  glEnd();
}

void GLDrawTintedRegion(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy, float sw,
                        float sh, float dx, float dy, int flags) {
  GLDrawTintedScaledRotatedRegion(bitmap, tint.r, tint.g, tint.b, tint.a, 0, 0, 0, 1, 1, sx, sy, sw,
                                  sh, dx, dy, flags);
}

void GLDrawTinted(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float dx, float dy, int flags) {
  if (bitmap == nullptr) return;
  GLDrawTintedRegion(bitmap, tint, 0, 0, static_cast<float>(al_get_bitmap_width(bitmap)),
                     static_cast<float>(al_get_bitmap_height(bitmap)), dx, dy, flags);
}

void GLDrawBitmap(ALLEGRO_BITMAP* bitmap, float dx, float dy, int flags) {
  GLDrawTinted(bitmap, al_map_rgba_f(1, 1, 1, 1), dx, dy, flags);
}

void GLDrawBitmapRegion(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                        float dy, int flags) {
  GLDrawTintedRegion(bitmap, al_map_rgba_f(1, 1, 1, 1), sx, sy, sw, sh, dx, dy, flags);
}

void GLDrawTintedScaledRegion(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy,
                              float sw, float sh, float dx, float dy, float dw, float dh,
                              int flags) {
  // A region of no size has no scale; drawing it would divide by zero.
  if (sw == 0 || sh == 0) return;
  GLDrawTintedScaledRotatedRegion(bitmap, tint.r, tint.g, tint.b, tint.a, 0, 0, 0, dw / sw, dh / sh,
                                  sx, sy, sw, sh, dx, dy, flags);
}

void GLDrawScaledBitmap(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                        float dy, float dw, float dh, int flags) {
  GLDrawTintedScaledRegion(bitmap, al_map_rgba_f(1, 1, 1, 1), sx, sy, sw, sh, dx, dy, dw, dh,
                           flags);
}

void GLDrawTintedScaledRotated(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float cx, float cy,
                               float dx, float dy, float xscale, float yscale, float angle,
                               int flags) {
  if (bitmap == nullptr) return;
  GLDrawTintedScaledRotatedRegion(bitmap, tint.r, tint.g, tint.b, tint.a, cx, cy, angle, xscale,
                                  yscale, 0, 0, static_cast<float>(al_get_bitmap_width(bitmap)),
                                  static_cast<float>(al_get_bitmap_height(bitmap)), dx, dy, flags);
}

void GLDrawTintedRotated(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float cx, float cy, float dx,
                         float dy, float angle, int flags) {
  GLDrawTintedScaledRotated(bitmap, tint, cx, cy, dx, dy, 1, 1, angle, flags);
}

void GLDrawRotatedBitmap(ALLEGRO_BITMAP* bitmap, float cx, float cy, float dx, float dy,
                         float angle, int flags) {
  GLDrawTintedRotated(bitmap, al_map_rgba_f(1, 1, 1, 1), cx, cy, dx, dy, angle, flags);
}

void GLDrawScaledRotatedBitmap(ALLEGRO_BITMAP* bitmap, float cx, float cy, float dx, float dy,
                               float xscale, float yscale, float angle, int flags) {
  GLDrawTintedScaledRotated(bitmap, al_map_rgba_f(1, 1, 1, 1), cx, cy, dx, dy, xscale, yscale,
                            angle, flags);
}

int CheckGLError() {
  const GLenum code = glGetError();
  if (code == GL_NO_ERROR) return 0;
  std::printf("OpenGL Error[%d]\n", static_cast<int>(code));
  std::fflush(stdout);
  return static_cast<int>(code);
}

void GLSetPerspective(float fovy, float aspect, float zNear, float zFar) {
  const double edge = std::tan(fovy * std::numbers::pi / 360.0) * zNear;
  glFrustum(-edge * aspect, edge * aspect, -edge, edge, zNear, zFar);
}

void GLFillRect(int top, int left, int width, int height, float r, float g, float b, float a) {
  ALLEGRO_BITMAP* target = al_get_target_bitmap();
  if (!TargetTakesGL(target)) {
    GLFlushHeldDrawing();
    if (target != nullptr) {
      al_draw_filled_rectangle(static_cast<float>(left), static_cast<float>(top),
                               static_cast<float>(left + width), static_cast<float>(top + height),
                               al_map_rgba_f(r, g, b, a));
    }
    return;
  }
  GLDrawScope scope(target, false);
  glColor4f(r, g, b, a);
  glBegin(GL_QUADS);
  glVertex2i(left, top);
  glVertex2i(left, top + height);
  glVertex2i(left + width, top + height);
  glVertex2i(left + width, top);
  glEnd();
}

bool GLClearBitmap(ALLEGRO_BITMAP* bitmap, unsigned char r, unsigned char g, unsigned char b,
                   unsigned char a) {
  if (bitmap == nullptr || al_get_current_display() == nullptr ||
      (al_get_bitmap_flags(bitmap) & ALLEGRO_MEMORY_BITMAP) != 0 ||
      bitmap == al_get_backbuffer(al_get_current_display())) {
    return false;
  }
  const GLuint fbo = al_get_opengl_fbo(bitmap);
  if (fbo == 0) return false;
  GLFlushHeldDrawing();

  GLint previousFbo = 0;
  GLint scissorBox[4] = {};
  GLfloat clearColour[4] = {};
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &previousFbo);
  const GLboolean scissoring = glIsEnabled(GL_SCISSOR_TEST);
  glGetIntegerv(GL_SCISSOR_BOX, scissorBox);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);

  // A sub-bitmap shares its parent's framebuffer: only its own rectangle is cleared. Rows are
  // stored bottom-up, as in the texture.
  int offsetU = 0, offsetV = 0;
  al_get_opengl_texture_position(bitmap, &offsetU, &offsetV);
  const int width = al_get_bitmap_width(bitmap);
  const int height = al_get_bitmap_height(bitmap);
  const int rootHeight = al_get_bitmap_height(RootOf(bitmap));

  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
  glEnable(GL_SCISSOR_TEST);
  glScissor(offsetU, rootHeight - offsetV - height, width, height);
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);

  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
  if (!scissoring) glDisable(GL_SCISSOR_TEST);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(previousFbo));
  return true;
}
