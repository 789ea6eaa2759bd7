#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "core/Dimensions.h"
#include "core/RootEntity.h"
#include "resources/ImageObject.h"

// A view onto the world: where the camera wants to be (its position), the view actually shown
// (the position's rectangle kept inside the world boundaries) and an image of the view's size that
// the world is drawn into each frame.
class Camera : public RootEntity {
 public:
  // Boundaries (0, 0, screen width, screen height); the view is recomputed at once.
  Camera(int32_t x, int32_t y, int32_t w, int32_t h);
  ~Camera() override;

  uint8_t GetMapModeFlag() const { return mapMode; }
  void SetMapModeFlag(uint8_t flag) { mapMode = flag; }

  int32_t GetViewX() const { return viewLeft; }
  int32_t GetViewY() const { return viewTop; }
  int32_t GetViewRight() const { return viewRight; }
  int32_t GetViewBottom() const { return viewBottom; }
  int32_t GetPositionX() const { return positionX; }
  int32_t GetPositionY() const { return positionY; }
  int32_t GetWidth() const { return width; }
  int32_t GetHeight() const { return height; }
  int32_t GetMinX() const { return minX; }
  int32_t GetMinY() const { return minY; }
  int32_t GetMaxX() const { return maxX; }
  int32_t GetMaxY() const { return maxY; }
  // None for a camera of width or height <= 0 (or beyond 16384), and when the bitmap could not be
  // made.
  ImageObject* GetImage() const;

  // Size at most the screen's; the image is made again (contents lost). The view is not
  // recomputed.
  void Resize(int32_t w, int32_t h);
  // Stores the boundaries; nothing is recomputed.
  void SetBoundaries(int32_t minX, int32_t minY, int32_t maxX, int32_t maxY);
  // Pushes the view inside the boundaries; where they are narrower than the view, its right
  // (bottom) edge lies on the maximum.
  void Clamp();
  // View := the position's rectangle, clamped.
  void Recompute();
  // Moves the position toward (dx, dy) by at most 100 pixels per axis.
  void Move(int32_t dx, int32_t dy);
  // Keeps the player at (352, 252) of the view, when the boundaries leave room to move. Without a
  // player nothing happens.
  void FollowPlayer();
  // FollowPlayer at most once for each drawn frame, so a camera shown in two windows moves no
  // faster than one shown in one.
  void FollowPlayerInFrame(uint32_t frame);

 private:
  void MakeImage();

  uint8_t mapMode = 0;
  std::unique_ptr<ImageObject> image;
  int32_t positionX, positionY;
  int32_t width, height;
  int32_t viewLeft, viewTop, viewRight, viewBottom;
  int32_t minX = 0, maxX, minY = 0, maxY;
  std::optional<uint32_t> followedFrame;
};

// Whether the rectangle shares a point with the camera's view.
bool RectOverlapsCameraView(const RectRecord& rect, const Camera& camera);
