#include "gui/GUIWindowPicture.h"

#include <algorithm>

#include "core/Convert.h"
#include "core/Globals.h"
#include "gui/GUIBaseObject.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

bool GUIWindowPicture::Find(const char* name) {
  picture = gDataLibrary != nullptr && name != nullptr ? gDataLibrary->FindByName<ImageObject>(name)
                                                       : nullptr;
  return picture != nullptr;
}

void GUIWindowPicture::SetRectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
  left = l;
  top = t;
  right = r;
  bottom = b;
}

void GUIWindowPicture::Pan(int32_t dx, int32_t dy) {
  left = SaturatingSubtract(left, dx);
  right = SaturatingSubtract(right, dx);
  top = SaturatingSubtract(top, dy);
  bottom = SaturatingSubtract(bottom, dy);
}

// Clipped here rather than by the road: both roads then show the same pixels when the view leaves
// the picture.
void GUIWindowPicture::Draw(int32_t width, int32_t height) const {
  if (picture == nullptr || picture->GetBitmap() == nullptr) return;
  const int64_t pictureWidth = al_get_bitmap_width(picture->GetBitmap());
  const int64_t pictureHeight = al_get_bitmap_height(picture->GetBitmap());
  const int64_t sx = std::max<int64_t>(left, 0);
  const int64_t sy = std::max<int64_t>(top, 0);
  const int64_t ex = std::min<int64_t>(int64_t{left} + width, pictureWidth);
  const int64_t ey = std::min<int64_t>(int64_t{top} + height, pictureHeight);
  if (sx >= ex || sy >= ey) return;
  picture->DrawRegion(static_cast<int32_t>(sx), static_cast<int32_t>(sy),
                      static_cast<int32_t>(ex - sx), static_cast<int32_t>(ey - sy),
                      static_cast<int32_t>(sx - left), static_cast<int32_t>(sy - top), 0);
}
