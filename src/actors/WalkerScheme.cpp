#include "actors/WalkerScheme.h"

#include "actors/Player.h"
#include "core/Convert.h"

void WalkerScheme::Update(Player& player) {
  Player::Motion& motion = player.GetMotion();
  player.ChooseSpeed();
  player.RecomputeBounds();
  if (OnGround(player)) {
    GroundControl(player);
  } else {
    AirControl(player);
  }
  player.ClampZSpeed();
  player.RecomputeBounds();
  player.MoveWithCollision(motion.xSpeed, motion.ySpeed, motion.zSpeed);
  player.RecomputeBounds();
  if (OnGround(player) && (motion.jumping || motion.flying || motion.falling)) {
    motion.zSpeed = 0.0f;
    motion.jumping = motion.flying = motion.falling = false;
  }
}

void WalkerScheme::Ground(Player& player, Axes table, bool canJump) {
  Player::Motion& motion = player.GetMotion();
  motion.groundTicks = WrapAdd(motion.groundTicks, 1);
  motion.idle = false;
  if (!player.ApplyDirection(table)) {
    motion.walkCounter = 0;
    motion.idle = true;
  }
  if (canJump && player.Pressed("Jump") && !motion.jumping) {
    motion.jumping = true;
    motion.airTicks = 0;
    motion.groundTicks = 0;
    motion.zSpeed = motion.jumpSpeed;
  }
  player.Buck();
  if (motion.idle) {
    motion.walkCounter = 0;
  } else {
    player.AdvanceWalkCounter();
  }
}

void WalkerScheme::Air(Player& player, Axes table, bool jumpStartsFlight) {
  Player::Motion& motion = player.GetMotion();
  if (motion.flying) {
    player.AdvanceWalkCounter();
    motion.hovering = false;
    if (!player.ApplyDirection(table)) motion.hovering = true;
    motion.zSpeed = static_cast<float>(player.Axis("Rise", "Drop"));
    if (player.Pressed("Jump")) {
      motion.flying = false;
      motion.falling = true;
    }
  } else if (motion.jumping) {
    motion.zSpeed += motion.gravity;
    motion.airTicks = WrapAdd(motion.airTicks, 1);
    motion.groundTicks = 0;
    if (jumpStartsFlight && player.Pressed("Jump")) {
      motion.zSpeed = 0.0f;
      motion.jumping = false;
      motion.flying = true;
    }
  } else if (!motion.falling) {
    // No gravity on the first tick off the ground.
    motion.falling = true;
  } else {
    motion.zSpeed += motion.gravity;
    motion.groundTicks = 0;
    if (jumpStartsFlight && player.Pressed("Jump")) {
      motion.zSpeed = 0.0f;
      motion.falling = false;
      motion.flying = true;
    }
  }
}
