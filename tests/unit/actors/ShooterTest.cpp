#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "ActorsFixture.h"
#include "actors/ShooterEnemyGnatling.h"
#include "actors/ShooterMachineGunBullet.h"
#include "actors/ShooterMiniGameManager.h"
#include "actors/WeaponSelector.h"
#include "world/Camera.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class ShooterTest : public ActorsFixture {
 protected:
  ShooterTest() {
    gShooterMiniGameManager = &shooter;
    log.Clear();
  }
  ~ShooterTest() override {
    gShooterMiniGameManager = nullptr;
    target.Destroy();
  }

  // A picture of one colour under the name, a transparent target of the size and a camera of
  // that size whose view has moved to (left, top).
  std::unique_ptr<Camera> MovedView(const char* picture, Rgba colour, int32_t left, int32_t top,
                                    int32_t w, int32_t h) {
    AddImage("Items", picture, 22, 18)->ClearToColor(colour.r, colour.g, colour.b, colour.a);
    target.Create(w, h, &gOpenGLMode);
    target.ClearToColor(0, 0, 0, 0);
    auto camera = std::make_unique<Camera>(left, top, w, h);
    camera->SetBoundaries(0, 0, 2000, 2000);
    camera->Recompute();
    EXPECT_EQ(camera->GetViewX(), left);
    EXPECT_EQ(camera->GetViewY(), top);
    return camera;
  }
  Rgba Pixel(int x, int y) { return PixelAt(target.GetBitmap(), x, y); }

  ShooterEnemyGnatling* Gnatling(int32_t index) {
    return static_cast<ShooterEnemyGnatling*>(shooter.GetEnemyAt(index));
  }

  ShooterMiniGameManager shooter;
  ImageObject target;
};

TEST_F(ShooterTest, SpawnedGnatlingIsCentredOnTheTruncatedPointWhileInactive) {
  ASSERT_TRUE(Run("SE_SpawnGnatling(100.7, 50.2) SE_SpawnGnatling(-3.9, '7')"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_FALSE(shooter.IsActive());
  ASSERT_EQ(shooter.GetCount(), 2);
  ShooterEnemyGnatling* gnatling = Gnatling(0);
  EXPECT_EQ(gnatling->GetType(), 4001);
  EXPECT_EQ(gnatling->GetCentreX(), 100.0f);
  EXPECT_EQ(gnatling->GetCentreY(), 50.0f);
  EXPECT_EQ(gnatling->GetMinX(), 89);
  EXPECT_EQ(gnatling->GetMaxX(), 111);
  EXPECT_EQ(gnatling->GetMinY(), 41);
  EXPECT_EQ(gnatling->GetMaxY(), 59);
  EXPECT_EQ(gnatling->GetFirst(), 10);
  EXPECT_EQ(gnatling->GetSecond(), 1);
  EXPECT_EQ(gnatling->GetFrameCounter(), 0);
  // Toward zero: -3.9 is -3, and the rectangle's bounds truncate toward zero as well.
  EXPECT_EQ(Gnatling(1)->GetCentreX(), -3.0f);
  EXPECT_EQ(Gnatling(1)->GetMinX(), -14);
  EXPECT_EQ(Gnatling(1)->GetMaxX(), 8);
  EXPECT_EQ(Gnatling(1)->GetMinY(), -2);
}

TEST_F(ShooterTest, GnatlingFliesAtSpeedFourInTheWholeDegreeOfItsDraw) {
  for (unsigned seed : {1u, 2u, 99u}) {
    std::srand(seed);
    const int degrees = std::rand() % 360;
    std::srand(seed);
    const ShooterEnemyGnatling gnatling;
    EXPECT_NEAR(gnatling.GetVelocityX(), 4.0 * std::cos(degrees * kPi / 180.0), 1e-5) << seed;
    EXPECT_NEAR(gnatling.GetVelocityY(), 4.0 * std::sin(degrees * kPi / 180.0), 1e-5) << seed;
  }
}

TEST_F(ShooterTest, FailureLines) {
  ExpectFailures({
      {"SMM_SetActivity()", "SMM SetActive:  Failed, invalid argument list\n"},
      {"SMM_SetActivity(1, 2)", "SMM SetActive:  Failed, invalid argument list\n"},
      {"SE_SpawnGnatling(1)", "SE SpawnGnatling:  Failed, invalid argument list\n"},
      {"SE_SpawnGnatling(1, 2, 3)", "SE SpawnGnatling:  Failed, invalid argument list\n"},
  });
  EXPECT_EQ(shooter.GetCount(), 0);
  EXPECT_FALSE(shooter.IsActive());
  gShooterMiniGameManager = nullptr;
  ExpectFailures({
      {"SMM_SetActivity(1)", "SMM SetActive:  Failed, manager not created\n"},
      {"SE_SpawnGnatling(1, 2)", "SE SpawnGnatling:  Failed, manager not created\n"},
  });
  EXPECT_EQ(shooter.GetCount(), 0);
}

TEST_F(ShooterTest, GnatlingBouncesAtTheWindowEdges) {
  struct Case {
    float x, y, vx, vy;
    float endX, endY, endVX, endVY;
  };
  const Case cases[] = {
      {798.0f, 300.0f, 4.0f, 0.0f, 800.0f, 300.0f, -4.0f, 0.0f},   // past the right edge
      {796.0f, 300.0f, 4.0f, 0.0f, 800.0f, 300.0f, -4.0f, 0.0f},   // onto it counts as past
      {2.0f, 300.0f, -4.0f, 0.0f, 0.0f, 300.0f, 4.0f, 0.0f},       // past the left edge
      {4.0f, 300.0f, -4.0f, 0.0f, 0.0f, 300.0f, -4.0f, 0.0f},      // onto 0 flies on
      {400.0f, 598.0f, 0.0f, 4.0f, 400.0f, 600.0f, 0.0f, -4.0f},   // the bottom
      {400.0f, 1.0f, 3.0f, -2.0f, 403.0f, 0.0f, 3.0f, 2.0f},       // the top, x flies on
      {799.0f, 599.0f, 2.0f, 2.0f, 800.0f, 600.0f, -2.0f, -2.0f},  // a corner turns both
  };
  for (const Case& c : cases) {
    ShooterEnemyGnatling gnatling;
    gnatling.SetRect(0, 0, 22, 18);
    gnatling.SetCentre(c.x, c.y);
    gnatling.SetVelocity(c.vx, c.vy);
    gnatling.Update();
    EXPECT_EQ(gnatling.GetCentreX(), c.endX) << c.x << ", " << c.y;
    EXPECT_EQ(gnatling.GetCentreY(), c.endY) << c.x << ", " << c.y;
    EXPECT_EQ(gnatling.GetVelocityX(), c.endVX) << c.x << ", " << c.y;
    EXPECT_EQ(gnatling.GetVelocityY(), c.endVY) << c.x << ", " << c.y;
    EXPECT_EQ(gnatling.GetMinX(), static_cast<int32_t>(c.endX) - 11);
    EXPECT_EQ(gnatling.GetMaxY(), static_cast<int32_t>(c.endY) + 9);
  }
  // Another window size moves the edges.
  gScreenWidth = 320;
  ShooterEnemyGnatling gnatling;
  gnatling.SetCentre(318.0f, 10.0f);
  gnatling.SetVelocity(4.0f, 0.0f);
  gnatling.Update();
  EXPECT_EQ(gnatling.GetCentreX(), 320.0f);
}

// Frames 0 to 3 show "XGnatling0" to "XGnatling3" for two counts each; the counter runs 0 to 8.
TEST_F(ShooterTest, FrameCounterWrapsAfterNineValuesAndPicksThePictureOfItsFrame) {
  ImageObject* frames[] = {AddImage("Items", "XGnatling0", 22, 18),
                           AddImage("Items", "XGnatling1", 22, 18),
                           AddImage("Items", "XGnatling2", 22, 18)};
  ImageObject* whole = AddImage("Items", "XGnatling", 22, 18);
  ShooterEnemyGnatling gnatling;
  std::vector<int32_t> counters;
  std::vector<ImageObject*> pictures;
  for (int i = 0; i < 10; ++i) {
    gnatling.Animate();
    counters.push_back(gnatling.GetFrameCounter());
    pictures.push_back(gnatling.GetFallbackImage());
  }
  EXPECT_EQ(counters, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 0, 1}));
  // Frame 3 has no picture of its own: the whole gnatling's stands in.
  EXPECT_EQ(pictures,
            (std::vector<ImageObject*>{frames[0], frames[1], frames[1], frames[2], frames[2], whole,
                                       whole, frames[0], frames[0], frames[0]}));

  gDataLibrary = nullptr;
  gnatling.Animate();
  EXPECT_EQ(gnatling.GetFallbackImage(), nullptr);
  EXPECT_EQ(log.Text(), "");
}

// Enemies, like the player and the shots in this mode, are placed by their window position minus
// the view's corner.
TEST_F(ShooterTest, DrawsOnlyWhileActiveAtTheWindowPositionLessTheViewCorner) {
  const Rgba green{0, 255, 0, 255};
  const std::unique_ptr<Camera> camera = MovedView("XGnatling", green, 150, 100, 400, 300);
  ASSERT_TRUE(Run("SE_SpawnGnatling(200, 150)"));

  shooter.Draw(&target, camera.get());
  EXPECT_EQ(Gnatling(0)->GetFrameCounter(), 0);
  EXPECT_EQ(Pixel(39, 41), Rgba{});

  ASSERT_TRUE(Run("SMM_SetActivity(1)"));
  shooter.Draw(&target, camera.get());
  EXPECT_EQ(Gnatling(0)->GetFrameCounter(), 1);
  // The rectangle's corner (189, 141) lands at (39, 41) of the view.
  EXPECT_EQ(Pixel(39, 41), green);
  EXPECT_EQ(Pixel(60, 58), green);
  EXPECT_EQ(Pixel(38, 41), Rgba{});
  EXPECT_EQ(Pixel(61, 59), Rgba{});
}

TEST_F(ShooterTest, ActivityFreezesAndResumesTheEnemies) {
  ASSERT_TRUE(Run("SE_SpawnGnatling(400, 300) SE_SpawnGnatling(100, 100)"));
  Gnatling(0)->SetVelocity(4.0f, 0.0f);
  Gnatling(1)->SetVelocity(0.0f, -4.0f);
  shooter.Update();
  EXPECT_EQ(Gnatling(0)->GetCentreX(), 400.0f);

  ASSERT_TRUE(Run("SMM_SetActivity(1)"));
  shooter.Update();
  shooter.Update();
  EXPECT_EQ(Gnatling(0)->GetCentreX(), 408.0f);
  EXPECT_EQ(Gnatling(1)->GetCentreY(), 92.0f);

  ASSERT_TRUE(Run("SMM_SetActivity(0)"));
  for (int i = 0; i < 5; ++i) shooter.Update();
  EXPECT_EQ(Gnatling(0)->GetCentreX(), 408.0f);
  EXPECT_EQ(Gnatling(0)->GetMinX(), 397);
  EXPECT_EQ(Gnatling(1)->GetCentreY(), 92.0f);

  ASSERT_TRUE(Run("SMM_SetActivity(1)"));
  shooter.Update();
  EXPECT_EQ(Gnatling(0)->GetCentreX(), 412.0f);
  EXPECT_EQ(shooter.GetCount(), 2);

  // Any number but 0 is on; what reads as no number is off.
  struct Case {
    const char* argument;
    bool active;
  };
  const Case cases[] = {{"0.5", true},    {"-1", true},    {"'2'", true},  {"0", false},
                        {"'yes'", false}, {"true", false}, {"0/0", false}, {"nil", false}};
  for (const Case& c : cases) {
    shooter.SetActive(!c.active);
    ASSERT_TRUE(Run(std::string("SMM_SetActivity(") + c.argument + ")"));
    EXPECT_EQ(shooter.IsActive(), c.active) << c.argument;
  }
  EXPECT_EQ(log.Text(), "");
}

class WeaponTest : public ShooterTest {
 protected:
  WeaponTest() {
    player.x = 400;
    player.z = 500;
  }

  // One tick of the shooter scheme with the button held: the weapon key first, then the
  // countdown, then the fire.
  bool TickFires(int32_t weaponKey = 0) {
    const int32_t before = objects->GetCount();
    if (weaponKey != 0) weapons.Select(weaponKey);
    weapons.Tick();
    weapons.Fire();
    return objects->GetCount() > before;
  }

  Dimensions player;
  float mouseX = 400.0f, mouseY = 100.0f;
  WeaponSelector weapons{&player, [this](float& x, float& y) {
                           x = mouseX;
                           y = mouseY;
                         }};
};

TEST_F(WeaponTest, HeldButtonFiresEveryTickUntilAWeaponKeyHoldsItFor179Ticks) {
  EXPECT_EQ(weapons.GetWeapon(), 1);
  for (int tick = 0; tick < 3; ++tick) EXPECT_TRUE(TickFires()) << tick;

  EXPECT_FALSE(TickFires(3));
  EXPECT_EQ(weapons.GetWeapon(), 3);
  int fired = 0;
  int firstShot = 0;
  for (int tick = 1; tick <= 179 && fired == 0; ++tick) {
    if (TickFires()) {
      ++fired;
      firstShot = tick;
    }
  }
  EXPECT_EQ(firstShot, 179);
  EXPECT_TRUE(TickFires());

  // Numbers outside 1 to 5 change nothing, not even the cooldown.
  for (int32_t weapon : {0, 6, -1}) {
    EXPECT_TRUE(TickFires(weapon)) << weapon;
    EXPECT_EQ(weapons.GetWeapon(), 3);
  }
  EXPECT_FALSE(TickFires(5));
  EXPECT_EQ(weapons.GetWeapon(), 5);
}

TEST_F(WeaponTest, ShotLeavesThePlayersCentreAsTheActiveObject) {
  ImageObject* picture = AddImage("Items", "XVexmoraShot", 2, 2);
  ASSERT_TRUE(TickFires());
  auto* shot = static_cast<ShooterMachineGunBullet*>(objects->GetActiveObject());
  ASSERT_EQ(objects->Find("XVexmoraShot"), shot);
  EXPECT_EQ(shot->GetType(), 2405);
  EXPECT_EQ(shot->GetDimensions().x, 400);
  EXPECT_EQ(shot->GetDimensions().y, 0);
  EXPECT_EQ(shot->GetDimensions().z, 500);
  EXPECT_EQ(shot->GetImage(), picture);
  EXPECT_EQ(weapons.GetCooldown(), 1);

  // No object manager: no shot, and nothing else changes.
  gObjectManager = nullptr;
  weapons.Tick();
  weapons.Fire();
  EXPECT_EQ(weapons.GetCooldown(), 0);
  gObjectManager = objects.get();
  EXPECT_EQ(objects->GetCount(), 1);
  EXPECT_EQ(log.Text(), "");
}

// The aim's spread is ((r1 % 100) - 50) / 10 degrees and its speed 12 + ((r2 % 10) - 5) / 10,
// for the next two rand() draws.
TEST_F(WeaponTest, AimSpreadsByTheTwoDrawsAroundThePointer) {
  struct Case {
    float mouseX, mouseY;
    double degrees;
  };
  const Case cases[] = {{400.0f, 100.0f, -90.0},
                        {700.0f, 500.0f, 0.0},
                        {100.0f, 800.0f, 135.0},
                        // On the centre itself: atan2(0, 0) is 0.
                        {400.0f, 500.0f, 0.0}};
  for (unsigned seed : {3u, 11u}) {
    for (const Case& c : cases) {
      std::srand(seed);
      const int r1 = std::rand();
      const int r2 = std::rand();
      std::srand(seed);
      mouseX = c.mouseX;
      mouseY = c.mouseY;
      ASSERT_TRUE(TickFires());
      auto* shot = static_cast<ShooterMachineGunBullet*>(objects->GetActiveObject());
      const double angle = (c.degrees + (r1 % 100 - 50) / 10.0) * kPi / 180.0;
      const double speed = 12.0 + (r2 % 10 - 5) / 10.0;
      EXPECT_NEAR(shot->GetVelocityX(), std::cos(angle) * speed, 1e-4) << c.mouseX << " " << seed;
      EXPECT_NEAR(shot->GetVelocityY(), std::sin(angle) * speed, 1e-4) << c.mouseY << " " << seed;
    }
  }
}

// Straight up from (400, 300) at 12 a tick: up to z -59, above the window, where it stays alive;
// then down, and dead on the tick its previous box lies at or below the window's height.
TEST_F(ShooterTest, BulletStraightUpRisesTurnsAndDiesBelowTheWindow) {
  auto* shot = new ShooterMachineGunBullet();
  shot->SetCoordinates(400, 0, 300);
  shot->SetVelocity(0.0f, -12.0f);
  objects->Add("XVexmoraShot", shot);
  int32_t highest = 300;
  int tick = 0;
  while (!shot->IsDead() && tick < 1000) {
    Tick();
    ++tick;
    if (tick == 1) {
      EXPECT_EQ(shot->GetDimensions().z, 288);
    }
    highest = std::min(highest, shot->GetDimensions().z);
    EXPECT_EQ(shot->GetDimensions().minZ, shot->GetDimensions().z);
    EXPECT_EQ(shot->GetDimensions().x, 400);
  }
  EXPECT_EQ(highest, -59);
  EXPECT_EQ(tick, 144);
  EXPECT_GE(shot->GetDimensions().z, 600);
  EXPECT_EQ(objects->GetCount(), 1);
  Tick();
  EXPECT_EQ(objects->GetCount(), 0);
}

TEST_F(ShooterTest, BulletDiesLeftRightAndBelowButNotAbove) {
  struct Case {
    int32_t x, z;
    float vx, vy;
    bool deadAfterTwoTicks;
  };
  const Case cases[] = {
      {3, 300, -5.0f, -0.2f, true},    // max x -2 < 0
      {2, 300, -2.0f, -0.2f, false},   // max x 0 is inside
      {798, 300, 5.0f, -0.2f, true},   // min x 803 >= 800
      {797, 300, 3.0f, -0.2f, true},   // min x 800 >= 800
      {796, 300, 3.0f, -0.2f, false},  // min x 799
      {400, 598, 0.0f, 5.0f, true},    // min z 603 >= 600
      {400, 2, 0.0f, -5.0f, false},    // above the top
  };
  for (const Case& c : cases) {
    ShooterMachineGunBullet shot;
    shot.SetCoordinates(c.x, 0, c.z);
    shot.SetVelocity(c.vx, c.vy);
    shot.Update();
    EXPECT_FALSE(shot.IsDead()) << c.x << ", " << c.z;
    shot.Update();
    EXPECT_EQ(shot.IsDead(), c.deadAfterTwoTicks) << c.x << ", " << c.z;
  }
}

TEST_F(ShooterTest, BulletIsDrawnAtItsXAndZLessTheViewCorner) {
  const Rgba yellow{255, 255, 0, 255};
  const std::unique_ptr<Camera> camera = MovedView("XVexmoraShot", yellow, 20, 30, 100, 100);
  ShooterMachineGunBullet shot;
  shot.SetImage(library.FindByName<ImageObject>("XVexmoraShot"));
  shot.SetCoordinates(50, 7, 60);
  shot.Update();  // the box follows the centre
  shot.Draw(&target, camera.get());
  EXPECT_EQ(Pixel(30, 30), yellow);
  EXPECT_EQ(Pixel(29, 30), Rgba{});
  EXPECT_EQ(Pixel(30, 29), Rgba{});
}

}  // namespace
