#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "IsoMapWriter.h"
#include "actors/ObjectBase.h"
#include "actors/ObjectManager.h"
#include "actors/Player.h"
#include "actors/ShooterInput.h"
#include "actors/WeaponSelector.h"
#include "core/KeyboardManager.h"
#include "support/KeyState.h"
#include "support/TempDir.h"
#include "unit/world/WorldFixture.h"
#include "world/DefinedMap.h"

namespace {

constexpr int kUp = ALLEGRO_KEY_UP;
constexpr int kDown = ALLEGRO_KEY_DOWN;
constexpr int kLeft = ALLEGRO_KEY_LEFT;
constexpr int kRight = ALLEGRO_KEY_RIGHT;
constexpr int kJump = ALLEGRO_KEY_SPACE;
constexpr int kBuck = ALLEGRO_KEY_Z;  // also "Rise"
constexpr int kRunHold = ALLEGRO_KEY_LSHIFT;
constexpr int kRunToggle = ALLEGRO_KEY_CAPSLOCK;
constexpr int kTrotToggle = ALLEGRO_KEY_T;

const float kTrot = 2.2f * 1.35f;

class PlayerTest : public WorldFixture {
 protected:
  PlayerTest() {
    gKeyboardManager = &keyboard;
    MakeMapManager();
    player = std::make_unique<Player>();
    gPlayer = player.get();
    // Every action is seen up once, so the first press is an edge.
    keyboard.UpdateActions(KeysHeld({}));
    log.Clear();
  }
  ~PlayerTest() override { gPlayer = nullptr; }

  // One tick with exactly these keys held.
  void Tick(std::initializer_list<int> keys = {}) {
    keyboard.UpdateActions(KeysHeld(keys));
    player->Update();
  }

  // A clip map of that size, every cell free (the clip map's 0).
  DefinedMap& ClipMap(int32_t columns, int32_t rows) {
    map->TransitionMap("MAPNONE");
    LoadedClipMap()->SetDimensions(columns, rows);
    log.Clear();
    return *LoadedClipMap();
  }
  // The unsized clip map, whose cells all answer 1: free for the walker.
  void OpenSpace() {
    map->TransitionMap("MAPNONE");
    log.Clear();
  }

  bool StateIs(const char* name) { return *player->FindState(name) == 1; }
  // The scheme the player steers by now when it is of that class, else none.
  template <class S>
  S* SchemeOf() {
    return dynamic_cast<S*>(&player->GetScheme());
  }
  bool IsModeOne() { return SchemeOf<IsometricScheme>() != nullptr; }
  bool IsModeHundred() { return IsModeOne() && SchemeOf<IsometricScheme>()->UsesWorldAxes(); }

  KeyboardManager keyboard;
  std::unique_ptr<Player> player;
};

TEST_F(PlayerTest, GameModesSetTheirFlagsAndNothingElse) {
  struct Case {
    int32_t mode;
    bool mode1, mode100, sideView, shooter;
  };
  const Case cases[] = {
      {1, true, false, false, false},  {100, true, true, false, false},
      {2, false, false, true, false},  {3, false, false, false, true},
      {5, false, false, false, false}, {0, false, false, false, false},
  };
  player->SetPosition(4, 5, 6);
  for (const Case& c : cases) {
    player->SetGameMode(2);
    player->SetGameMode(c.mode);
    EXPECT_EQ(IsModeOne(), c.mode1) << c.mode;
    EXPECT_EQ(IsModeHundred(), c.mode100) << c.mode;
    EXPECT_EQ(SchemeOf<SideViewScheme>() != nullptr, c.sideView) << c.mode;
    EXPECT_EQ(SchemeOf<ShooterScheme>() != nullptr, c.shooter) << c.mode;
  }
  EXPECT_EQ(player->GetXPos(), 4.0f);
  EXPECT_EQ(player->GetZPos(), 6.0f);
}

TEST_F(PlayerTest, StartsInModeOneAboveTheFloorFacingDown) {
  EXPECT_TRUE(IsModeOne());
  EXPECT_EQ(player->GetZPos(), -150.0f);
  EXPECT_EQ(player->GetDirection(), 4);
  EXPECT_TRUE(player->IsTrotting());
  EXPECT_EQ(player->GetDimensions()->w, 0);
}

TEST_F(PlayerTest, BoundsTruncateTheCentre) {
  player->SetPosition(10.7f, 0.0f, -0.5f);
  player->RecomputeBounds();
  const Dimensions& d = *player->GetDimensions();
  EXPECT_EQ(d.x, 58);
  EXPECT_EQ(d.y, 75);
  EXPECT_EQ(d.z, 0);
  EXPECT_EQ(d.minX, 49);
  EXPECT_EQ(d.maxX, 67);
  EXPECT_EQ(d.minY, 62);
  EXPECT_EQ(d.maxY, 82);
  EXPECT_EQ(d.minZ, -28);
  EXPECT_EQ(d.maxZ, 0);

  // Positions from scripts may be anything: the centre saturates.
  player->SetPosition(1e30f, -1e30f, 0.0f);
  player->RecomputeBounds();
  EXPECT_EQ(d.x, INT32_MAX);
  EXPECT_EQ(d.maxX, INT32_MAX);
  EXPECT_EQ(d.minY, INT32_MIN);
}

TEST_F(PlayerTest, SplitSpeedCarriesThePartsOfAPixel) {
  struct Case {
    float speed;
    std::vector<int32_t> steps;
  };
  const Case cases[] = {
      {2.5f, {2, 2, 3, 2, 3}},
      {0.5f, {0, 0, 1, 0, 1}},
      {-2.5f, {-2, -2, -3, -2, -3}},
      {3.0f, {3, 3, 3}},
  };
  for (const Case& c : cases) {
    float fraction = 0.0f;
    std::vector<int32_t> steps;
    for (size_t i = 0; i < c.steps.size(); ++i)
      steps.push_back(Player::SplitSpeed(c.speed, fraction));
    EXPECT_EQ(steps, c.steps) << c.speed;
  }
}

TEST_F(PlayerTest, AMoveOfMoreThanFiftyPassesIsCaughtOnceAndKeepsItsFraction) {
  OpenSpace();
  player->SetGameMode(0);
  player->SetPosition(0, 0, 0);
  player->RecomputeBounds();
  player->MoveWithCollision(60.5f, 0, 0);
  EXPECT_EQ(player->GetXPos(), 50.0f);
  EXPECT_EQ(log.Text(), "Movement loop got caught\n");
  // The half pixel is still carried: 0.6 more makes a whole step.
  player->MoveWithCollision(0.6f, 0, 0);
  EXPECT_EQ(player->GetXPos(), 51.0f);

  // Exactly fifty passes finish the move without the line.
  log.Clear();
  player->MoveWithCollision(0, -50.0f, 0);
  EXPECT_EQ(player->GetYPos(), -50.0f);
  EXPECT_EQ(log.Text(), "");
}

// The walker steps only where the map answers 1, probing 4 pixels ahead in the default scheme and
// 16 in the others; on a clip map that is its clipped cells, read literally.
TEST_F(PlayerTest, StepsProbeAheadAndTakeTheCellTestLiterally) {
  DefinedMap& clip = ClipMap(400, 300);
  clip.ClipArea(1, 152, 0, 154, 300);  // the default probe reaches these from centre 148 and 149
  struct Case {
    int32_t mode;
    float expected;
  };
  for (const Case& c : {Case{0, 102.0f}, Case{1, 100.0f}, Case{2, 100.0f}}) {
    player->SetGameMode(c.mode);
    player->SetPosition(100, 0, 0);
    player->RecomputeBounds();
    player->MoveWithCollision(5.0f, 0, 0);
    EXPECT_EQ(player->GetXPos(), c.expected) << "mode " << c.mode;
  }
  // With no map at all nothing is free.
  map->UnloadMap();
  player->SetGameMode(0);
  player->MoveWithCollision(3.0f, 3.0f, 3.0f);
  EXPECT_EQ(player->GetXPos(), 100.0f);
  EXPECT_EQ(player->GetZPos(), 0.0f);
}

// On an isometric map x and y steps probe the centre's height and only an upward z step probes 24
// above it. At z -10 the centre lies in layer 0 and 24 above it in layer 1: blocks filling one
// layer around the player's cell are walls or overhangs, and every direction is tried on both.
TEST_F(PlayerTest, IsometricStepsProbeTheLayerTheirAxisReaches) {
  TempDir dir;
  struct Case {
    const char* name;
    float xs, ys, zs;
    float x, y;  // the start: centre 80 or 79, one probe from the next cell that way
    bool wallsMove, overhangsMove;
  };
  const Case cases[] = {
      {"+x", 4, 0, 0, 32, 5, false, true},  {"-x", -4, 0, 0, 31, 5, false, true},
      {"+y", 0, 4, 0, 32, 5, false, true},  {"-y", 0, -4, 0, 32, 4, false, true},
      {"up", 0, 0, -4, 32, 5, true, false}, {"down", 0, 0, 4, 32, 5, true, true},
  };
  for (const bool overhangs : {false, true}) {
    // Cell (2, 2) of the chosen layer stays free; the other layer is empty.
    iso_map::IsoMapWriter writer(5, 5, 2);
    for (int32_t x = 0; x < 5; ++x) {
      for (int32_t y = 0; y < 5; ++y) {
        if (x != 2 || y != 2 || overhangs) writer.Set(x, y, overhangs ? 1 : 0, {});
      }
    }
    iso_map::IsoMapWriter::WriteFile(dir.Write("Maps/Walls.slf", "").string(), writer.Write());
    map->TransitionMap("Walls");
    ASSERT_EQ(LoadedKind(), Kind::Isometric);
    player->SetGameMode(1);
    for (const Case& c : cases) {
      player->SetPosition(c.x, c.y, -10);
      player->RecomputeBounds();
      player->MoveWithCollision(c.xs, c.ys, c.zs);
      const bool moved =
          player->GetXPos() != c.x || player->GetYPos() != c.y || player->GetZPos() != -10.0f;
      EXPECT_EQ(moved, overhangs ? c.overhangsMove : c.wallsMove)
          << c.name << (overhangs ? " under overhangs" : " between walls");
    }
  }
}

// Every row of both direction tables, as the schemes use them. The clip map is ground everywhere
// for the isometric scheme and refuses every step, so the speeds are read as set.
TEST_F(PlayerTest, DirectionRowsPerMode) {
  ClipMap(2000, 2000);
  struct Input {
    std::initializer_list<int> keys;
    const char* name;
  };
  const Input inputs[] = {{{kUp}, "up"},         {{kUp, kRight}, "up right"},
                          {{kRight}, "right"},   {{kDown, kRight}, "down right"},
                          {{kDown}, "down"},     {{kDown, kLeft}, "down left"},
                          {{kLeft}, "left"},     {{kUp, kLeft}, "up left"},
                          {{kUp, kDown}, "none"}};
  const float d = 0.707f;
  struct Row {
    int32_t direction;
    float x, y;
  };
  // Screen axes (mode 1) and world axes (modes 0 and 100), in the order of the inputs.
  const Row screen[] = {{0, -d, -d}, {1, 0, -1}, {2, d, -d}, {3, 1, 0}, {4, d, d},
                        {5, 0, 1},   {6, -d, d}, {7, -1, 0}, {-1, 0, 0}};
  const Row world[] = {{0, 0, -1}, {1, d, -d}, {2, 1, 0},   {3, d, d}, {4, 0, 1},
                       {5, -d, d}, {6, -1, 0}, {7, -d, -d}, {-1, 0, 0}};
  for (int32_t mode : {0, 1, 100}) {
    const Row* rows = mode == 1 ? screen : world;
    player->SetGameMode(mode);
    for (size_t i = 0; i < std::size(inputs); ++i) {
      player->SetPosition(1000, 1000, 0);
      player->SetDirection(9);
      Tick(inputs[i].keys);
      const std::string label = "mode " + std::to_string(mode) + " " + inputs[i].name;
      EXPECT_EQ(player->GetDirection(), rows[i].direction < 0 ? 9 : rows[i].direction) << label;
      EXPECT_FLOAT_EQ(player->GetXSpeed(), rows[i].x * kTrot) << label;
      EXPECT_FLOAT_EQ(player->GetYSpeed(), rows[i].y * kTrot) << label;
      EXPECT_EQ(player->IsIdle(), rows[i].direction < 0) << label;
    }
  }
}

TEST_F(PlayerTest, TheSpeedChoiceWeighsTogglesAgainstTheHold) {
  OpenSpace();
  player->SetGameMode(0);
  player->SetPosition(0, 0, 0);
  struct Step {
    std::initializer_list<int> keys;
    float speed;
    bool running;
  };
  const Step steps[] = {
      {{}, kTrot, false},            // trotting from the start
      {{kRunHold}, 5.0f, true},      // the hold runs
      {{kTrotToggle}, 2.2f, false},  // trotting off: a walk
      {{kRunToggle}, 5.0f, true},    // the toggle runs without the hold
      {{kRunHold}, 2.2f, false},     // toggle and hold cancel
      {{}, 5.0f, true},              // released: it runs again
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    Tick(steps[i].keys);
    EXPECT_FLOAT_EQ(player->GetCurrentSpeed(), steps[i].speed) << "step " << i;
    EXPECT_EQ(player->IsRunning(), steps[i].running) << "step " << i;
  }
  // Walking, "Up" and "Right": the diagonal of the walk speed.
  Tick({kRunToggle});
  Tick({kUp, kRight});
  EXPECT_EQ(player->GetDirection(), 1);
  EXPECT_FLOAT_EQ(player->GetXSpeed(), 1.5554f);
  EXPECT_FLOAT_EQ(player->GetYSpeed(), -1.5554f);
}

TEST_F(PlayerTest, DefaultSchemeJumpThenFlightThenFall) {
  OpenSpace();
  player->SetGameMode(0);
  player->SetPosition(0, 0, 0);
  Tick();
  Tick({kJump});
  EXPECT_TRUE(player->IsJumping());
  EXPECT_EQ(player->GetZSpeed(), -5.0f);
  EXPECT_EQ(player->GetZPos(), -5.0f);
  Tick();
  EXPECT_FLOAT_EQ(player->GetZSpeed(), -4.7f);
  EXPECT_EQ(player->GetAirTicks(), 1);
  // A second press in the air stops the jump and flies.
  Tick({kJump});
  EXPECT_FALSE(player->IsJumping());
  EXPECT_TRUE(player->IsFlying());
  EXPECT_EQ(player->GetZSpeed(), 0.0f);
  Tick();
  EXPECT_TRUE(player->IsHovering());
  Tick({kBuck});  // "Rise"
  EXPECT_EQ(player->GetZSpeed(), -1.0f);
  Tick({ALLEGRO_KEY_X});  // "Drop"
  EXPECT_EQ(player->GetZSpeed(), 1.0f);
  // A third press ends the flight: the player falls.
  Tick({kJump});
  EXPECT_FALSE(player->IsFlying());
  EXPECT_TRUE(player->IsFalling());
  const float z = player->GetZSpeed();
  Tick();
  EXPECT_FLOAT_EQ(player->GetZSpeed(), z + 0.3f);
  // Falling, a press flies again.
  Tick({kJump});
  EXPECT_TRUE(player->IsFlying());
}

TEST_F(PlayerTest, TheFirstAirborneTickHasNoGravityAndALandingStaysWhereItEnds) {
  OpenSpace();
  ASSERT_TRUE(Run("Player_SetGameMode(0) Player_SetPosition(0, 0, -3)"));
  Tick();
  EXPECT_TRUE(player->IsFalling());
  EXPECT_EQ(player->GetZSpeed(), 0.0f);
  EXPECT_EQ(player->GetZPos(), -3.0f);
  // A step of 7 from -3 ends at 4, below the floor: it lands there.
  ASSERT_TRUE(Run("PM_SetValue(6.9, 'Player', '', 'ZSpeed')"));
  Tick();
  EXPECT_EQ(player->GetZPos(), 4.0f);
  EXPECT_EQ(player->GetZSpeed(), 0.0f);
  EXPECT_FALSE(player->IsFalling());
}

TEST_F(PlayerTest, IsometricAirIgnoresTheJumpKeyAndNeverLandsInOpenSpace) {
  OpenSpace();
  player->SetPosition(0, 0, 0);
  for (int tick = 0; tick < 40; ++tick)
    Tick(tick % 2 == 0 ? std::initializer_list<int>{kJump} : std::initializer_list<int>{});
  EXPECT_FALSE(player->IsFlying());
  EXPECT_TRUE(player->IsFalling());
  EXPECT_EQ(player->GetZSpeed(), 7.0f);
}

// A buck lasts 58 ticks and kicks at the start of its 35th, to the side the player faces.
TEST_F(PlayerTest, BuckTimingAndItsImpulse) {
  OpenSpace();
  struct Kick {
    int tick;
    int32_t x, y, z;
    float fx, fy, fz;
  };
  std::vector<Kick> kicks;
  int tick = 0;
  // The kick reaches every world object.
  struct Kicked : ObjectBase {
    std::function<void(int32_t x, int32_t y, int32_t z, float fx, float fy, float fz)> record;
    void OnImpulse(int32_t x, int32_t y, int32_t z, float fx, float fy, float fz) override {
      record(x, y, z, fx, fy, fz);
    }
  };
  ObjectManager objects;
  auto* kicked = new Kicked();
  kicked->record = [&](int32_t x, int32_t y, int32_t z, float fx, float fy, float fz) {
    kicks.push_back({tick, x, y, z, fx, fy, fz});
  };
  objects.Add("kicked", kicked);
  gObjectManager = &objects;
  player->SetGameMode(0);
  player->SetPosition(10.5f, 20.5f, 0);
  Tick({kLeft});
  Tick();
  ASSERT_EQ(player->GetDirection(), 6);
  const float x = player->GetXPos();
  for (tick = 1; tick <= 100; ++tick) {
    Tick(tick == 1 ? std::initializer_list<int>{kBuck} : std::initializer_list<int>{});
    if (!player->IsBucking()) break;
  }
  EXPECT_EQ(tick, 58);
  ASSERT_EQ(kicks.size(), 1u);
  EXPECT_EQ(kicks[0].tick, 35);
  EXPECT_EQ(kicks[0].x, static_cast<int32_t>(x + 9.0f));
  EXPECT_EQ(kicks[0].y, 81);
  EXPECT_EQ(kicks[0].z, 2);
  EXPECT_EQ(kicks[0].fx, -4.0f);
  EXPECT_EQ(kicks[0].fy, 0.0f);
  EXPECT_EQ(kicks[0].fz, -5.0f);

  // Facing right the kick goes the other way; the phase shows as the drawing's time.
  kicks.clear();
  Tick({kRight});
  Tick();
  Tick({kBuck});
  for (int i = 0; i < 40; ++i) Tick();
  ASSERT_EQ(kicks.size(), 1u);
  EXPECT_EQ(kicks[0].fx, 4.0f);
  EXPECT_EQ(kicks[0].x, static_cast<int32_t>(player->GetXPos() + 90.0f));
  player->Draw(DefaultCamera().GetImage(), &DefaultCamera());
  EXPECT_TRUE(StateIs("Bucking"));
  EXPECT_EQ(player->GetAnimationTime(), player->GetBuckPhase());
  EXPECT_EQ(player->GetAnimationRow(), 0);
}

// The side view on a clip map: a floor from row 200 and a wall from column 300.
class SideViewTest : public PlayerTest {
 protected:
  SideViewTest() {
    DefinedMap& clip = ClipMap(400, 300);
    clip.ClipArea(1, 0, 200, 400, 300);
    clip.ClipArea(1, 300, 0, 400, 300);
    log.Clear();
    player->SetGameMode(2);
    player->SetPosition(100, 40, 199);  // standing on the floor
  }
};

TEST_F(SideViewTest, JumpIsClampedInItsTickThenOneDoubleJump) {
  Tick();
  EXPECT_EQ(player->GetYPos(), 0.0f);
  EXPECT_EQ(player->GetDirection(), 2);
  Tick({kJump});
  EXPECT_EQ(player->GetZSpeed(), -7.0f);
  EXPECT_EQ(player->GetZPos(), 192.0f);
  Tick();
  Tick({kJump});
  EXPECT_TRUE(SchemeOf<SideViewScheme>()->HasDoubleJumped());
  EXPECT_EQ(player->GetZSpeed(), -7.0f);
  Tick();
  float z = player->GetZSpeed();
  Tick({kJump});  // a third press does nothing
  EXPECT_FLOAT_EQ(player->GetZSpeed(), z + 0.3f);
  for (int tick = 0; tick < 200 && player->IsJumping(); ++tick) Tick();
  EXPECT_FALSE(player->IsJumping());
  EXPECT_FALSE(SchemeOf<SideViewScheme>()->HasDoubleJumped());
  EXPECT_EQ(player->GetZPos(), 199.0f);
  EXPECT_EQ(player->GetZSpeed(), 0.0f);
}

TEST_F(SideViewTest, WalksUpToTheWallAndTurns) {
  for (int tick = 0; tick < 100; ++tick) Tick({kRight});
  // The box's right edge stops one pixel short of column 300.
  EXPECT_EQ(player->GetDimensions()->maxX, 299);
  EXPECT_EQ(player->GetXPos(), 242.0f);
  Tick({kLeft});
  EXPECT_EQ(player->GetDirection(), 6);
  EXPECT_FLOAT_EQ(player->GetXSpeed(), -kTrot);
  Tick({kLeft, kRight});
  EXPECT_EQ(player->GetXSpeed(), 0.0f);
}

TEST_F(SideViewTest, AirControlTurnsAtZeroAndStaysWithinTheTakeOffSpeed) {
  Tick({kRight});
  Tick({kRight, kJump});
  ASSERT_TRUE(player->IsJumping());
  bool turned = false;
  while (player->IsJumping()) {
    const float before = player->GetXSpeed();
    Tick({kLeft});
    if (!turned && player->GetDirection() == 6) {
      turned = true;
      EXPECT_LE(before, 0.0f);
    } else if (!turned) {
      EXPECT_GT(before, 0.0f);
    }
    EXPECT_GE(player->GetXSpeed(), -kTrot);
  }
  EXPECT_TRUE(turned);
}

TEST_F(PlayerTest, ShooterStaysInsideTheWindow) {
  player->SetGameMode(3);
  player->SetPosition(799.0f, 0, 0);
  Tick({kRight});
  EXPECT_EQ(player->GetXPos(), 800.0f);
  Tick({kRight, kUp});
  EXPECT_EQ(player->GetXPos(), 800.0f);
  EXPECT_EQ(player->GetZPos(), 0.0f);
  Tick({kLeft, kDown});
  EXPECT_EQ(player->GetXPos(), 797.0f);
  EXPECT_EQ(player->GetZPos(), 3.0f);
  EXPECT_EQ(player->GetDirection(), 2);
}

// The first weapon key pressed selects (with its cooldown); a held mouse button fires once the
// cooldown is over, toward the aim.
TEST_F(PlayerTest, ShooterDrivesItsWeapons) {
  ObjectManager objects;
  gObjectManager = &objects;
  struct Mouse : ShooterInput {
    bool held = true;
    bool MouseHeld() override { return held; }
    void Aim(float& x, float& y) override {
      x = 700.0f;
      y = 300.0f;
    }
  } mouse;
  gShooterInput = &mouse;
  player->SetGameMode(3);
  player->SetPosition(100, 0, 300);
  Tick({ALLEGRO_KEY_3, ALLEGRO_KEY_5});
  ASSERT_EQ(SchemeOf<ShooterScheme>()->GetWeapons().GetWeapon(), 3);
  EXPECT_EQ(SchemeOf<ShooterScheme>()->GetWeapons().GetCooldown(), 179);
  for (int tick = 0; tick < 178; ++tick) Tick();
  EXPECT_EQ(objects.GetCount(), 0);
  Tick();
  EXPECT_EQ(objects.GetCount(), 1);
  mouse.held = false;
  Tick();
  Tick();
  EXPECT_EQ(objects.GetCount(), 1);
  gShooterInput = nullptr;
  gObjectManager = nullptr;
}

TEST_F(PlayerTest, ALandingShowsThreeMoreJumpFramesWhenIdle) {
  OpenSpace();
  player->SetGameMode(0);
  player->SetPosition(0, 0, 0);
  Tick();
  Tick({kJump});
  std::vector<std::string> shown;
  for (int tick = 0; tick < 60; ++tick) {
    Tick();
    player->Draw(DefaultCamera().GetImage(), &DefaultCamera());
    shown.push_back(StateIs("Jumping") ? "J" : StateIs("Stationary") ? "S" : "?");
  }
  const std::string sequence = [&] {
    std::string out;
    for (const std::string& s : shown) out += s;
    return out;
  }();
  // In the air, then three more frames after the landing tick, then standing.
  EXPECT_NE(sequence.find("JJJS"), std::string::npos) << sequence;
  EXPECT_EQ(sequence.find('?'), std::string::npos) << sequence;
  EXPECT_EQ(sequence.back(), 'S');
  EXPECT_EQ(player->GetWalkCounter(), 0);
}

TEST_F(PlayerTest, ScreenPositionsAndTheShadow) {
  auto* shadow = new ImageObject();
  shadow->Create(4, 4, &gOpenGLMode);
  shadow->ClearToColor(255, 0, 0, 255);
  library->AddSection("Images");
  library->AddCatalogue("Images", "Misc");
  library->AddHeading("Images", "Misc", "Shadows");
  library->Register("Images", "Misc", "Shadows", "ShadowM", shadow);
  player->SetShadowImage(1, "Images", "Misc", "Shadows", "ShadowM");
  player->SetShadowImage(4, "Images", "Misc", "Shadows", "ShadowM");  // ignored
  ASSERT_EQ(player->GetShadow(1), shadow);

  ImageObject target;
  target.Create(800, 600, &gOpenGLMode);
  const auto red = [&](int x, int y) {
    unsigned char r, g, b, a;
    al_unmap_rgba(al_get_pixel(target.GetBitmap(), x, y), &r, &g, &b, &a);
    return r == 255 && g == 0 && a == 255;
  };
  Camera& camera = DefaultCamera();
  player->SetGameMode(0);
  player->SetPosition(100, 100, -20);
  target.ClearToTransparent();
  player->Draw(&target, &camera);
  EXPECT_EQ(player->GetScreenX(), 100);
  EXPECT_EQ(player->GetScreenY(), 80);
  EXPECT_TRUE(red(135, 101));  // at (x + 34, y - z): on the floor under the player

  // The side view draws no shadow; a missing shadow leaves the slot empty and draws nothing.
  player->SetGameMode(2);
  target.ClearToTransparent();
  player->Draw(&target, &camera);
  EXPECT_FALSE(red(135, 101));
  player->SetGameMode(0);
  log.Clear();
  player->SetShadowImage(1, "Images", "Misc", "Shadows", "Missing");
  EXPECT_EQ(player->GetShadow(1), nullptr);
  EXPECT_EQ(log.Text(), "DataLibrary:  Warning, Root/Images/Misc/Shadows/Missing does not exist\n");
  target.ClearToTransparent();
  player->Draw(&target, &camera);
  EXPECT_FALSE(red(135, 101));

  // An isometric camera only stores the projected position.
  camera.SetMapModeFlag(1);
  player->SetGameMode(1);
  player->SetPosition(100, 50, -10);
  player->Draw(&target, &camera);
  EXPECT_EQ(player->GetScreenX(), 275);
  EXPECT_EQ(player->GetScreenY(), 310);
}

TEST_F(PlayerTest, RoutedPropertiesAndStateNames) {
  struct Case {
    const char* name;
    int32_t type;
  };
  const Case cases[] = {
      {"XPos", 4},       {"ZSpeed", 4}, {"Direction", 2}, {"XCenter", 2},
      {"ZCenter", 2},    {"Health", 2}, {"Display", -10}, {"AIDrawingList", 1200},
      {"St|Casting", 1}, {"xpos", 0},   {"St|", 0},       {"Nothing", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(router.Route("Player", "", c.name).GetType(), c.type) << c.name;
  }
  log.Clear();
  PropertyRef bucking = router.Route("Player", "any", "St|Bucking");
  EXPECT_EQ(router.GetType(), 1);
  EXPECT_EQ(bucking.AsByte(), player->FindState("Bucking"));
  EXPECT_EQ(log.Text(), "Scanning player for State: Bucking\n");

  log.Clear();
  EXPECT_EQ(router.Route("Player", "", "St|Sleeping").GetType(), 0);
  EXPECT_EQ(log.Text(),
            "Scanning player for State: Sleeping\n"
            "Pointer Routing:  Failed, no state variable St|Sleeping found in Player\n");

  // A long state name is cut at 91 characters.
  log.Clear();
  router.Route("Player", "", ("St|" + std::string(300, 'x')).c_str());
  EXPECT_NE(log.Text().find("State: " + std::string(91, 'x') + "\n"), std::string::npos);

  // The centre follows the position as a router sees it.
  PropertyRef centre = router.Route("Player", "", "XCenter");
  player->SetPosition(10, 0, 0);
  player->RecomputeBounds();
  EXPECT_EQ(*centre.AsInteger(), 58);
  player.reset();
  gPlayer = nullptr;
  EXPECT_EQ(centre.AsInteger(), nullptr);
}

TEST_F(PlayerTest, ScriptFunctions) {
  ExpectFailures({
      {"Player_SetPosition(1, 2)", "Player SetPosition:  Failed, invalid argument lmIst\n"},
      {"Player_SetGameMode()", "Player SetGameMode:  Failed, invalid argument lmIst\n"},
      {"Player_SetGameMode(1, 2)", "Player SetGameMode:  Failed, invalid argument lmIst\n"},
  });
  log.Clear();
  ASSERT_TRUE(
      Run("Player_SetPosition(1.5, -2, 3) Player_SetGameMode(100.7)"
          " health = Player_GetHealth(1, 2, 3)"));
  EXPECT_EQ(player->GetXPos(), 1.5f);
  EXPECT_EQ(player->GetYPos(), -2.0f);
  EXPECT_EQ(player->GetZPos(), 3.0f);
  EXPECT_TRUE(IsModeHundred());
  EXPECT_EQ(Number("health"), 16);
  EXPECT_EQ(log.Text(), "");

  gPlayer = nullptr;
  ExpectFailures({
      {"Player_SetPosition(1, 2, 3)", "Player SetPosition:  Failed, manager not created\n"},
      {"Player_GetHealth()", "Player GetHealth:  Failed, manager not created\n"},
  });
}

}  // namespace
