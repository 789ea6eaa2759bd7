#include "world/IsoTileTexture.h"

#include <allegro5/allegro.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/Globals.h"
#include "core/Log.h"
#include "resources/BitmapLock.h"
#include "resources/ImageObject.h"

namespace {

// Where the painter's faces take source pixel (i, j) of the flat image.
struct FaceMap {
  int (*x)(int i, int j);
  int (*y)(int i, int j);
};
constexpr FaceMap kTopMap = {[](int i, int j) { return 30 + i - j; },
                             [](int i, int j) { return (i + j) >> 1; }};
constexpr FaceMap kSideAMap = {[](int i, int) { return i; },
                               [](int i, int j) { return j + (i >> 1); }};
constexpr FaceMap kSideBMap = {[](int i, int) { return i; },
                               [](int i, int j) { return j + 15 - (i >> 1); }};

// The flat image's pixels as 32-bit ARGB words, row after row, transparent where the source has
// none.
struct SourcePixels {
  static constexpr int w = IsoTileTexture::kSize, h = IsoTileTexture::kSize;
  uint32_t words[IsoTileTexture::kSize * IsoTileTexture::kSize] = {};
};

// Every face pixel is written, so a write-only lock loses nothing: the source's pixels where the
// map takes them, transparent elsewhere.
void BuildFace(ImageObject& face, const SourcePixels& source, const FaceMap& map) {
  ALLEGRO_BITMAP* bitmap = face.GetBitmap();
  if (bitmap == nullptr) return;
  const int fw = face.GetWidth(), fh = face.GetHeight();
  const BitmapLock lock(bitmap, ALLEGRO_PIXEL_FORMAT_ARGB_8888, ALLEGRO_LOCK_WRITEONLY);
  if (!lock) return;
  for (int y = 0; y < fh; ++y) std::memset(lock.Row(y), 0, static_cast<size_t>(fw) * 4);
  for (int j = 0; j < source.h; ++j) {
    for (int i = 0; i < source.w; ++i) {
      const int x = map.x(i, j), y = map.y(i, j);
      if (x < 0 || y < 0 || x >= fw || y >= fh) continue;
      lock.Row(y)[x] = source.words[j * IsoTileTexture::kSize + i];
    }
  }
}

}  // namespace

void IsoTileTexture::ImageDeleter::operator()(ImageObject* image) const {
  image->Destroy();
  delete image;
}

IsoTileTexture::IsoTileTexture() : openGL(gOpenGLMode) {
  const auto make = [](int w, int h) {
    Image image(new ImageObject());
    image->Create(w, h, &gOpenGLMode);
    image->ClearToTransparent();
    return image;
  };
  flat = make(kSize, kSize);
  if (!openGL) {
    top = make(kTopWidth, kTopHeight);
    sideA = make(kSideWidth, kSideHeight);
    sideB = make(kSideWidth, kSideHeight);
  }
}

IsoTileTexture::~IsoTileTexture() = default;

void IsoTileTexture::CreateTexture(const ImageObject* source) {
  if (source == nullptr || source->GetBitmap() == nullptr) {
    Log("Failed to create texture, bitmap was NULL\n");
    return;
  }
  // A pixel copy rather than a draw: the same on both roads and independent of the GL state at
  // load time, and only the part of the source that exists is read.
  ALLEGRO_BITMAP* bitmap = source->GetBitmap();
  // Source pixel (x, y) lands at (x, y) plus the image's draw offset, as a draw at (0, 0) puts it.
  SourcePixels pixels;
  {
    const BitmapLock lock(bitmap, ALLEGRO_PIXEL_FORMAT_ARGB_8888, ALLEGRO_LOCK_READONLY);
    if (!lock) return;
    const int ox = source->GetOffsetX(), oy = source->GetOffsetY();
    const int64_t x0 = std::max<int64_t>(0, ox);
    const int64_t x1 = std::min<int64_t>(kSize, int64_t{ox} + al_get_bitmap_width(bitmap));
    const int64_t y0 = std::max<int64_t>(0, oy);
    const int64_t y1 = std::min<int64_t>(kSize, int64_t{oy} + al_get_bitmap_height(bitmap));
    for (int64_t j = y0; j < y1; ++j) {
      const uint32_t* row = lock.Row(static_cast<int>(j - oy));
      for (int64_t i = x0; i < x1; ++i) pixels.words[j * kSize + i] = row[i - ox];
    }
  }

  constexpr FaceMap kFlatMap = {[](int i, int) { return i; }, [](int, int j) { return j; }};
  BuildFace(*flat, pixels, kFlatMap);
  if (openGL) return;
  BuildFace(*top, pixels, kTopMap);
  BuildFace(*sideA, pixels, kSideAMap);
  BuildFace(*sideB, pixels, kSideBMap);
}

ImageObject* IsoTileTexture::GetTop() const { return openGL ? flat.get() : top.get(); }
ImageObject* IsoTileTexture::GetSideA() const { return openGL ? flat.get() : sideA.get(); }
ImageObject* IsoTileTexture::GetSideB() const { return openGL ? flat.get() : sideB.get(); }
