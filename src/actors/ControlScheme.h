#pragma once

#include <cstdint>

class Camera;
class ImageObject;
class Player;

// The two direction tables the walking schemes steer by: along the isometric projection's screen
// axes, or along the world's x and y.
enum class Axes { Screen, World };

// One way of steering the player, picked by its game mode: each reads the player's actions, moves
// it and says how it is drawn. A scheme keeps the counters only it uses; what the drawing reads
// (the speeds, the movement flags, the walk counter) stays the player's, so a change of mode
// carries it over.
class ControlScheme {
 public:
  virtual ~ControlScheme() = default;

  // One tick of input and movement.
  virtual void Update(Player& player) = 0;
  // Through the camera, which is never none.
  virtual void Draw(Player& player, ImageObject* target, Camera& camera) = 0;
  // How far ahead of its centre a walker's step tests the cell it enters.
  virtual int32_t GetProbe() const { return 16; }
};
