#include "actors/IsometricScheme.h"

#include "actors/Player.h"
#include "core/Convert.h"
#include "world/CellTest.h"

void IsometricScheme::Draw(Player& player, ImageObject* target, Camera& camera) {
  player.DrawWalker(target, camera, true, true);
}

bool IsometricScheme::OnGround(const Player& player) const {
  const Dimensions& box = *player.GetDimensions();
  return !CellIsFreeForWalker(box.x, box.y, SaturatingAdd(box.z, 1));
}

void IsometricScheme::GroundControl(Player& player) { Ground(player, groundTable, false); }

void IsometricScheme::AirControl(Player& player) { Air(player, Axes::Screen, false); }
