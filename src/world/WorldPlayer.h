#pragma once

#include <cstdint>

#include "core/Dimensions.h"
#include "core/Globals.h"

class Camera;
class ImageObject;

// What the world asks of the player, who lives above it: the camera follows its centre, the
// triggers test its box, a chunked level streams around its centre and sets its mode, the first
// map's script places it, and the maps draw it between their layers.
class WorldPlayer {
 public:
  virtual ~WorldPlayer() = default;

  // Its bounds: the centre (world z grows downward) and the box around it. None for a player
  // without bounds (the player always has them), which the world skips as it skips no player.
  virtual Dimensions* GetDimensions() = 0;
  virtual void SetPosition(float x, float y, float z) = 0;
  virtual void SetGameMode(int32_t mode) = 0;
  // Draws it through the camera (the active one when none is given); an isometric camera only
  // stores the screen position, and DrawAtStoredPosition draws there onto the current target.
  virtual void Draw(ImageObject* target, Camera* camera) = 0;
  virtual void DrawAtStoredPosition() = 0;
};

// The bounds of the player in gWorldPlayer; none without one.
inline const Dimensions* PlayerBounds() {
  return gWorldPlayer != nullptr ? gWorldPlayer->GetDimensions() : nullptr;
}
