#include "actors/SideViewScheme.h"

#include "actors/Player.h"
#include "core/Convert.h"
#include "core/Log.h"
#include "world/CellTest.h"

namespace {

constexpr float kAirControl = 0.2f;
constexpr int32_t kPassLimit = 50;

// Whether no cell of the line, from `from` to `to` - 1 along one axis at `at` on the other, is
// solid. Lines run in 64 bits, so a box at the int32 limits still ends.
bool LineIsFree(int32_t from, int32_t to, int32_t at, bool alongX) {
  for (int64_t i = from; i < to; ++i) {
    const int32_t cell = static_cast<int32_t>(i);
    if (alongX ? CellIsSolid(cell, at, 0) : CellIsSolid(at, cell, 0)) return false;
  }
  return true;
}

bool IsFreeBelow(const Dimensions& dimensions) {
  return LineIsFree(dimensions.minX, dimensions.maxX, SaturatingAdd(dimensions.maxZ, 1), true);
}

bool IsFreeAbove(const Dimensions& dimensions) {
  return LineIsFree(dimensions.minX, dimensions.maxX, SaturatingAdd(dimensions.minZ, -1), true);
}

bool IsFreeLeft(const Dimensions& dimensions) {
  return LineIsFree(dimensions.minZ, dimensions.maxZ, SaturatingAdd(dimensions.minX, -1), false);
}

bool IsFreeRight(const Dimensions& dimensions) {
  return LineIsFree(dimensions.minZ, dimensions.maxZ, SaturatingAdd(dimensions.maxX, 1), false);
}

}  // namespace

void SideViewScheme::Update(Player& player) {
  Player::Motion& motion = player.GetMotion();
  // Here the toggles only switch on.
  if (player.Pressed("RunToggle")) motion.runToggle = true;
  if (player.Pressed("TrotToggle")) motion.trotting = true;
  motion.currentSpeed = motion.walkSpeed;
  if (player.Held("RunHold") != motion.runToggle) {
    motion.currentSpeed = motion.runSpeed;
  } else if (motion.trotting) {
    motion.currentSpeed = motion.walkSpeed * Player::kTrotFactor;
  }
  motion.yPos = 0.0f;
  if (motion.direction != 2 && motion.direction != 6) motion.direction = 2;
  player.RecomputeBounds();
  if (IsFreeBelow(*player.GetDimensions())) {
    AirControl(player);
  } else {
    GroundControl(player);
  }
  // A jump's -10 is held to the minimum in the same tick.
  if (motion.zSpeed > motion.zSpeedMaximum) {
    motion.zSpeed = motion.zSpeedMaximum;
  } else if (motion.zSpeed < motion.zSpeedMinimum) {
    motion.zSpeed = motion.zSpeedMinimum;
  }
  player.RecomputeBounds();
  MoveWithCollision(player, motion.xSpeed, motion.zSpeed);
  player.RecomputeBounds();
  if (!IsFreeBelow(*player.GetDimensions())) {
    motion.zSpeed = 0.0f;
    doubleJump = motion.jumping = motion.falling = false;
  }
}

void SideViewScheme::GroundControl(Player& player) {
  Player::Motion& motion = player.GetMotion();
  motion.groundTicks = WrapAdd(motion.groundTicks, 1);
  const int32_t horizontal = player.Axis("Left", "Right");
  if (horizontal == 0) {
    motion.xSpeed = 0.0f;
    motion.walkCounter = 0;
  } else if (horizontal < 0) {
    motion.direction = 6;
    motion.xSpeed = -motion.currentSpeed;
  } else {
    motion.direction = 2;
    motion.xSpeed = motion.currentSpeed;
  }
  if (player.Pressed("Jump") && !motion.jumping) {
    motion.jumping = true;
    motion.airTicks = 0;
    motion.groundTicks = 0;
    motion.zSpeed = 2.0f * motion.jumpSpeed;
    airSpeedCap = motion.currentSpeed;
  }
  if (!motion.idle) player.AdvanceWalkCounter();
}

void SideViewScheme::AirControl(Player& player) {
  Player::Motion& motion = player.GetMotion();
  motion.flying = false;
  motion.zSpeed += motion.gravity;
  if (player.Pressed("Jump") && !doubleJump) {
    motion.jumping = true;
    doubleJump = true;
    motion.airTicks = 0;
    motion.groundTicks = 0;
    motion.zSpeed = 2.0f * motion.jumpSpeed;
  } else if (motion.jumping) {
    motion.airTicks = WrapAdd(motion.airTicks, 1);
    motion.groundTicks = 0;
    const int32_t horizontal = player.Axis("Left", "Right");
    if (horizontal < 0) {
      if (motion.direction == 2 && motion.xSpeed <= 0.0f) motion.direction = 6;
      motion.xSpeed -= kAirControl;
    } else if (horizontal > 0) {
      if (motion.direction == 6 && motion.xSpeed > 0.0f) motion.direction = 2;
      motion.xSpeed += kAirControl;
    }
  } else if (motion.falling) {
    motion.groundTicks = 0;
  }
  // Walking off a ledge before any jump drops straight down: the cap is 0 then.
  if (motion.xSpeed > airSpeedCap) {
    motion.xSpeed = airSpeedCap;
  } else if (motion.xSpeed < -airSpeedCap) {
    motion.xSpeed = -airSpeedCap;
  }
}

void SideViewScheme::MoveWithCollision(Player& player, float xs, float zs) {
  Player::Motion& motion = player.GetMotion();
  const Dimensions& box = *player.GetDimensions();
  int32_t x = player.SplitX(xs);
  int32_t z = player.SplitZ(zs);
  for (int32_t passes = 0; x != 0 || z != 0;) {
    if (x > 0) {
      if (IsFreeRight(box)) {
        motion.xPos += 1.0f;
        player.RecomputeBounds();
      }
      --x;
    } else if (x < 0) {
      if (IsFreeLeft(box)) {
        motion.xPos -= 1.0f;
        player.RecomputeBounds();
      }
      ++x;
    }
    if (z > 0) {
      if (IsFreeBelow(box)) {
        motion.zPos += 1.0f;
        player.RecomputeBounds();
      }
      --z;
    } else if (z < 0) {
      if (IsFreeAbove(box)) {
        motion.zPos -= 1.0f;
        player.RecomputeBounds();
      }
      ++z;
    }
    ++passes;
    if (x == 0 && z == 0) break;
    if (passes >= kPassLimit) {
      Log("Movement loop got caught\n");
      break;
    }
  }
}

void SideViewScheme::Draw(Player& player, ImageObject* target, Camera& camera) {
  player.DrawWalker(target, camera, false, false);
}
