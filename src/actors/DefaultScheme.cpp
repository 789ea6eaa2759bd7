#include "actors/DefaultScheme.h"

#include "actors/Player.h"

void DefaultScheme::Draw(Player& player, ImageObject* target, Camera& camera) {
  player.DrawWalker(target, camera, false, true);
}

bool DefaultScheme::OnGround(const Player& player) const { return player.GetZPos() >= 0.0f; }

void DefaultScheme::GroundControl(Player& player) { Ground(player, Axes::World, true); }

void DefaultScheme::AirControl(Player& player) { Air(player, Axes::World, true); }
