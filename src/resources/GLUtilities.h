#pragma once

// Drawing bitmaps as textured quads through fixed-function OpenGL: the road that "-ogl" selects.
//
// Every drawing here sets up the matrices it needs and puts them back afterwards: Allegro reloads
// its own projection whenever the drawing target changes, so nothing set up once per frame would
// survive. Each quad is drawn under an orthographic projection of the current target bitmap (y
// down, as Allegro draws) with Allegro's current transform as the model-view matrix and Allegro's
// current blender, so a quad lands on the same pixels as the matching Allegro call.
//
// A bitmap without a texture (a memory bitmap) or a target that OpenGL cannot draw into (a memory
// bitmap) is drawn through Allegro instead, with the same placement. With no target nothing is
// drawn.

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

// Added to the quad depth before each quad; the main loop puts the depth back to 0 every frame.
constexpr float kGLQuadDepthStep = 0.01f;
// The depth never passes this, and the projection every quad is drawn under keeps it visible, so
// no quad of a frame is clipped away however many are drawn.
constexpr float kGLQuadDepthLimit = 1280.0f;

// Held drawing. While at least one GLHeldDrawing lives, consecutive unturned quads of one bitmap,
// with one tint, onto one target under one transform and blender are gathered and drawn together
// as one vertex array: when a quad of another kind comes, when any other GL drawing here starts
// (every GLDrawScope), when an image changes the target, clears, locks, destroys or draws on the
// Allegro road, and when the last hold ends. Inside a hold draw only through images and these
// functions: anything else would land under the quads still gathered.
class GLHeldDrawing {
 public:
  GLHeldDrawing();
  ~GLHeldDrawing();
  GLHeldDrawing(const GLHeldDrawing&) = delete;
  GLHeldDrawing& operator=(const GLHeldDrawing&) = delete;
};
// Draws the quads gathered so far, onto the target and with the transform and blender they were
// gathered under; the current ones are as they were afterwards. Nothing when none are.
void GLFlushHeldDrawing();

// The general function. Draws the source region (sx, sy, sw, sh) of the bitmap, clipped to the
// bitmap, tinted by (r, g, b, a). The source point (cx, cy), taken relative to the region's
// corner, lands on (dx, dy); the region is scaled by (xscale, yscale) and turned by angle degrees
// about that point (clockwise on screen, as Allegro turns). Flag 1 mirrors the region left to
// right, flag 2 top to bottom, in place. The part of the region cut off by the clip stays empty,
// so what remains lands where it would have landed uncut. A region of no width or height draws
// nothing. The quad depth grows by one step in every call. Unturned quads are gathered while
// drawing is held.
void GLDrawTintedScaledRotatedRegion(ALLEGRO_BITMAP* bitmap, float r, float g, float b, float a,
                                     float cx, float cy, float angle, float xscale, float yscale,
                                     float sx, float sy, float sw, float sh, float dx, float dy,
                                     int flags);

// The wrappers, mirroring Allegro's bitmap-drawing calls. Angles are in degrees.
void GLDrawTintedRegion(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy, float sw,
                        float sh, float dx, float dy, int flags);
void GLDrawTinted(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float dx, float dy, int flags);
void GLDrawBitmap(ALLEGRO_BITMAP* bitmap, float dx, float dy, int flags);
void GLDrawBitmapRegion(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                        float dy, int flags);
// Draws the region stretched to dw x dh; a region of no width or height draws nothing.
void GLDrawTintedScaledRegion(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float sx, float sy,
                              float sw, float sh, float dx, float dy, float dw, float dh,
                              int flags);
void GLDrawScaledBitmap(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                        float dy, float dw, float dh, int flags);
void GLDrawTintedScaledRotated(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float cx, float cy,
                               float dx, float dy, float xscale, float yscale, float angle,
                               int flags);
void GLDrawTintedRotated(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR tint, float cx, float cy, float dx,
                         float dy, float angle, int flags);
void GLDrawRotatedBitmap(ALLEGRO_BITMAP* bitmap, float cx, float cy, float dx, float dy,
                         float angle, int flags);
void GLDrawScaledRotatedBitmap(ALLEGRO_BITMAP* bitmap, float cx, float cy, float dx, float dy,
                               float xscale, float yscale, float angle, int flags);

// Takes the pending OpenGL error: a non-zero code is printed to standard output as
// "OpenGL Error[%d]\n" and answered; 0 when none is pending (prints nothing).
int CheckGLError();

// Multiplies the current matrix by a perspective frustum of fovy degrees.
void GLSetPerspective(float fovy, float aspect, float zNear, float zFar);

// Fills the rectangle whose top edge is at y = top and left edge at x = left with the colour,
// untextured, under the same projection and blender as the quads.
void GLFillRect(int top, int left, int width, int height, float r, float g, float b, float a);

// True when the bitmap can be drawn as a quad: it has a texture and the current target is a video
// bitmap. Callers with an Allegro road of their own take that road otherwise.
bool GLCanDraw(ALLEGRO_BITMAP* bitmap);

// Clears the whole bitmap to the colour (bytes 0..255) by writing its framebuffer directly, then
// rebinds whatever framebuffer was bound, so Allegro's idea of the target stays true. Answers
// false, and does nothing, when the bitmap has no framebuffer object (a memory bitmap or the
// back buffer).
bool GLClearBitmap(ALLEGRO_BITMAP* bitmap, unsigned char r, unsigned char g, unsigned char b,
                   unsigned char a);

// The GL state one drawing sets up, taken on entry and given back on exit: the three matrices,
// texturing, blending and the bound texture. Inside it the projection is an orthographic one of
// the target (y down), the model-view matrix Allegro's current transform, the texture matrix the
// identity, and blending Allegro's current blender. Allegro sets blending and texturing for each
// of its own draws and reloads the matrices on every target change, so putting them back keeps
// whatever the caller or Allegro had arranged.
class GLDrawScope {
 public:
  GLDrawScope(ALLEGRO_BITMAP* target, bool textured);
  ~GLDrawScope();
  GLDrawScope(const GLDrawScope&) = delete;
  GLDrawScope& operator=(const GLDrawScope&) = delete;

 private:
  GLint matrixMode = GL_MODELVIEW;
  GLfloat projection[16] = {};
  GLfloat modelview[16] = {};
  GLfloat texture[16] = {};
  GLint boundTexture = 0;
  GLboolean texturing = GL_FALSE;
  GLboolean blending = GL_FALSE;
};

// A textured vertex as GL_T2F_V3F takes it: texture coordinates, then position.
struct GLTexturedVertex {
  float s, t, x, y, z;
};

// While it lives, glDrawArrays draws from the vertices given (client memory). Allegro sets up its
// own arrays for each of its draws; the client array state and the array buffer binding are
// given back on exit.
class GLVertexArrayScope {
 public:
  explicit GLVertexArrayScope(const GLTexturedVertex* vertices);
  ~GLVertexArrayScope();
  GLVertexArrayScope(const GLVertexArrayScope&) = delete;
  GLVertexArrayScope& operator=(const GLVertexArrayScope&) = delete;

 private:
  GLint arrayBuffer = 0;
};
