#include "actors/ActorImage.h"

#include "core/Globals.h"
#include "resources/ImageObject.h"

namespace {
constexpr int32_t kMaxSide = 16384;
}  // namespace

bool MakeActorImage(ImageObject& image, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    image.Destroy();
    return false;
  }
  image.Create(width, height, &gOpenGLMode);
  if (image.GetBitmap() == nullptr) return false;
  image.ClearToTransparent();
  return true;
}
