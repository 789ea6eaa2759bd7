#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <lua.hpp>
#include <memory>

#include "core/Dimensions.h"
#include "core/Lifetime.h"
#include "core/RLL.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"
#include "world/WorldPlayer.h"

class AIDrawingList;
class Camera;
class ImageObject;
class WeaponSelector;
struct KeyBinding;

// The one player character: position and speeds, its bounding Dimensions, the game mode that picks
// one of four control schemes, the movement-state flags its animations read, a drawing list that
// renders it into a sprite of its own, four shadow images and the shooter mode's weapon selector.
//
// Positions are world pixels; z grows downwards, so a negative z is above the floor.
class Player : public PropertyHolder, public WorldPlayer {
 public:
  // Takes the keyboard manager's action list (none without one: no input is ever seen) and
  // registers the three "Player_" functions with the Lua manager, when there is one. The sprite
  // may fail to get a bitmap; it then draws nothing.
  Player();
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // One tick of the scheme the mode flags select: side view, else isometric (modes 1 and 100),
  // else shooter, else the default scheme.
  void Update();
  // 1, 2, 3 and 100 select their schemes (100 sets the mode-1 flag too); anything else, 0
  // included, the default scheme. Nothing else changes.
  void SetGameMode(int32_t mode) override;
  void SetPosition(float x, float y, float z) override;
  Dimensions* GetDimensions() override { return &dimensions; }
  // Centre from the position (truncated), the 18 x 20 x 28 box around it.
  void RecomputeBounds();
  // The whole steps of this tick for a speed, carrying what is left of a pixel to the next tick.
  static int32_t SplitSpeed(float speed, float& fraction);
  // Steps of one pixel per axis and pass, each into a cell the walker may enter; a refused step is
  // lost. Stops after 50 passes with "Movement loop got caught\n".
  void MoveWithCollision(float xs, float ys, float zs);

  // Slots 0 to 3 take the data library's image of that path (none when it is missing); larger
  // slots are ignored.
  void SetShadowImage(uint32_t slot, const char* section, const char* catalogue,
                      const char* heading, const char* name);
  // Picks the movement state, renders the sprite and draws it (with slot 1's shadow) through the
  // camera, the active one when none is given; an isometric camera only stores the screen
  // position, for DrawAtStoredPosition.
  void Draw(ImageObject* target, Camera* camera) override;
  void DrawAtStoredPosition() override;
  void DrawSpriteAt(ImageObject* target, int32_t x, int32_t y);

  // "St|" + a state name (a byte flag), the position and speeds (floats), "Direction", the
  // centre and "Health" (integers), "Display" and "AIDrawingList".
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

  // Whether a mouse button is held, for the shooter's fire; none reads as not held.
  void SetMouseHeldSource(std::function<bool()> source) { mouseHeld = std::move(source); }
  // Where the shooter's shots aim (the mouse, in window pixels); none aims at (0, 0).
  void SetAimSource(std::function<void(float& x, float& y)> source) {
    aimSource = std::move(source);
  }
  WeaponSelector* GetWeapons() const { return weapons.get(); }

  // The movement-state flag of that name ("Stationary", "Walking", ...); none when absent.
  uint8_t* FindState(const char* name) const;

  // Read by tests and the program.
  float GetXPos() const { return xPos; }
  float GetYPos() const { return yPos; }
  float GetZPos() const { return zPos; }
  float GetXSpeed() const { return xSpeed; }
  float GetYSpeed() const { return ySpeed; }
  float GetZSpeed() const { return zSpeed; }
  void SetSpeeds(float x, float y, float z) {
    xSpeed = x;
    ySpeed = y;
    zSpeed = z;
  }
  float GetCurrentSpeed() const { return currentSpeed; }
  int32_t GetDirection() const { return direction; }
  void SetDirection(int32_t facing) { direction = facing; }
  int32_t GetWalkCounter() const { return walkCounter; }
  int32_t GetGroundTicks() const { return groundTicks; }
  int32_t GetAirTicks() const { return airTicks; }
  int32_t GetBuckPhase() const { return buckPhase; }
  int32_t GetAnimationTime() const { return animationTime; }
  int32_t GetAnimationRow() const { return animationRow; }
  int32_t GetScreenX() const { return screenX; }
  int32_t GetScreenY() const { return screenY; }
  bool IsModeOne() const { return mode1; }
  bool IsModeHundred() const { return mode100; }
  bool IsSideView() const { return sideView; }
  bool IsShooter() const { return shooter; }
  bool IsJumping() const { return jumping; }
  bool IsFlying() const { return flying; }
  bool IsFalling() const { return falling; }
  bool IsBucking() const { return bucking; }
  bool IsIdle() const { return idle; }
  bool IsRunning() const { return running; }
  bool IsTrotting() const { return trotting; }
  bool IsHovering() const { return hovering; }
  bool HasDoubleJumped() const { return doubleJump; }
  ImageObject* GetSprite() const { return sprite; }
  ImageObject* GetShadow(uint32_t slot) const { return slot < 4 ? shadows[slot] : nullptr; }
  AIDrawingList* GetDrawingList() const { return drawingList.get(); }

 private:
  // -1, 0 or 1 for a pair of opposite actions: the first held alone, neither (or both), the
  // second alone.
  int32_t Axis(const char* negative, const char* positive) const;
  bool Held(const char* action) const;
  bool Pressed(const char* action) const;
  const KeyBinding* Action(const char* action) const;

  // One of the two direction tables: facing and speeds for the input; false for no input (the
  // speeds are then 0 and the facing stays).
  enum class Table { ScreenAxes, WorldAxes };
  bool ApplyDirection(Table table);
  void ChooseSpeed();
  void AdvanceWalkCounter();
  void Buck();
  void ClampZSpeed();

  void UpdateIsometricControls();
  void IsometricGroundControl();
  void IsometricAirControl();
  bool IsGroundBelow() const;
  void UpdateDefaultControls();
  void DefaultGroundControl();
  void DefaultAirControl();
  bool IsOnFloor() const { return zPos >= 0.0f; }
  // The ground step the default and isometric schemes share; only the default one jumps.
  void GroundControl(Table table, bool canJump);
  // Their air step; only the default one starts flight from a jump or a fall.
  void AirControl(Table table, bool jumpStartsFlight);
  // Their tick around the ground test of the scheme.
  void UpdateWalkerControls(bool (Player::*onGround)() const, void (Player::*ground)(),
                            void (Player::*air)());

  void UpdateSideViewControls();
  void SideViewGroundControl();
  void SideViewAirControl();
  void SideViewMoveWithCollision(float xs, float zs);
  bool IsFreeBelow() const;
  bool IsFreeAbove() const;
  bool IsFreeLeft() const;
  bool IsFreeRight() const;

  void UpdateShooterControls();
  void ShooterMove();
  void DrawShooter(ImageObject* target, Camera* camera);

  // Every movement-state flag cleared and the drawing's state chosen (one flag set).
  void ChooseMovementState();
  void ClearStates();
  void SetState(const char* name);
  void RenderSprite();

  bool shooter = false;
  std::unique_ptr<WeaponSelector> weapons;
  bool sideView = false;
  float xPos = 0.0f, yPos = 0.0f, zPos = -150.0f;
  float xSpeed = 0.0f, ySpeed = 0.0f, zSpeed = 0.0f;
  float airSpeedCap = 0.0f;
  float carryX = 0.0f, carryY = 0.0f, carryZ = 0.0f;
  float gravity = 0.3f;
  float jumpSpeed = -5.0f;
  Dimensions dimensions;
  float currentSpeed = 0.0f;
  float walkSpeed = 2.2f;
  float runSpeed = 5.0f;
  int32_t health = 16;
  std::array<int32_t, 9> buckPhases = {10, 6, 6, 6, 6, 4, 5, 5, 10};
  int32_t buckTick = 0;
  int32_t buckPhase = 0;
  int32_t buckPhaseCount = 9;
  bool trotting = true;
  float zSpeedMaximum = 7.0f;
  float zSpeedMinimum = -7.0f;
  std::unique_ptr<AIDrawingList> drawingList;
  int32_t screenX = 0, screenY = 0;
  int32_t direction = 4;
  int32_t walkCounter = 0;
  int32_t walkFrames = 5, walkFrameTicks = 6;
  int32_t airTicks = 0;
  int32_t groundTicks = 0;
  std::array<ImageObject*, 4> shadows{};
  bool idle = false, hovering = false, running = false;
  bool jumping = false;
  bool doubleJump = false;
  bool bucking = false;
  bool flying = false;
  bool falling = false;
  RLL states{4, true};
  int32_t animationRow = 0, animationTime = 0;
  bool runToggle = false;
  const RLL* keys = nullptr;
  bool mode100 = false;
  bool mode1 = true;
  std::unique_ptr<ImageObject> spriteImage;
  ImageObject* sprite = nullptr;  // the routed "Display" slot

  std::function<bool()> mouseHeld;
  std::function<void(float& x, float& y)> aimSource;
  Lifetime lifetime;
  PropertyOwnerSlot routing{PropertyOwner::Player, [this](const char*) { return this; }};

  static const PropertyField<Player> kFields[13];
};

// "Player_SetPosition", "Player_SetGameMode", "Player_GetHealth"; the player's constructor
// registers them.
extern const ScriptFamily kPlayerFamily;
