#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <vector>

class ImageRoad;
class PaletteSet;

// The one wrapper of an Allegro bitmap that the game draws with. It owns its bitmap or borrows one
// (a wrapped bitmap is never destroyed or replaced), carries a draw offset added to every
// destination, can be made the drawing target, cleared, locked, and drawn plainly, as a region,
// scaled, rotated or through a palette row.
//
// Each draw takes the Allegro road or the OpenGL road (see ImageRoad.h), chosen per call by the
// shared render-mode flag the image points at; no flag means the Allegro road.
//
// An image without a bitmap (never created, or al_create_bitmap failed) draws, clears, locks and
// copies nothing; its width and height keep the size that was asked for. With no drawing target
// (the target bitmap was destroyed) the draws onto the current target draw nothing.
class ImageObject {
 public:
  ImageObject() = default;
  // Destroys an owned bitmap, so deleting the image is all an owner does; a wrapped bitmap stays.
  ~ImageObject() { Destroy(); }
  ImageObject(const ImageObject&) = delete;
  ImageObject& operator=(const ImageObject&) = delete;

  // An owned bitmap of that size, contents not cleared; offset 0,0, no palette, default flags 0.
  // Whatever the image held before is destroyed first.
  void Create(int32_t width, int32_t height, const bool* renderMode);
  // The largest side of a bitmap the current display makes; 16384 when there is no display or it
  // does not say. A larger one would come back as a memory bitmap, or not at all.
  static int32_t LargestSide();
  // Borrows the bitmap at its own size. Nothing happens when the bitmap is none.
  void Wrap(ALLEGRO_BITMAP* bitmap, const bool* renderMode);
  // Destroys an owned bitmap now and leaves palette mode. Safe to call again.
  void Destroy();

  ALLEGRO_BITMAP* GetBitmap() const { return bitmap; }
  int32_t GetWidth() const { return width; }
  int32_t GetHeight() const { return height; }
  int32_t GetOffsetX() const { return offsetX; }
  int32_t GetOffsetY() const { return offsetY; }
  int32_t GetDefaultFlags() const { return defaultFlags; }
  bool IsWrapped() const { return wrapped; }
  bool IsPaletted() const { return paletteMode; }
  const PaletteSet* GetPalette() const { return palette; }

  void SetDrawOffset(int32_t x, int32_t y) {
    offsetX = x;
    offsetY = y;
  }
  void SetDefaultFlags(int32_t flags) { defaultFlags = flags; }
  void AddDefaultFlags(int32_t flags) { defaultFlags |= flags; }

  void SetAsTarget() const;
  // The whole bitmap; none when there is no bitmap or it is locked already.
  ALLEGRO_LOCKED_REGION* Lock(int format, int mode) const;
  void Unlock() const;

  // Owned images only (nothing on a wrapped one): a new bitmap of the new size, cleared
  // transparent, leaving palette mode. Recreate loses the old contents; Resize draws them at 0,0,
  // and changes nothing when the new bitmap cannot be made.
  void Recreate(int32_t width, int32_t height);
  void Resize(int32_t width, int32_t height);

  // The image is the drawing target afterwards on the Allegro road.
  void ClearToBlack();
  void ClearToTransparent();
  void ClearToColor(int r, int g, int b, int a);

  // Enters palette mode: every pixel that equals a colour of the set's row 0 (the first such
  // colour) is drawn later in that position of the row the selector names. Nothing when the set
  // is none or empty, the selector is none, there is no bitmap, or the image is paletted already.
  void BuildPaletteIndex(const PaletteSet* set, const int32_t* selector);
  void ClearPalette();

  // Plain draws. In palette mode DrawAt (and so Draw and DrawOnto) writes the indexed pixels of
  // the selected row instead and leaves every other target pixel as it was; a row outside the set
  // draws row 0, and the flags are not used.
  void DrawAt(int32_t x, int32_t y, int32_t flags) const;
  void Draw(int32_t x, int32_t y) const { DrawAt(x, y, defaultFlags); }
  void DrawRegion(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy,
                  int32_t flags) const;
  void DrawRegion(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy) const {
    DrawRegion(sx, sy, sw, sh, dx, dy, defaultFlags);
  }
  void DrawScaled(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy,
                  int32_t dw, int32_t dh, int32_t flags) const;
  void DrawScaled(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy,
                  int32_t dw, int32_t dh) const {
    DrawScaled(sx, sy, sw, sh, dx, dy, dw, dh, defaultFlags);
  }
  // Angles in radians: (cx, cy) of the image lands on the destination.
  void DrawRotated(int32_t cx, int32_t cy, int32_t dx, int32_t dy, float angle,
                   int32_t flags) const;
  void DrawRotated(int32_t cx, int32_t cy, int32_t dx, int32_t dy, float angle) const {
    DrawRotated(cx, cy, dx, dy, angle, defaultFlags);
  }
  // About (width / 2, height / 2), halves rounded down.
  void DrawRotatedAboutCentre(int32_t dx, int32_t dy, float angle, int32_t flags) const {
    DrawRotated(width / 2, height / 2, dx, dy, angle, flags);
  }
  void DrawRotatedAboutCentre(int32_t dx, int32_t dy, float angle) const {
    DrawRotatedAboutCentre(dx, dy, angle, defaultFlags);
  }

  // The Onto forms do nothing when the target is none. Outside OpenGL mode they make the target
  // current; DrawOnto then draws as DrawAt, the others draw with Allegro at the given destination
  // without the draw offset. In OpenGL mode every one leaves the current target alone and draws
  // as the matching form above, offset included.
  void DrawOnto(ALLEGRO_BITMAP* target, int32_t x, int32_t y, int32_t flags) const;
  void DrawOnto(ALLEGRO_BITMAP* target, int32_t x, int32_t y) const {
    DrawOnto(target, x, y, defaultFlags);
  }
  void DrawRegionOnto(ALLEGRO_BITMAP* target, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                      int32_t dx, int32_t dy, int32_t flags) const;
  void DrawRegionOnto(ALLEGRO_BITMAP* target, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                      int32_t dx, int32_t dy) const {
    DrawRegionOnto(target, sx, sy, sw, sh, dx, dy, defaultFlags);
  }
  void DrawScaledOnto(ALLEGRO_BITMAP* target, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                      int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t flags) const;
  void DrawScaledOnto(ALLEGRO_BITMAP* target, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                      int32_t dx, int32_t dy, int32_t dw, int32_t dh) const {
    DrawScaledOnto(target, sx, sy, sw, sh, dx, dy, dw, dh, defaultFlags);
  }
  void DrawRotatedOnto(ALLEGRO_BITMAP* target, int32_t cx, int32_t cy, int32_t dx, int32_t dy,
                       float angle, int32_t flags) const;
  void DrawRotatedOnto(ALLEGRO_BITMAP* target, int32_t cx, int32_t cy, int32_t dx, int32_t dy,
                       float angle) const {
    DrawRotatedOnto(target, cx, cy, dx, dy, angle, defaultFlags);
  }
  void DrawRotatedAboutCentreOnto(ALLEGRO_BITMAP* target, int32_t dx, int32_t dy, float angle,
                                  int32_t flags) const {
    DrawRotatedOnto(target, width / 2, height / 2, dx, dy, angle, flags);
  }
  void DrawRotatedAboutCentreOnto(ALLEGRO_BITMAP* target, int32_t dx, int32_t dy,
                                  float angle) const {
    DrawRotatedAboutCentreOnto(target, dx, dy, angle, defaultFlags);
  }

  bool InOpenGLMode() const { return renderMode != nullptr && *renderMode; }
  // The road this image's draws take now.
  const ImageRoad& Road() const;

 private:
  bool CanDraw() const;
  void Clear(ALLEGRO_COLOR colour);
  void DrawPaletted(int32_t x, int32_t y) const;

  bool wrapped = false;
  int32_t offsetX = 0;
  int32_t offsetY = 0;
  int32_t width = 0;
  int32_t height = 0;
  const bool* renderMode = nullptr;
  // Column-major, width x height: entry n > 0 is colour n - 1 of the selected row, 0 not drawn.
  std::vector<int32_t> paletteIndex;
  const int32_t* paletteSelector = nullptr;
  bool paletteMode = false;
  const PaletteSet* palette = nullptr;
  ALLEGRO_BITMAP* bitmap = nullptr;
  int32_t defaultFlags = 0;
};

// True when red, green, blue and alpha are equal (float comparison).
bool ColorsEqual(ALLEGRO_COLOR a, ALLEGRO_COLOR b);

// Mirrored pixel copies from src into dst, which becomes the drawing target. Source pixel
// (sx + i, sy + j), 0 <= i < w, 0 <= j < h, lands at (i, j) for mode 0, (w-1-i, j) for mode 1,
// (i, h-1-j) for mode 2 and (w-1-i, h-1-j) for mode 3, plus (dx, dy) in the region forms; any
// other mode, or a none bitmap, copies nothing. Pixels outside either bitmap are skipped, and
// every other destination pixel keeps its value.
//
// The Locked forms lock the part of each bitmap they touch (unless it is locked already, when
// they use the caller's lock and leave it); CopyBitmapRegionMirrored locks nothing.
void CopyBitmapMirrored(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst, int32_t sx, int32_t sy, int32_t w,
                        int32_t h, int32_t mode);
void CopyBitmapRegionMirroredLocked(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst, int32_t sx,
                                    int32_t sy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                    int32_t mode);
void CopyBitmapRegionMirrored(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst, int32_t sx, int32_t sy,
                              int32_t w, int32_t h, int32_t dx, int32_t dy, int32_t mode);
