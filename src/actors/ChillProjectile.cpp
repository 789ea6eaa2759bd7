#include "actors/ChillProjectile.h"

#include <cstdlib>

#include "actors/AIBasePackage.h"
#include "actors/AITargetBlockerPackage.h"
#include "core/Convert.h"
#include "world/CellTest.h"

namespace {

// Whether a solid cell lies on the run from first to last (inclusive) of one row or column. A
// run longer than the limit counts as none found: the map is not searched for that long.
constexpr int64_t kMaxRun = int64_t{1} << 16;

template <class Probe>
bool AnySolid(int64_t first, int64_t last, Probe probe) {
  if (last - first >= kMaxRun) return false;
  for (int64_t i = first; i <= last; ++i) {
    if (probe(static_cast<int32_t>(i))) return true;
  }
  return false;
}

int32_t Moved(int32_t value, float speed) { return ToInt32(speed + static_cast<float>(value)); }

}  // namespace

ChillProjectile::ChillProjectile(float speed)
    : hop(std::rand() % 100 < 50), horizontalSpeed(speed) {
  typeCode = ObjectType::kChillProjectile;
  targetFlags = 2;
  if (hop) verticalSpeed = -3.0f;
  blocker = std::make_unique<AITargetBlockerPackage>();
  blocker->SyncWith(&targetMask, &dimensions);
}

ChillProjectile::~ChillProjectile() = default;

bool ChillProjectile::IsStanding() const {
  const int32_t y = dimensions.maxY;
  return AnySolid(int64_t{dimensions.minX} + 1, int64_t{dimensions.maxX} - 2,
                  [y](int32_t x) { return CellIsSolid(x, y, 0); });
}

bool ChillProjectile::TouchesWall() const {
  const int32_t left = dimensions.minX;
  const int32_t right = dimensions.maxX;
  return AnySolid(int64_t{dimensions.minY} + 1, int64_t{dimensions.maxY} - 2,
                  [=](int32_t y) { return CellIsSolid(left, y, 0) || CellIsSolid(right, y, 0); });
}

void ChillProjectile::Update() {
  if (spawnDelay > 0) {
    --spawnDelay;
    return;
  }
  blocker->Update();

  dimensions.x = Moved(dimensions.x, horizontalSpeed);
  dimensions.minX = Moved(dimensions.minX, horizontalSpeed);
  dimensions.maxX = Moved(dimensions.maxX, horizontalSpeed);

  if (hop && !IsStanding()) {
    verticalSpeed += 0.5f;
    dimensions.y = Moved(dimensions.y, verticalSpeed);
    dimensions.minY = Moved(dimensions.minY, verticalSpeed);
    dimensions.maxY = Moved(dimensions.maxY, verticalSpeed);
  }
  BoxMoved();

  if (TouchesWall()) {
    OnKill();
    RegisterHit();
  }
  RecomputeBounds(dimensions);
  BoxMoved();
}
