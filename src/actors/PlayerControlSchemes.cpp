// The player's four control schemes: one runs per tick, chosen by Player::Update.

#include <algorithm>
#include <cstdint>

#include "actors/ObjectManager.h"
#include "actors/Player.h"
#include "actors/WeaponSelector.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "core/KeyBinding.h"
#include "core/Log.h"
#include "world/CellTest.h"

namespace {

constexpr float kDiagonal = 0.707f;
constexpr float kTrotFactor = 1.35f;
constexpr float kShooterSpeed = 3.0f;
constexpr float kAirControl = 0.2f;
constexpr int32_t kPassLimit = 50;

// A facing and its speed factors for x and y.
struct Heading {
  int32_t direction;
  float x;
  float y;
};

// By vertical input (up, none, down) and horizontal input (left, none, right); the centre is no
// input. Screen axes move along the isometric projection's screen axes, world axes along x and y.
constexpr Heading kScreenAxes[3][3] = {
    {{7, -1.0f, 0.0f}, {0, -kDiagonal, -kDiagonal}, {1, 0.0f, -1.0f}},
    {{6, -kDiagonal, kDiagonal}, {-1, 0.0f, 0.0f}, {2, kDiagonal, -kDiagonal}},
    {{5, 0.0f, 1.0f}, {4, kDiagonal, kDiagonal}, {3, 1.0f, 0.0f}},
};
constexpr Heading kWorldAxes[3][3] = {
    {{7, -kDiagonal, -kDiagonal}, {0, 0.0f, -1.0f}, {1, kDiagonal, -kDiagonal}},
    {{6, -1.0f, 0.0f}, {-1, 0.0f, 0.0f}, {2, 1.0f, 0.0f}},
    {{5, -kDiagonal, kDiagonal}, {4, 0.0f, 1.0f}, {3, kDiagonal, kDiagonal}},
};

}  // namespace

const KeyBinding* Player::Action(const char* action) const {
  return keys != nullptr ? static_cast<const KeyBinding*>(keys->Find(action)) : nullptr;
}

bool Player::Held(const char* action) const {
  const KeyBinding* binding = Action(action);
  return binding != nullptr && binding->down != 0;
}

bool Player::Pressed(const char* action) const {
  const KeyBinding* binding = Action(action);
  return binding != nullptr && binding->pressed != 0;
}

int32_t Player::Axis(const char* negative, const char* positive) const {
  const bool minus = Held(negative);
  const bool plus = Held(positive);
  return minus == plus ? 0 : minus ? -1 : 1;
}

bool Player::ApplyDirection(Table table) {
  const int32_t vertical = Axis("Up", "Down");
  const int32_t horizontal = Axis("Left", "Right");
  const Heading& heading =
      (table == Table::ScreenAxes ? kScreenAxes : kWorldAxes)[vertical + 1][horizontal + 1];
  if (heading.direction < 0) {
    xSpeed = ySpeed = 0.0f;
    return false;
  }
  direction = heading.direction;
  xSpeed = heading.x * currentSpeed;
  ySpeed = heading.y * currentSpeed;
  return true;
}

void Player::ChooseSpeed() {
  if (Pressed("RunToggle")) runToggle = !runToggle;
  if (Pressed("TrotToggle")) trotting = !trotting;
  currentSpeed = walkSpeed;
  running = false;
  // The hold runs while the toggle is off and walks while it is on.
  if (Held("RunHold") != runToggle) {
    currentSpeed = runSpeed;
    running = true;
  } else if (trotting) {
    currentSpeed = walkSpeed * kTrotFactor;
  }
}

void Player::AdvanceWalkCounter() {
  walkCounter = WrapAdd(walkCounter, 1);
  if (walkCounter > walkFrames * walkFrameTicks) walkCounter = 0;
}

void Player::ClampZSpeed() {
  zSpeed = std::min(zSpeed, zSpeedMaximum);
  zSpeed = std::max(zSpeed, zSpeedMinimum);
}

void Player::Buck() {
  if (Pressed("Buck") && !bucking) {
    bucking = true;
    buckTick = 0;
    buckPhase = 0;
  }
  if (!bucking) return;
  // The kick comes at the start of the sixth phase, toward the facing, to every world object.
  if (buckTick == 0 && buckPhase == 5 && gObjectManager != nullptr) {
    const bool left = direction > 4;
    gObjectManager->ApplyImpulse(ToInt32(xPos + (left ? 9.0f : 90.0f)), ToInt32(yPos + 61.0f), 2,
                                 left ? -4.0f : 4.0f, 0.0f, -5.0f);
  }
  ++buckTick;
  if (buckPhase >= 0 && buckPhase < static_cast<int32_t>(buckPhases.size()) &&
      buckTick < buckPhases[buckPhase]) {
    return;
  }
  ++buckPhase;
  buckTick = 0;
  if (buckPhase >= buckPhaseCount) {
    bucking = false;
    buckPhase = 0;
  }
}

void Player::GroundControl(Table table, bool canJump) {
  groundTicks = WrapAdd(groundTicks, 1);
  idle = false;
  if (!ApplyDirection(table)) {
    walkCounter = 0;
    idle = true;
  }
  if (canJump && Pressed("Jump") && !jumping) {
    jumping = true;
    airTicks = 0;
    groundTicks = 0;
    zSpeed = jumpSpeed;
  }
  Buck();
  if (idle) {
    walkCounter = 0;
  } else {
    AdvanceWalkCounter();
  }
}

void Player::AirControl(Table table, bool jumpStartsFlight) {
  if (flying) {
    AdvanceWalkCounter();
    hovering = false;
    if (!ApplyDirection(table)) hovering = true;
    zSpeed = static_cast<float>(Axis("Rise", "Drop"));
    if (Pressed("Jump")) {
      flying = false;
      falling = true;
    }
  } else if (jumping) {
    zSpeed += gravity;
    airTicks = WrapAdd(airTicks, 1);
    groundTicks = 0;
    if (jumpStartsFlight && Pressed("Jump")) {
      zSpeed = 0.0f;
      jumping = false;
      flying = true;
    }
  } else if (!falling) {
    // No gravity on the first tick off the ground.
    falling = true;
  } else {
    zSpeed += gravity;
    groundTicks = 0;
    if (jumpStartsFlight && Pressed("Jump")) {
      zSpeed = 0.0f;
      falling = false;
      flying = true;
    }
  }
}

void Player::UpdateWalkerControls(bool (Player::*onGround)() const, void (Player::*ground)(),
                                  void (Player::*air)()) {
  ChooseSpeed();
  RecomputeBounds();
  if ((this->*onGround)()) {
    (this->*ground)();
  } else {
    (this->*air)();
  }
  ClampZSpeed();
  RecomputeBounds();
  MoveWithCollision(xSpeed, ySpeed, zSpeed);
  RecomputeBounds();
  if ((this->*onGround)() && (jumping || flying || falling)) {
    zSpeed = 0.0f;
    jumping = flying = falling = false;
  }
}

// Isometric scheme (modes 1 and 100).

void Player::UpdateIsometricControls() {
  UpdateWalkerControls(&Player::IsGroundBelow, &Player::IsometricGroundControl,
                       &Player::IsometricAirControl);
}

void Player::IsometricGroundControl() {
  GroundControl(mode100 ? Table::WorldAxes : Table::ScreenAxes, false);
}

void Player::IsometricAirControl() { AirControl(Table::ScreenAxes, false); }

bool Player::IsGroundBelow() const {
  return !CellIsFreeForWalker(dimensions.x, dimensions.y, SaturatingAdd(dimensions.z, 1));
}

// Default scheme (every other mode; a flat floor at z 0).

void Player::UpdateDefaultControls() {
  UpdateWalkerControls(&Player::IsOnFloor, &Player::DefaultGroundControl,
                       &Player::DefaultAirControl);
}

void Player::DefaultGroundControl() { GroundControl(Table::WorldAxes, true); }

void Player::DefaultAirControl() { AirControl(Table::WorldAxes, true); }

// Side view (mode 2): x across, z down, the map's cells read as (x, z).

void Player::UpdateSideViewControls() {
  // Here the toggles only switch on.
  if (Pressed("RunToggle")) runToggle = true;
  if (Pressed("TrotToggle")) trotting = true;
  currentSpeed = walkSpeed;
  if (Held("RunHold") != runToggle) {
    currentSpeed = runSpeed;
  } else if (trotting) {
    currentSpeed = walkSpeed * kTrotFactor;
  }
  yPos = 0.0f;
  if (direction != 2 && direction != 6) direction = 2;
  RecomputeBounds();
  if (IsFreeBelow()) {
    SideViewAirControl();
  } else {
    SideViewGroundControl();
  }
  // A jump's -10 is held to the minimum in the same tick.
  if (zSpeed > zSpeedMaximum) {
    zSpeed = zSpeedMaximum;
  } else if (zSpeed < zSpeedMinimum) {
    zSpeed = zSpeedMinimum;
  }
  RecomputeBounds();
  SideViewMoveWithCollision(xSpeed, zSpeed);
  RecomputeBounds();
  if (!IsFreeBelow()) {
    zSpeed = 0.0f;
    doubleJump = jumping = falling = false;
  }
}

void Player::SideViewGroundControl() {
  groundTicks = WrapAdd(groundTicks, 1);
  const int32_t horizontal = Axis("Left", "Right");
  if (horizontal == 0) {
    xSpeed = 0.0f;
    walkCounter = 0;
  } else if (horizontal < 0) {
    direction = 6;
    xSpeed = -currentSpeed;
  } else {
    direction = 2;
    xSpeed = currentSpeed;
  }
  if (Pressed("Jump") && !jumping) {
    jumping = true;
    airTicks = 0;
    groundTicks = 0;
    zSpeed = 2.0f * jumpSpeed;
    airSpeedCap = currentSpeed;
  }
  if (!idle) AdvanceWalkCounter();
}

void Player::SideViewAirControl() {
  flying = false;
  zSpeed += gravity;
  if (Pressed("Jump") && !doubleJump) {
    jumping = true;
    doubleJump = true;
    airTicks = 0;
    groundTicks = 0;
    zSpeed = 2.0f * jumpSpeed;
  } else if (jumping) {
    airTicks = WrapAdd(airTicks, 1);
    groundTicks = 0;
    const int32_t horizontal = Axis("Left", "Right");
    if (horizontal < 0) {
      if (direction == 2 && xSpeed <= 0.0f) direction = 6;
      xSpeed -= kAirControl;
    } else if (horizontal > 0) {
      if (direction == 6 && xSpeed > 0.0f) direction = 2;
      xSpeed += kAirControl;
    }
  } else if (falling) {
    groundTicks = 0;
  }
  // Walking off a ledge before any jump drops straight down: the cap is 0 then.
  if (xSpeed > airSpeedCap) {
    xSpeed = airSpeedCap;
  } else if (xSpeed < -airSpeedCap) {
    xSpeed = -airSpeedCap;
  }
}

namespace {

// Whether no cell of the line, from `from` to `to` - 1 along one axis at `at` on the other, is
// solid. Lines run in 64 bits, so a box at the int32 limits still ends.
bool LineIsFree(int32_t from, int32_t to, int32_t at, bool alongX) {
  for (int64_t i = from; i < to; ++i) {
    const int32_t cell = static_cast<int32_t>(i);
    if (alongX ? CellIsSolid(cell, at, 0) : CellIsSolid(at, cell, 0)) return false;
  }
  return true;
}

}  // namespace

bool Player::IsFreeBelow() const {
  return LineIsFree(dimensions.minX, dimensions.maxX, SaturatingAdd(dimensions.maxZ, 1), true);
}

bool Player::IsFreeAbove() const {
  return LineIsFree(dimensions.minX, dimensions.maxX, SaturatingAdd(dimensions.minZ, -1), true);
}

bool Player::IsFreeLeft() const {
  return LineIsFree(dimensions.minZ, dimensions.maxZ, SaturatingAdd(dimensions.minX, -1), false);
}

bool Player::IsFreeRight() const {
  return LineIsFree(dimensions.minZ, dimensions.maxZ, SaturatingAdd(dimensions.maxX, 1), false);
}

void Player::SideViewMoveWithCollision(float xs, float zs) {
  int32_t x = SplitSpeed(xs, carryX);
  int32_t z = SplitSpeed(zs, carryZ);
  for (int32_t passes = 0; x != 0 || z != 0;) {
    if (x > 0) {
      if (IsFreeRight()) {
        xPos += 1.0f;
        RecomputeBounds();
      }
      --x;
    } else if (x < 0) {
      if (IsFreeLeft()) {
        xPos -= 1.0f;
        RecomputeBounds();
      }
      ++x;
    }
    if (z > 0) {
      if (IsFreeBelow()) {
        zPos += 1.0f;
        RecomputeBounds();
      }
      --z;
    } else if (z < 0) {
      if (IsFreeAbove()) {
        zPos -= 1.0f;
        RecomputeBounds();
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

// Shooter (mode 3): x and z inside the window, no collision, no gravity.

void Player::UpdateShooterControls() {
  zSpeed = static_cast<float>(Axis("Up", "Down")) * kShooterSpeed;
  direction = 2;
  // Before the move: the box shows where the tick started.
  RecomputeBounds();
  xSpeed = static_cast<float>(Axis("Left", "Right")) * kShooterSpeed;
  static constexpr const char* kWeapons[] = {"Weapon1", "Weapon2", "Weapon3", "Weapon4", "Weapon5"};
  for (int32_t weapon = 0; weapon < 5; ++weapon) {
    if (!Pressed(kWeapons[weapon])) continue;
    weapons->Select(weapon + 1);
    break;
  }
  weapons->Tick();
  if (mouseHeld && mouseHeld()) weapons->Fire();
  ShooterMove();
  AdvanceWalkCounter();
}

void Player::ShooterMove() {
  xPos += xSpeed;
  zPos += zSpeed;
  const float width = static_cast<float>(gScreenWidth);
  const float height = static_cast<float>(gScreenHeight);
  if (xPos < 0.0f) {
    xPos = 0.0f;
  } else if (xPos >= width) {
    xPos = width;
  }
  if (zPos < 0.0f) {
    zPos = 0.0f;
  } else if (zPos >= height) {
    zPos = height;
  }
}
