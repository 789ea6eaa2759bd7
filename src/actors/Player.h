#pragma once

#include <array>
#include <cstdint>
#include <lua.hpp>
#include <memory>

#include "actors/DefaultScheme.h"
#include "actors/IsometricScheme.h"
#include "actors/ShooterScheme.h"
#include "actors/SideViewScheme.h"
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
struct KeyBinding;

// The one player character: position and speeds, its bounding Dimensions, the game mode that picks
// one of four control schemes (see ControlScheme), the movement-state flags its animations read, a
// drawing list that renders it into a sprite of its own and four shadow images.
//
// Positions are world pixels; z grows downwards, so a negative z is above the floor.
class Player : public PropertyHolder, public WorldPlayer {
 public:
  // A trot's speed over the walk's.
  static constexpr float kTrotFactor = 1.35f;

  // What the control schemes move and the drawing reads: the position, the speeds, the facing,
  // the movement-state flags and their counters, and the tunings the schemes share.
  struct Motion {
    float xPos = 0.0f, yPos = 0.0f, zPos = -150.0f;
    float xSpeed = 0.0f, ySpeed = 0.0f, zSpeed = 0.0f;
    float gravity = 0.3f;
    float jumpSpeed = -5.0f;
    float currentSpeed = 0.0f;
    float walkSpeed = 2.2f;
    float runSpeed = 5.0f;
    float zSpeedMaximum = 7.0f;
    float zSpeedMinimum = -7.0f;
    int32_t direction = 4;
    int32_t walkCounter = 0;
    int32_t walkFrames = 5, walkFrameTicks = 6;
    int32_t airTicks = 0;
    int32_t groundTicks = 0;
    int32_t buckPhase = 0;
    bool trotting = true;
    bool runToggle = false;
    bool idle = false, hovering = false, running = false;
    bool jumping = false;
    bool bucking = false;
    bool flying = false;
    bool falling = false;
  };

  // Takes the keyboard manager's action list (none without one: no input is ever seen) and
  // registers the three "Player_" functions with the Lua manager, when there is one. The sprite
  // may fail to get a bitmap; it then draws nothing.
  Player();
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // One tick of the scheme the game mode selects.
  void Update() { scheme->Update(*this); }
  // 1 and 100 select the isometric scheme (100 on the world axes), 2 the side view, 3 the
  // shooter; anything else, 0 included, the default scheme. Nothing else changes.
  void SetGameMode(int32_t mode) override;
  ControlScheme& GetScheme() { return *scheme; }
  void SetPosition(float x, float y, float z) override;
  Dimensions* GetDimensions() override { return &dimensions; }
  const Dimensions* GetDimensions() const { return &dimensions; }
  Motion& GetMotion() { return motion; }
  // Centre from the position (truncated), the 18 x 20 x 28 box around it.
  void RecomputeBounds();
  // The whole steps of this tick for a speed, carrying what is left of a pixel to the next tick.
  static int32_t SplitSpeed(float speed, float& fraction);
  // SplitSpeed with the player's own carry for each axis.
  int32_t SplitX(float speed) { return SplitSpeed(speed, carryX); }
  int32_t SplitZ(float speed) { return SplitSpeed(speed, carryZ); }
  // Steps of one pixel per axis and pass, each into a cell the walker may enter (the scheme's
  // probe ahead); a refused step is lost. Stops after 50 passes with "Movement loop got caught\n".
  void MoveWithCollision(float xs, float ys, float zs);

  // The actions as the key bindings stand this tick: held, pressed this tick, and -1, 0 or 1 for
  // a pair of opposite actions (the first held alone, neither or both, the second alone).
  bool Held(const char* action) const;
  bool Pressed(const char* action) const;
  int32_t Axis(const char* negative, const char* positive) const;
  // Facing and speeds for the direction input by one of the tables; false for no input (the
  // speeds are then 0 and the facing stays).
  bool ApplyDirection(Axes table);
  // The walk, trot or run speed from the toggles and the hold.
  void ChooseSpeed();
  void AdvanceWalkCounter();
  // Starts a buck on "Buck" and runs its phases; the sixth kicks toward the facing.
  void Buck();
  void ClampZSpeed();

  // Slots 0 to 3 take the data library's image of that path (none when it is missing); larger
  // slots are ignored.
  void SetShadowImage(uint32_t slot, const char* section, const char* catalogue,
                      const char* heading, const char* name);
  // Draws the player as its scheme shows it through the camera, the active one when none is
  // given.
  void Draw(ImageObject* target, Camera* camera) override;
  // Picks the movement state, renders the sprite and draws it (with slot 1's shadow when asked)
  // through the camera; an isometric camera only stores the screen position, for
  // DrawAtStoredPosition, projected when asked.
  void DrawWalker(ImageObject* target, Camera& camera, bool projected, bool shadow);
  // The shooter's sprite, flying, at its x and z.
  void DrawShooter(ImageObject* target, Camera& camera);
  void DrawAtStoredPosition() override;
  void DrawSpriteAt(ImageObject* target, int32_t x, int32_t y);

  // "St|" + a state name (a byte flag), the position and speeds (floats), "Direction", the
  // centre and "Health" (integers), "Display" and "AIDrawingList".
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

  // The movement-state flag of that name ("Stationary", "Walking", ...); none when absent.
  uint8_t* FindState(const char* name) const;

  // Read by tests and the program.
  float GetXPos() const { return motion.xPos; }
  float GetYPos() const { return motion.yPos; }
  float GetZPos() const { return motion.zPos; }
  float GetXSpeed() const { return motion.xSpeed; }
  float GetYSpeed() const { return motion.ySpeed; }
  float GetZSpeed() const { return motion.zSpeed; }
  void SetSpeeds(float x, float y, float z) {
    motion.xSpeed = x;
    motion.ySpeed = y;
    motion.zSpeed = z;
  }
  float GetCurrentSpeed() const { return motion.currentSpeed; }
  int32_t GetDirection() const { return motion.direction; }
  void SetDirection(int32_t facing) { motion.direction = facing; }
  int32_t GetWalkCounter() const { return motion.walkCounter; }
  int32_t GetGroundTicks() const { return motion.groundTicks; }
  int32_t GetAirTicks() const { return motion.airTicks; }
  int32_t GetBuckPhase() const { return motion.buckPhase; }
  int32_t GetAnimationTime() const { return animationTime; }
  int32_t GetAnimationRow() const { return animationRow; }
  int32_t GetScreenX() const { return screenX; }
  int32_t GetScreenY() const { return screenY; }
  bool IsJumping() const { return motion.jumping; }
  bool IsFlying() const { return motion.flying; }
  bool IsFalling() const { return motion.falling; }
  bool IsBucking() const { return motion.bucking; }
  bool IsIdle() const { return motion.idle; }
  bool IsRunning() const { return motion.running; }
  bool IsTrotting() const { return motion.trotting; }
  bool IsHovering() const { return motion.hovering; }
  ImageObject* GetSprite() const { return sprite; }
  ImageObject* GetShadow(uint32_t slot) const { return slot < 4 ? shadows[slot] : nullptr; }
  AIDrawingList* GetDrawingList() const { return drawingList.get(); }

 private:
  const KeyBinding* Action(const char* action) const;

  // Every movement-state flag cleared and the drawing's state chosen (one flag set).
  void ChooseMovementState();
  void ClearStates();
  void SetState(const char* name);
  void RenderSprite();

  Motion motion;
  float carryX = 0.0f, carryY = 0.0f, carryZ = 0.0f;
  Dimensions dimensions;
  int32_t health = 16;
  std::array<int32_t, 9> buckPhases = {10, 6, 6, 6, 6, 4, 5, 5, 10};
  int32_t buckTick = 0;
  int32_t buckPhaseCount = 9;
  std::unique_ptr<AIDrawingList> drawingList;
  int32_t screenX = 0, screenY = 0;
  std::array<ImageObject*, 4> shadows{};
  RLL states{4, true};
  int32_t animationRow = 0, animationTime = 0;
  const RLL* keys = nullptr;
  std::unique_ptr<ImageObject> spriteImage;
  ImageObject* sprite = nullptr;  // the routed "Display" slot

  DefaultScheme defaultScheme;
  IsometricScheme screenIsometric{Axes::Screen};
  IsometricScheme worldIsometric{Axes::World};
  SideViewScheme sideView;
  ShooterScheme shooter{&dimensions};
  ControlScheme* scheme = &screenIsometric;

  Lifetime lifetime;
  PropertyOwnerSlot routing{PropertyOwner::Player, [this](const char*) { return this; }};

  static const PropertyField<Player> kFields[13];
};

// "Player_SetPosition", "Player_SetGameMode", "Player_GetHealth"; the player's constructor
// registers them.
extern const ScriptFamily kPlayerFamily;
