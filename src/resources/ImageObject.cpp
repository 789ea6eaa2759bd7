#include "resources/ImageObject.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "resources/BitmapLock.h"
#include "resources/GLUtilities.h"
#include "resources/ImageContainerFormat.h"
#include "resources/ImageRoad.h"
#include "resources/PaletteSet.h"

namespace {

// Script and file numbers reach the draws unchecked, so sums are taken wide.
float Sum(int32_t a, int32_t b) { return static_cast<float>(int64_t{a} + b); }

// None for a negative size, which Allegro cannot make.
ALLEGRO_BITMAP* NewBitmap(int32_t width, int32_t height) {
  return width >= 0 && height >= 0 ? al_create_bitmap(width, height) : nullptr;
}

// Whatever the OpenGL road holds goes first: what follows changes the target, reads or writes
// pixels directly, or frees a bitmap the held quads may use.
void SetTarget(ALLEGRO_BITMAP* bitmap) {
  GLFlushHeldDrawing();
  al_set_target_bitmap(bitmap);
}
void DestroyBitmap(ALLEGRO_BITMAP* bitmap) {
  GLFlushHeldDrawing();
  al_destroy_bitmap(bitmap);
}

class AllegroRoad final : public ImageRoad {
 public:
  void Draw(ALLEGRO_BITMAP* bitmap, float dx, float dy, int flags) const override {
    GLFlushHeldDrawing();
    al_draw_bitmap(bitmap, dx, dy, flags);
  }
  void DrawRegion(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                  float dy, int flags) const override {
    GLFlushHeldDrawing();
    al_draw_bitmap_region(bitmap, sx, sy, sw, sh, dx, dy, flags);
  }
  void DrawScaled(ALLEGRO_BITMAP* bitmap, float sx, float sy, float sw, float sh, float dx,
                  float dy, float dw, float dh, int flags) const override {
    GLFlushHeldDrawing();
    al_draw_scaled_bitmap(bitmap, sx, sy, sw, sh, dx, dy, dw, dh, flags);
  }
  void DrawRotated(ALLEGRO_BITMAP* bitmap, float cx, float cy, float dx, float dy, float angle,
                   int flags) const override {
    GLFlushHeldDrawing();
    al_draw_rotated_bitmap(bitmap, cx, cy, dx, dy, angle, flags);
  }
  void Clear(ALLEGRO_BITMAP* bitmap, ALLEGRO_COLOR colour) const override {
    SetTarget(bitmap);
    al_clear_to_color(colour);
  }
};

// A colour's components as bits, with both zeros alike, so that equal bits mean equal colours
// (ColorsEqual). None for a colour with a NaN component, which equals no colour.
using ColourBits = std::array<uint32_t, 4>;

std::optional<ColourBits> BitsOf(ALLEGRO_COLOR colour) {
  ColourBits bits;
  const float components[4] = {colour.r, colour.g, colour.b, colour.a};
  for (size_t i = 0; i < 4; ++i) {
    if (std::isnan(components[i])) return std::nullopt;
    bits[i] = std::bit_cast<uint32_t>(components[i] == 0.0f ? 0.0f : components[i]);
  }
  return bits;
}

struct ColourBitsHash {
  size_t operator()(const ColourBits& bits) const noexcept {
    uint64_t hash = 0;
    for (const uint32_t b : bits) hash = (hash ^ b) * 0x100000001B3ull;
    return static_cast<size_t>(hash ^ hash >> 29);
  }
};

}  // namespace

const ImageRoad& AllegroImageRoad() {
  static const AllegroRoad road;
  return road;
}

void ImageObject::Create(int32_t newWidth, int32_t newHeight, const bool* mode) {
  Destroy();
  wrapped = false;
  offsetX = 0;
  offsetY = 0;
  width = newWidth;
  height = newHeight;
  renderMode = mode;
  defaultFlags = 0;
  bitmap = NewBitmap(newWidth, newHeight);
}

int32_t ImageObject::LargestSide() {
  ALLEGRO_DISPLAY* display = al_get_current_display();
  const int largest =
      display != nullptr ? al_get_display_option(display, ALLEGRO_MAX_BITMAP_SIZE) : 0;
  return largest > 0 ? largest : kLargestImageSide;
}

void ImageObject::Wrap(ALLEGRO_BITMAP* borrowed, const bool* mode) {
  if (borrowed == nullptr) return;
  Destroy();
  wrapped = true;
  offsetX = 0;
  offsetY = 0;
  width = al_get_bitmap_width(borrowed);
  height = al_get_bitmap_height(borrowed);
  renderMode = mode;
  defaultFlags = 0;
  bitmap = borrowed;
}

void ImageObject::Destroy() {
  if (bitmap != nullptr && !wrapped) DestroyBitmap(bitmap);
  bitmap = nullptr;
  ClearPalette();
}

void ImageObject::SetAsTarget() const {
  if (bitmap != nullptr) SetTarget(bitmap);
}

ALLEGRO_LOCKED_REGION* ImageObject::Lock(int format, int mode) const {
  if (bitmap == nullptr || al_is_bitmap_locked(bitmap)) return nullptr;
  GLFlushHeldDrawing();
  return al_lock_bitmap(bitmap, format, mode);
}

void ImageObject::Unlock() const {
  if (bitmap != nullptr && al_is_bitmap_locked(bitmap)) al_unlock_bitmap(bitmap);
}

void ImageObject::Recreate(int32_t newWidth, int32_t newHeight) {
  if (wrapped) return;
  ClearPalette();
  if (bitmap != nullptr) DestroyBitmap(bitmap);
  width = newWidth;
  height = newHeight;
  bitmap = NewBitmap(newWidth, newHeight);
  ClearToTransparent();
}

// A bitmap that cannot be made leaves the old one, its size and its palette index in place, so
// nothing is lost.
void ImageObject::Resize(int32_t newWidth, int32_t newHeight) {
  if (wrapped) return;
  ALLEGRO_BITMAP* resized = NewBitmap(newWidth, newHeight);
  if (resized == nullptr) return;
  ClearPalette();
  const ImageRoad& allegro = AllegroImageRoad();
  allegro.Clear(resized, al_map_rgba(0, 0, 0, 0));
  if (bitmap != nullptr) {
    allegro.Draw(bitmap, 0.0f, 0.0f, 0);
    DestroyBitmap(bitmap);
  }
  bitmap = resized;
  width = newWidth;
  height = newHeight;
}

void ImageObject::Clear(ALLEGRO_COLOR colour) {
  if (bitmap != nullptr) Road().Clear(bitmap, colour);
}

void ImageObject::ClearToBlack() { Clear(al_map_rgba(0, 0, 0, 255)); }

void ImageObject::ClearToTransparent() { Clear(al_map_rgba(0, 0, 0, 0)); }

// Components outside 0..255 are held at the nearer end rather than wrapped.
void ImageObject::ClearToColor(int r, int g, int b, int a) {
  const auto byte = [](int v) { return static_cast<unsigned char>(std::clamp(v, 0, 255)); };
  Clear(al_map_rgba(byte(r), byte(g), byte(b), byte(a)));
}

void ImageObject::BuildPaletteIndex(const PaletteSet* set, const int32_t* selector) {
  if (set == nullptr || selector == nullptr || bitmap == nullptr || paletteMode) return;
  if (set->GetRow(0) == nullptr) return;
  paletteMode = true;
  palette = set;
  paletteSelector = selector;
  const int32_t columns = std::max(width, 0);
  const int32_t rows = std::max(height, 0);
  paletteIndex.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
  const BitmapLock lock(bitmap, 0, 0, columns, rows, ALLEGRO_PIXEL_FORMAT_ANY,
                        ALLEGRO_LOCK_READONLY);
  // Row 0 by colour, each colour to its first position: a long row read against a large image
  // pixel by pixel would take hours.
  std::unordered_map<ColourBits, int32_t, ColourBitsHash> positions;
  const int32_t colours = set->GetColourCount();
  const ALLEGRO_COLOR* first = set->GetRow(0);
  for (int32_t c = 0; c < colours; ++c) {
    if (const std::optional<ColourBits> bits = BitsOf(first[c])) positions.emplace(*bits, c + 1);
  }
  for (int32_t x = 0; x < columns; ++x) {
    for (int32_t y = 0; y < rows; ++y) {
      const std::optional<ColourBits> bits = BitsOf(al_get_pixel(bitmap, x, y));
      const auto found = bits ? positions.find(*bits) : positions.end();
      if (found != positions.end()) {
        paletteIndex[static_cast<size_t>(x) * rows + y] = found->second;
      }
    }
  }
}

void ImageObject::ClearPalette() {
  paletteIndex.clear();
  paletteIndex.shrink_to_fit();
  paletteMode = false;
  palette = nullptr;
}

// Allegro aborts on a draw with no target, which is what destroying the current target leaves
// (an image extracted from a container is the target, and one that cannot be registered is
// destroyed again).
bool ImageObject::CanDraw() const { return bitmap != nullptr && al_get_target_bitmap() != nullptr; }

const ImageRoad& ImageObject::Road() const {
  if (InOpenGLMode() && bitmap != nullptr &&
      (al_get_bitmap_flags(bitmap) & ALLEGRO_MEMORY_BITMAP) == 0) {
    return OpenGLImageRoad();
  }
  return AllegroImageRoad();
}

void ImageObject::DrawAt(int32_t x, int32_t y, int32_t flags) const {
  if (!CanDraw()) return;
  if (paletteMode && palette != nullptr) {
    DrawPaletted(x, y);
    return;
  }
  Road().Draw(bitmap, Sum(x, offsetX), Sum(y, offsetY), flags);
}

// Only the indexed pixels are written, so the target is locked read-write over the part the image
// covers: a write-only lock would lose the target's other pixels on video bitmaps.
void ImageObject::DrawPaletted(int32_t x, int32_t y) const {
  ALLEGRO_BITMAP* target = al_get_target_bitmap();
  if (target == nullptr || paletteSelector == nullptr) return;
  const ALLEGRO_COLOR* colours = palette->GetRow(*paletteSelector);
  if (colours == nullptr) colours = palette->GetRow(0);

  const int64_t left = int64_t{x} + offsetX;
  const int64_t top = int64_t{y} + offsetY;
  const int64_t x0 = std::max<int64_t>(left, 0);
  const int64_t y0 = std::max<int64_t>(top, 0);
  const int64_t x1 = std::min<int64_t>(left + std::max(width, 0), al_get_bitmap_width(target));
  const int64_t y1 = std::min<int64_t>(top + std::max(height, 0), al_get_bitmap_height(target));
  if (x0 >= x1 || y0 >= y1) return;

  const BitmapLock lock(target, static_cast<int>(x0), static_cast<int>(y0),
                        static_cast<int>(x1 - x0), static_cast<int>(y1 - y0),
                        ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READWRITE);
  for (int64_t tx = x0; tx < x1; ++tx) {
    const size_t column = static_cast<size_t>(tx - left) * static_cast<size_t>(height);
    for (int64_t ty = y0; ty < y1; ++ty) {
      const int32_t n = paletteIndex[column + static_cast<size_t>(ty - top)];
      if (n > 0) {
        al_put_pixel(static_cast<int>(tx), static_cast<int>(ty), colours[n - 1]);
      }
    }
  }
}

void ImageObject::DrawRegion(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy,
                             int32_t flags) const {
  if (!CanDraw()) return;
  Road().DrawRegion(bitmap, static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sw),
                    static_cast<float>(sh), Sum(dx, offsetX), Sum(dy, offsetY), flags);
}

void ImageObject::DrawScaled(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy,
                             int32_t dw, int32_t dh, int32_t flags) const {
  if (!CanDraw()) return;
  Road().DrawScaled(bitmap, static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sw),
                    static_cast<float>(sh), Sum(dx, offsetX), Sum(dy, offsetY),
                    static_cast<float>(dw), static_cast<float>(dh), flags);
}

void ImageObject::DrawRotated(int32_t cx, int32_t cy, int32_t dx, int32_t dy, float angle,
                              int32_t flags) const {
  if (!CanDraw()) return;
  Road().DrawRotated(bitmap, static_cast<float>(cx), static_cast<float>(cy), Sum(dx, offsetX),
                     Sum(dy, offsetY), angle, flags);
}

void ImageObject::DrawOnto(ALLEGRO_BITMAP* target, int32_t x, int32_t y, int32_t flags) const {
  if (target == nullptr) return;
  if (!InOpenGLMode()) SetTarget(target);
  DrawAt(x, y, flags);
}

void ImageObject::DrawRegionOnto(ALLEGRO_BITMAP* target, int32_t sx, int32_t sy, int32_t sw,
                                 int32_t sh, int32_t dx, int32_t dy, int32_t flags) const {
  if (target == nullptr || bitmap == nullptr) return;
  if (InOpenGLMode()) {
    DrawRegion(sx, sy, sw, sh, dx, dy, flags);
    return;
  }
  SetTarget(target);
  AllegroImageRoad().DrawRegion(bitmap, static_cast<float>(sx), static_cast<float>(sy),
                                static_cast<float>(sw), static_cast<float>(sh),
                                static_cast<float>(dx), static_cast<float>(dy), flags);
}

void ImageObject::DrawScaledOnto(ALLEGRO_BITMAP* target, int32_t sx, int32_t sy, int32_t sw,
                                 int32_t sh, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                 int32_t flags) const {
  if (target == nullptr || bitmap == nullptr) return;
  if (InOpenGLMode()) {
    DrawScaled(sx, sy, sw, sh, dx, dy, dw, dh, flags);
    return;
  }
  SetTarget(target);
  AllegroImageRoad().DrawScaled(bitmap, static_cast<float>(sx), static_cast<float>(sy),
                                static_cast<float>(sw), static_cast<float>(sh),
                                static_cast<float>(dx), static_cast<float>(dy),
                                static_cast<float>(dw), static_cast<float>(dh), flags);
}

void ImageObject::DrawRotatedOnto(ALLEGRO_BITMAP* target, int32_t cx, int32_t cy, int32_t dx,
                                  int32_t dy, float angle, int32_t flags) const {
  if (target == nullptr || bitmap == nullptr) return;
  if (InOpenGLMode()) {
    DrawRotated(cx, cy, dx, dy, angle, flags);
    return;
  }
  SetTarget(target);
  AllegroImageRoad().DrawRotated(bitmap, static_cast<float>(cx), static_cast<float>(cy),
                                 static_cast<float>(dx), static_cast<float>(dy), angle, flags);
}

bool ColorsEqual(ALLEGRO_COLOR a, ALLEGRO_COLOR b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

namespace {

// The part [first, last) of 0..length-1 whose source position start + i lies inside the source
// and whose destination (at + i, or at + length - 1 - i when mirrored) lies inside the target.
struct AxisSpan {
  int64_t first = 0;
  int64_t last = 0;
  bool Empty() const { return first >= last; }
};

AxisSpan ClipAxis(int32_t start, int32_t length, int32_t sourceSize, int32_t at, int32_t targetSize,
                  bool mirrored) {
  AxisSpan span{std::max<int64_t>(0, -int64_t{start}),
                std::min<int64_t>(length, int64_t{sourceSize} - start)};
  if (mirrored) {
    span.first = std::max<int64_t>(span.first, int64_t{at} + length - targetSize);
    span.last = std::min<int64_t>(span.last, int64_t{at} + length);
  } else {
    span.first = std::max<int64_t>(span.first, -int64_t{at});
    span.last = std::min<int64_t>(span.last, int64_t{targetSize} - at);
  }
  return span;
}

void CopyMirrored(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst, int32_t sx, int32_t sy, int32_t w,
                  int32_t h, int32_t dx, int32_t dy, int32_t mode, bool lock) {
  if (src == nullptr || dst == nullptr || mode < 0 || mode > 3) return;
  if (src == dst) {
    // Reading and writing one bitmap would read pixels already overwritten.
    ALLEGRO_BITMAP* copy = al_clone_bitmap(src);
    if (copy == nullptr) return;
    CopyMirrored(copy, dst, sx, sy, w, h, dx, dy, mode, lock);
    DestroyBitmap(copy);
    return;
  }
  const bool mirrorX = (mode & 1) != 0;
  const bool mirrorY = (mode & 2) != 0;
  const AxisSpan is =
      ClipAxis(sx, w, al_get_bitmap_width(src), dx, al_get_bitmap_width(dst), mirrorX);
  const AxisSpan js =
      ClipAxis(sy, h, al_get_bitmap_height(src), dy, al_get_bitmap_height(dst), mirrorY);
  SetTarget(dst);
  if (is.Empty() || js.Empty()) return;

  // Every pixel of the destination span is written, so a write-only lock of it loses nothing.
  const int64_t dx0 = mirrorX ? int64_t{dx} + w - is.last : int64_t{dx} + is.first;
  const int64_t dy0 = mirrorY ? int64_t{dy} + h - js.last : int64_t{dy} + js.first;
  const int spanW = static_cast<int>(is.last - is.first);
  const int spanH = static_cast<int>(js.last - js.first);
  std::optional<BitmapLock> sourceLock;
  std::optional<BitmapLock> targetLock;
  if (lock) {
    sourceLock.emplace(src, static_cast<int>(sx + is.first), static_cast<int>(sy + js.first), spanW,
                       spanH, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    targetLock.emplace(dst, static_cast<int>(dx0), static_cast<int>(dy0), spanW, spanH,
                       ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_WRITEONLY);
  }
  for (int64_t i = is.first; i < is.last; ++i) {
    const int64_t tx = mirrorX ? int64_t{dx} + w - 1 - i : int64_t{dx} + i;
    for (int64_t j = js.first; j < js.last; ++j) {
      const int64_t ty = mirrorY ? int64_t{dy} + h - 1 - j : int64_t{dy} + j;
      al_put_pixel(static_cast<int>(tx), static_cast<int>(ty),
                   al_get_pixel(src, static_cast<int>(sx + i), static_cast<int>(sy + j)));
    }
  }
}

}  // namespace

void CopyBitmapMirrored(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst, int32_t sx, int32_t sy, int32_t w,
                        int32_t h, int32_t mode) {
  CopyMirrored(src, dst, sx, sy, w, h, 0, 0, mode, true);
}

void CopyBitmapRegionMirroredLocked(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst, int32_t sx,
                                    int32_t sy, int32_t w, int32_t h, int32_t dx, int32_t dy,
                                    int32_t mode) {
  CopyMirrored(src, dst, sx, sy, w, h, dx, dy, mode, true);
}

void CopyBitmapRegionMirrored(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst, int32_t sx, int32_t sy,
                              int32_t w, int32_t h, int32_t dx, int32_t dy, int32_t mode) {
  CopyMirrored(src, dst, sx, sy, w, h, dx, dy, mode, false);
}
