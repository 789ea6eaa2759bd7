#include "actors/Player.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "actors/AIDrawingList.h"
#include "actors/ObjectManager.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "core/KeyBinding.h"
#include "core/KeyboardManager.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"
#include "world/CameraManager.h"
#include "world/CellTest.h"

namespace {

constexpr const char* kStateNames[] = {"Stationary", "Walking", "Trotting", "Running", "Jumping",
                                       "Hovering",   "Flying",  "Boosting", "Bucking", "Casting"};
constexpr const char kStatePrefix[] = "St|";
constexpr size_t kStateNameLimit = 91;
constexpr int32_t kSpriteWidth = 192;
constexpr int32_t kSpriteHeight = 96;
constexpr int32_t kPassLimit = 50;
constexpr float kDiagonal = 0.707f;

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

template <int32_t Dimensions::*field>
PropertyRef CentreField(Player& player, LifetimeToken owner) {
  return PropertyRef::Integer(player.GetDimensions()->*field, std::move(owner));
}

// A field of the player's motion, made by one of PropertyRef's makers.
template <auto field, auto make>
constexpr PropertyField<Player> MotionField(const char* name) {
  return {name, [](Player& player, LifetimeToken owner) {
            return make(player.GetMotion().*field, std::move(owner));
          }};
}

}  // namespace

const PropertyField<Player> Player::kFields[13] = {
    MotionField<&Player::Motion::xPos, PropertyRef::Float>("XPos"),
    MotionField<&Player::Motion::yPos, PropertyRef::Float>("YPos"),
    MotionField<&Player::Motion::zPos, PropertyRef::Float>("ZPos"),
    MotionField<&Player::Motion::xSpeed, PropertyRef::Float>("XSpeed"),
    MotionField<&Player::Motion::ySpeed, PropertyRef::Float>("YSpeed"),
    MotionField<&Player::Motion::zSpeed, PropertyRef::Float>("ZSpeed"),
    MotionField<&Player::Motion::direction, PropertyRef::Integer>("Direction"),
    {"XCenter", CentreField<&Dimensions::x>},
    {"YCenter", CentreField<&Dimensions::y>},
    {"ZCenter", CentreField<&Dimensions::z>},
    FieldOf<&Player::health, PropertyRef::Integer>("Health"),
    ObjectFieldOf<&Player::sprite, PropertyRef::kImagePointer>("Display"),
    {"AIDrawingList",
     [](Player& player, LifetimeToken owner) {
       return PropertyRef::Object(PropertyRef::kAIDrawingList, player.drawingList.get(),
                                  std::move(owner));
     }},
};

Player::Player()
    : drawingList(std::make_unique<AIDrawingList>(&animationTime, &animationRow)),
      spriteImage(std::make_unique<ImageObject>()) {
  for (const char* name : kStateNames) RLLAddByteValue(&states, name, 0);
  if (gKeyboardManager != nullptr) keys = &gKeyboardManager->GetActionList();
  spriteImage->Create(kSpriteWidth, kSpriteHeight, &gOpenGLMode);
  sprite = spriteImage.get();
  RecomputeBounds();
  RegisterWithLuaManager(kPlayerFamily);
}

Player::~Player() {
  // The sprite's bitmap is the image's to free, and the image is ours.
  if (spriteImage) spriteImage->Destroy();
}

void Player::SetGameMode(int32_t mode) {
  const struct {
    int32_t mode;
    ControlScheme* scheme;
  } rows[] = {{1, &screenIsometric}, {100, &worldIsometric}, {2, &sideView}, {3, &shooter}};
  scheme = &defaultScheme;
  for (const auto& row : rows) {
    if (row.mode == mode) scheme = row.scheme;
  }
}

void Player::SetPosition(float x, float y, float z) {
  motion.xPos = x;
  motion.yPos = y;
  motion.zPos = z;
}

void Player::RecomputeBounds() {
  // Positions written by scripts may be of any size: the conversions saturate.
  dimensions.x = ToInt32(motion.xPos + 48.0f);
  dimensions.y = ToInt32(motion.yPos + 75.0f);
  dimensions.z = ToInt32(motion.zPos);
  dimensions.minX = SaturatingAdd(dimensions.x, -9);
  dimensions.maxX = SaturatingAdd(dimensions.x, 9);
  dimensions.minY = SaturatingAdd(dimensions.y, -13);
  dimensions.maxY = SaturatingAdd(dimensions.y, 7);
  dimensions.minZ = SaturatingAdd(dimensions.z, -28);
  dimensions.maxZ = dimensions.z;
}

int32_t Player::SplitSpeed(float speed, float& fraction) {
  int32_t whole = ToInt32(speed);
  fraction = fraction + speed - static_cast<float>(whole);
  if (fraction > 1.0f) {
    fraction -= 1.0f;
    if (whole < INT32_MAX) ++whole;
  }
  if (fraction < -1.0f) {
    fraction += 1.0f;
    if (whole > INT32_MIN) --whole;
  }
  return whole;
}

void Player::MoveWithCollision(float xs, float ys, float zs) {
  int32_t x = SplitSpeed(xs, carryX);
  int32_t y = SplitSpeed(ys, carryY);
  int32_t z = SplitSpeed(zs, carryZ);
  const int32_t probe = scheme->GetProbe();
  // One step toward 0 on one axis, taken when the cell ahead is free. Only z probes differently
  // each way: 1 below the feet going down, 24 above them going up.
  const auto step = [this](int32_t& steps, float& position, int32_t dx, int32_t dy, int32_t dzDown,
                           int32_t dzUp) {
    if (steps == 0) return;
    const int32_t sign = steps > 0 ? 1 : -1;
    const Dimensions& d = dimensions;
    if (CellIsFreeForWalker(SaturatingAdd(d.x, int64_t{dx} * sign),
                            SaturatingAdd(d.y, int64_t{dy} * sign),
                            SaturatingAdd(d.z, sign > 0 ? dzDown : dzUp))) {
      position += static_cast<float>(sign);
      RecomputeBounds();
    }
    steps -= sign;
  };
  for (int32_t passes = 0; x != 0 || y != 0 || z != 0;) {
    step(x, motion.xPos, probe, 0, 0, 0);
    step(y, motion.yPos, 0, probe, 0, 0);
    step(z, motion.zPos, 0, 0, 1, -24);
    ++passes;
    // A move that needs exactly the last pass is not caught.
    if (x == 0 && y == 0 && z == 0) break;
    if (passes >= kPassLimit) {
      Log("Movement loop got caught\n");
      break;
    }
  }
}

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

bool Player::ApplyDirection(Axes table) {
  const int32_t vertical = Axis("Up", "Down");
  const int32_t horizontal = Axis("Left", "Right");
  const Heading& heading =
      (table == Axes::Screen ? kScreenAxes : kWorldAxes)[vertical + 1][horizontal + 1];
  if (heading.direction < 0) {
    motion.xSpeed = motion.ySpeed = 0.0f;
    return false;
  }
  motion.direction = heading.direction;
  motion.xSpeed = heading.x * motion.currentSpeed;
  motion.ySpeed = heading.y * motion.currentSpeed;
  return true;
}

void Player::ChooseSpeed() {
  if (Pressed("RunToggle")) motion.runToggle = !motion.runToggle;
  if (Pressed("TrotToggle")) motion.trotting = !motion.trotting;
  motion.currentSpeed = motion.walkSpeed;
  motion.running = false;
  // The hold runs while the toggle is off and walks while it is on.
  if (Held("RunHold") != motion.runToggle) {
    motion.currentSpeed = motion.runSpeed;
    motion.running = true;
  } else if (motion.trotting) {
    motion.currentSpeed = motion.walkSpeed * kTrotFactor;
  }
}

void Player::AdvanceWalkCounter() {
  motion.walkCounter = WrapAdd(motion.walkCounter, 1);
  if (motion.walkCounter > motion.walkFrames * motion.walkFrameTicks) motion.walkCounter = 0;
}

void Player::ClampZSpeed() {
  motion.zSpeed = std::min(motion.zSpeed, motion.zSpeedMaximum);
  motion.zSpeed = std::max(motion.zSpeed, motion.zSpeedMinimum);
}

void Player::Buck() {
  if (Pressed("Buck") && !motion.bucking) {
    motion.bucking = true;
    buckTick = 0;
    motion.buckPhase = 0;
  }
  if (!motion.bucking) return;
  // The kick comes at the start of the sixth phase, toward the facing, to every world object.
  if (buckTick == 0 && motion.buckPhase == 5 && gObjectManager != nullptr) {
    const bool left = motion.direction > 4;
    gObjectManager->ApplyImpulse(ToInt32(motion.xPos + (left ? 9.0f : 90.0f)),
                                 ToInt32(motion.yPos + 61.0f), 2, left ? -4.0f : 4.0f, 0.0f, -5.0f);
  }
  ++buckTick;
  if (motion.buckPhase >= 0 && motion.buckPhase < static_cast<int32_t>(buckPhases.size()) &&
      buckTick < buckPhases[motion.buckPhase]) {
    return;
  }
  ++motion.buckPhase;
  buckTick = 0;
  if (motion.buckPhase >= buckPhaseCount) {
    motion.bucking = false;
    motion.buckPhase = 0;
  }
}

void Player::SetShadowImage(uint32_t slot, const char* section, const char* catalogue,
                            const char* heading, const char* name) {
  if (slot >= shadows.size()) return;
  shadows[slot] = nullptr;
  if (gDataLibrary == nullptr || section == nullptr || catalogue == nullptr || heading == nullptr ||
      name == nullptr) {
    return;
  }
  shadows[slot] = gDataLibrary->GetEntry<ImageObject>(section, catalogue, heading, name);
}

uint8_t* Player::FindState(const char* name) const {
  return name != nullptr ? static_cast<uint8_t*>(states.Find(name)) : nullptr;
}

void Player::ClearStates() {
  states.ForEach([](void* flag) { *static_cast<uint8_t*>(flag) = 0; });
}

void Player::SetState(const char* name) {
  if (uint8_t* flag = FindState(name)) *flag = 1;
}

void Player::ChooseMovementState() {
  ClearStates();
  const char* name = "Stationary";
  animationRow = motion.direction;
  if (motion.jumping) {
    name = "Jumping";
    animationTime = motion.airTicks < 4 ? 0 : motion.zSpeed < 2.7f ? 1 : 2;
  } else if (motion.falling) {
    name = "Jumping";
    animationTime = 2;
  } else if (motion.bucking) {
    name = "Bucking";
    animationTime = motion.buckPhase;
    animationRow = motion.direction > 4 ? 1 : 0;
  } else if (motion.flying) {
    animationTime = motion.walkCounter;
    name = motion.hovering ? "Hovering" : motion.running ? "Boosting" : "Flying";
  } else if (motion.idle) {
    // A landing shows a few more frames of the jump.
    if (motion.groundTicks < 4) {
      name = "Jumping";
      motion.walkCounter = 3;
    } else {
      motion.walkCounter = 0;
    }
  } else {
    animationTime = motion.walkCounter;
    name = motion.running ? "Running" : motion.trotting ? "Trotting" : "Walking";
  }
  SetState(name);
}

void Player::RenderSprite() {
  if (sprite == nullptr) return;
  sprite->ClearToTransparent();
  drawingList->Draw(sprite, 48, 0, 0);
}

void Player::Draw(ImageObject* target, Camera* camera) {
  if (camera == nullptr && gCameraManager != nullptr) camera = gCameraManager->GetActiveCamera();
  if (camera != nullptr) scheme->Draw(*this, target, *camera);
}

void Player::DrawWalker(ImageObject* target, Camera& camera, bool projected, bool shadow) {
  ChooseMovementState();
  RenderSprite();
  if (target != nullptr) target->SetAsTarget();
  if (camera.GetMapModeFlag() == 1) {
    if (projected) {
      screenX = ToInt32(motion.xPos - motion.yPos + 225.0f);
      screenY = ToInt32(motion.zPos + 160.0f + (motion.xPos + motion.yPos) * 0.5f + 85.0f);
    } else {
      screenX = ToInt32(motion.xPos - static_cast<float>(camera.GetViewX()));
      screenY = ToInt32(motion.yPos - static_cast<float>(camera.GetViewY()) + motion.zPos);
    }
    // The isometric renderer draws the player between its blocks.
    return;
  }
  screenX = ToInt32(motion.xPos - static_cast<float>(camera.GetViewX()));
  screenY = ToInt32(motion.yPos - static_cast<float>(camera.GetViewY()) + motion.zPos);
  if (target == nullptr) return;
  if (shadow && shadows[1] != nullptr) {
    shadows[1]->DrawAt(SaturatingAdd(screenX, 34),
                       ToInt32(static_cast<float>(screenY) - motion.zPos), 0);
  }
  if (sprite != nullptr) sprite->Draw(SaturatingAdd(screenX, -48), SaturatingAdd(screenY, -75));
}

void Player::DrawAtStoredPosition() {
  if (shadows[1] != nullptr) shadows[1]->DrawAt(SaturatingAdd(screenX, 34), screenY, 0);
  if (sprite != nullptr) sprite->Draw(SaturatingAdd(screenX, -48), SaturatingAdd(screenY, -75));
}

void Player::DrawSpriteAt(ImageObject*, int32_t x, int32_t y) {
  if (sprite != nullptr) sprite->Draw(SaturatingAdd(x, -48), SaturatingAdd(y, -75));
}

void Player::DrawShooter(ImageObject* target, Camera& camera) {
  animationTime = motion.walkCounter;
  animationRow = motion.direction;
  ClearStates();
  SetState("Boosting");
  RenderSprite();
  screenX = ToInt32(motion.xPos - static_cast<float>(camera.GetViewX()));
  screenY = ToInt32(motion.zPos - static_cast<float>(camera.GetViewY()));
  if (target == nullptr) return;
  target->SetAsTarget();
  if (sprite != nullptr) {
    sprite->DrawAt(SaturatingAdd(screenX, -48), SaturatingAdd(screenY, -75), 0);
  }
}

PropertyRef Player::GetPropertyAddress(const char*, const char* property) {
  if (property == nullptr) return PropertyRef();
  if (std::strncmp(property, kStatePrefix, std::strlen(kStatePrefix)) == 0) {
    // Longer state names are cut, as no state has such a name.
    const std::string state(property + std::strlen(kStatePrefix),
                            strnlen(property + std::strlen(kStatePrefix), kStateNameLimit));
    Log("Scanning player for State: %s\n", state.c_str());
    if (uint8_t* flag = FindState(state.c_str())) return PropertyRef::Byte(*flag, lifetime.Token());
    Log("Pointer Routing:  Failed, no state variable %s found in Player\n", property);
    return PropertyRef();
  }
  return AnswerFromFields(kFields, *this, property, lifetime.Token());
}
