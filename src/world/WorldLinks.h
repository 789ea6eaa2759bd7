#pragma once

#include <cstdint>
#include <functional>

#include "core/Dimensions.h"

class Camera;
class ImageObject;
class PropertyHolder;

// What the world asks of the layers above it: the player, the AI manager and the GUI. The program
// fills these in when it creates those managers; a link left empty is skipped, so the world works
// before the subsystems behind it exist.
struct WorldLinks {
  // The player's Dimensions centre; false when there is no player.
  std::function<bool(int32_t& x, int32_t& y)> playerCentre;
  // The player's box (the first four values of its Dimensions); false when there is no player.
  std::function<bool(RectRecord& box)> playerBox;
  // The player as the property router sees it ("XCenter", "YCenter").
  std::function<PropertyHolder*()> playerProperties;
  std::function<void(int32_t x, int32_t y)> setPlayerPosition;  // z := 0
  std::function<void(int32_t mode)> setPlayerGameMode;
  std::function<void(ImageObject* target, Camera* camera)> drawPlayer;
  // For the block renderer: the centre with its height (world z grows downward), and the draw of
  // the shadow and sprite at the screen position the last drawPlayer stored, onto the current
  // target.
  std::function<bool(int32_t& x, int32_t& y, int32_t& z)> playerCentreWithHeight;
  std::function<void()> drawPlayerAtStoredPosition;
  std::function<void()> clearFloatingAI;
  std::function<void(float x, float y)> setMousePosition;
};

// The one set of links of the process.
WorldLinks& GetWorldLinks();
// Empties every link (tests).
void ResetWorldLinks();
