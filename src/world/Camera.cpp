#include "world/Camera.h"

#include <algorithm>
#include <cstdint>

#include "core/Convert.h"
#include "core/Globals.h"
#include "world/WorldPlayer.h"

namespace {

constexpr int32_t kMaxImageSide = 16384;

}  // namespace

Camera::Camera(int32_t x, int32_t y, int32_t w, int32_t h)
    : positionX(x),
      positionY(y),
      width(w),
      height(h),
      viewLeft(x),
      viewTop(y),
      viewRight(SaturatingAdd(x, w)),
      viewBottom(SaturatingAdd(y, h)),
      maxX(gScreenWidth),
      maxY(gScreenHeight) {
  MakeImage();
  Recompute();
}

Camera::~Camera() = default;

void Camera::MakeImage() {
  image.reset();
  // An empty bitmap cannot be made, and an image without one must never become a drawing target.
  // A side beyond any display's reach is refused the same way: Allegro's size sums overflow.
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return;
  image = std::make_unique<ImageObject>();
  image->Create(width, height, &gOpenGLMode);
}

ImageObject* Camera::GetImage() const {
  return image && image->GetBitmap() != nullptr ? image.get() : nullptr;
}

void Camera::Resize(int32_t w, int32_t h) {
  width = std::min(w, gScreenWidth);
  height = std::min(h, gScreenHeight);
  MakeImage();
}

void Camera::SetBoundaries(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  minX = left;
  minY = top;
  maxX = right;
  maxY = bottom;
}

namespace {

// One axis of the clamp: the low bound first, then the high bound, which wins.
void ClampAxis(int32_t& low, int32_t& high, int32_t size, int32_t min, int32_t max) {
  if (low < min) {
    low = min;
    high = SaturatingAdd(min, size);
  }
  if (max < high) {
    high = max;
    low = SaturatingAdd(max, -int64_t{size});
  }
}

int32_t StepToward(int32_t& remaining) {
  if (remaining > 0) {
    --remaining;
    return 1;
  }
  if (remaining < 0) {
    ++remaining;
    return -1;
  }
  return 0;
}

}  // namespace

void Camera::Clamp() {
  ClampAxis(viewLeft, viewRight, width, minX, maxX);
  ClampAxis(viewTop, viewBottom, height, minY, maxY);
}

void Camera::Recompute() {
  viewLeft = positionX;
  viewTop = positionY;
  viewRight = SaturatingAdd(positionX, width);
  viewBottom = SaturatingAdd(positionY, height);
  Clamp();
}

void Camera::Move(int32_t dx, int32_t dy) {
  for (int step = 0; step < 100; ++step) {
    positionX = SaturatingAdd(positionX, StepToward(dx));
    positionY = SaturatingAdd(positionY, StepToward(dy));
    if (dx == 0 && dy == 0) break;
  }
  Recompute();
}

void Camera::FollowPlayer() {
  // 64-bit: boundaries from scripts may span the whole int32 range.
  const bool roomX = int64_t{maxX} - minX > width;
  const bool roomY = int64_t{maxY} - minY > height;
  if (!roomX && !roomY) return;
  const Dimensions* player = PlayerBounds();
  if (player == nullptr) return;
  const int32_t x = player->x, y = player->y;
  // At most 100 steps are taken, so a saturated distance moves the same as the true one.
  Move(SaturatingAdd(int64_t{x} - positionX, -352), SaturatingAdd(int64_t{y} - positionY, -252));
}

void Camera::FollowPlayerInFrame(uint32_t frame) {
  if (followedFrame == frame) return;
  followedFrame = frame;
  FollowPlayer();
}

bool RectOverlapsCameraView(const RectRecord& rect, const Camera& camera) {
  return RectsOverlap(rect.left, rect.top, rect.right, rect.bottom, camera.GetViewX(),
                      camera.GetViewY(), camera.GetViewRight(), camera.GetViewBottom());
}
