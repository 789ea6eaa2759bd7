#include "actors/ShooterEnemyGnatling.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/Globals.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

constexpr double kSpeed = 4.0;
constexpr double kPi = 3.14159265358979323846;

// Inside [0, limit]; a crossing turns the velocity round.
void Bounce(float& position, float& velocity, int32_t limit) {
  if (position < 0.0f) {
    position = 0.0f;
    velocity = -velocity;
  } else if (position >= static_cast<float>(limit)) {
    position = static_cast<float>(limit);
    velocity = -velocity;
  }
}

}  // namespace

ShooterEnemyGnatling::ShooterEnemyGnatling() {
  typeCode = ShooterEnemyType::kGnatling;
  const float angle = static_cast<float>((std::rand() % 360) * kPi / 180.0);
  velocityX = static_cast<float>(std::cos(double{angle}) * kSpeed);
  velocityY = static_cast<float>(std::sin(double{angle}) * kSpeed);
}

void ShooterEnemyGnatling::Update() {
  centreX += velocityX;
  centreY += velocityY;
  Bounce(centreX, velocityX, gScreenWidth);
  Bounce(centreY, velocityY, gScreenHeight);
  RecomputeRect();
}

int32_t ShooterEnemyGnatling::GetFrame() const { return frameCounter / ticksPerFrame % frames; }

void ShooterEnemyGnatling::Animate() {
  ++frameCounter;
  if (frameCounter > frames * ticksPerFrame) frameCounter = 0;
  // Looked up on every frame, so pictures loaded after the spawn show too.
  fallbackImage = nullptr;
  if (gDataLibrary == nullptr) return;
  const std::string framePicture = "XGnatling" + std::to_string(GetFrame());
  fallbackImage = gDataLibrary->FindByName<ImageObject>(framePicture);
  if (fallbackImage == nullptr) fallbackImage = gDataLibrary->FindByName<ImageObject>("XGnatling");
}
