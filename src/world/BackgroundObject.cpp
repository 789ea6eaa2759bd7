#include "world/BackgroundObject.h"

#include "core/Convert.h"
#include "core/Dimensions.h"
#include "core/Globals.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"
#include "world/CameraManager.h"

void BackgroundObject::SetImage(ImageObject* newImage) {
  image = newImage;
  width = image != nullptr ? image->GetWidth() : 0;
  height = image != nullptr ? image->GetHeight() : 0;
}

void BackgroundObject::SetPosition(int32_t newX, int32_t newY) {
  x = newX;
  y = newY;
}

void BackgroundObject::SetScroll(float newX, float newY) {
  scrollX = newX;
  scrollY = newY;
}

void BackgroundObject::SetSpeed(int32_t newX, int32_t newY) {
  speedX = newX;
  speedY = newY;
}

void BackgroundObject::Update() {
  x = WrapAdd(x, speedX);
  y = WrapAdd(y, speedY);
  const Camera* camera = gCameraManager != nullptr ? gCameraManager->GetActiveCamera() : nullptr;
  if (camera == nullptr) return;
  // The picture is drawn at x on the camera image, so the test is made there too: on a scrolled
  // camera the world's view left would drop it while it is still in sight.
  const int64_t viewWidth = int64_t{camera->GetViewRight()} - camera->GetViewX();
  if (int64_t{x} + width < 0 || x >= viewWidth) gone = true;
}

void BackgroundObject::Draw(int32_t offsetX) const {
  if (image == nullptr) return;
  if (!modulo) {
    image->DrawAt(x, y, drawFlags);
    return;
  }
  if (width <= 0) return;
  int32_t s = ToInt32(static_cast<float>(offsetX) * scrollX) % width;
  // A negative offset or factor wraps the other way round.
  if (s < 0) s += width;
  if (s > 0) image->DrawRegion(0, 0, s, height, WrapAdd(x, width - s), y, drawFlags);
  image->DrawRegion(s, 0, width - s, height, x, y, drawFlags);
}

void BackgroundObject::DrawAt(int32_t atX, int32_t atY) const {
  if (image != nullptr) image->DrawAt(atX, atY, drawFlags);
}

bool BackgroundObject::IsOnScreen() const {
  if (image == nullptr) return false;
  return RectsOverlap(x, y, WrapAdd(x, width), WrapAdd(y, height), 0, 0, gScreenWidth,
                      gScreenHeight);
}
