#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ActorsFixture.h"
#include "actors/ProjectileBase.h"
#include "actors/TargetRegistry.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct Box {
  int32_t x, y, w, h;
};

// The search as a walk over every entry of every selected list: what the registry must answer.
void WalkEverything(TargetRegistry& registry, int32_t mask, const RectRecord& rectangle,
                    const std::function<bool(ProjectileBase*)>& visit) {
  for (int i = 0; i < TargetRegistry::kListCount; ++i) {
    if ((mask & (1 << i)) == 0) continue;
    bool going = true;
    registry.GetLists()[i].Walk([&](ProjectileBase* projectile) {
      if (going && RectOverlapsRect(projectile->GetDimensions().Rect(), rectangle)) {
        going = visit(projectile);
      }
    });
    if (!going) return;
  }
}

using Search = std::function<void(TargetRegistry&, int32_t, const RectRecord&,
                                  const std::function<bool(ProjectileBase*)>&)>;

const Search kGrid = [](TargetRegistry& registry, int32_t mask, const RectRecord& rectangle,
                        const std::function<bool(ProjectileBase*)>& visit) {
  registry.ForEachOverlapping(mask, rectangle, visit);
};

// Projectiles known by the order they were made in, so two runs can be compared.
class Field {
 public:
  int Make(const Box& box, int32_t flags) {
    auto projectile = std::make_unique<ProjectileBase>();
    projectile->SetCoordinateData(box.x, box.y, 0, box.w, box.h, 1);
    projectile->SetTargetFlags(flags);
    ids[projectile.get()] = static_cast<int>(all.size());
    all.push_back(std::move(projectile));
    return static_cast<int>(all.size()) - 1;
  }
  void Move(int id, int32_t x, int32_t y) {
    if (!all[static_cast<size_t>(id)]) return;
    const Dimensions& box = all[static_cast<size_t>(id)]->GetDimensions();
    all[static_cast<size_t>(id)]->SetCoordinateData(x, y, 0, box.w, box.h, 1);
  }
  void Destroy(int id) { all[static_cast<size_t>(id)].reset(); }
  int IdOf(ProjectileBase* projectile) const { return ids.at(projectile); }
  int Count() const { return static_cast<int>(all.size()); }

 private:
  std::vector<std::unique_ptr<ProjectileBase>> all;
  std::unordered_map<const ProjectileBase*, int> ids;
};

// A fixed sequence of numbers, the same in every run.
class Numbers {
 public:
  int32_t Next(int32_t low, int32_t high) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return low + static_cast<int32_t>((state >> 33) % static_cast<uint64_t>(high - low + 1));
  }

 private:
  uint64_t state = 12345;
};

class TargetRegistryTest : public ActorsFixture {
 protected:
  std::vector<int> RunChangingField(const Search& search);
};

TEST_F(TargetRegistryTest, TheGridFindsWhatTheWholeWalkFinds) {
  // Cell edges (cells are 32 pixels), negative places, boxes over many cells or with swapped
  // corners, and boxes wrapped around the ends of the integers.
  const Box special[] = {
      {0, 0, 0, 0},         {31, 31, 2, 2},     {32, 32, 0, 0},      {-1, -1, 0, 0},
      {-32, -33, 2, 2},     {-33, 31, 4, 4},    {100, 100, 200, 10}, {0, 0, 5000, 5000},
      {-300, 40, 700, 2},   {50, 50, -20, -20}, {-64, -64, -1, 90},  {kMax, 0, 10, 10},
      {kMin, kMin, 10, 10}, {kMax, kMax, 0, 0}, {kMin + 3, 5, 8, 8}, {10, kMax - 2, 2, 30},
  };
  const RectRecord queries[] = {
      {0, 0, 0, 0},
      {31, 31, 31, 31},
      {32, 32, 63, 63},
      {-1, -1, -1, -1},
      {-40, -40, -33, -33},
      {-10, -10, 10, 10},
      {250, 90, 260, 110},
      {-20000, -5, 20000, 5},
      {40, 40, 30, 30},
      {kMax - 5, -5, kMax, 5},
      {kMin, kMin, kMin + 4, kMin + 4},
      {kMin, kMin, kMax, kMax},
      {kMax, kMax, kMin, kMin},
      {60, 60, 61, 61},
  };
  Field field;
  for (size_t i = 0; i < std::size(special); ++i) {
    field.Make(special[i], 1 + static_cast<int32_t>(i % 3));
  }
  Numbers numbers;
  for (int i = 0; i < 400; ++i) {
    field.Make({numbers.Next(-300, 300), numbers.Next(-300, 300), numbers.Next(-20, 90),
                numbers.Next(-20, 90)},
               numbers.Next(1, 7));
  }
  std::vector<RectRecord> rectangles(std::begin(queries), std::end(queries));
  for (int i = 0; i < 200; ++i) {
    const int32_t left = numbers.Next(-320, 320);
    const int32_t top = numbers.Next(-320, 320);
    rectangles.push_back({left, top, left + numbers.Next(-10, 80), top + numbers.Next(-10, 80)});
  }
  for (const RectRecord& rectangle : rectangles) {
    for (int32_t mask : {1, 2, 3, 0x7F, 0}) {
      std::vector<int> expected, found;
      WalkEverything(*targets, mask, rectangle, [&](ProjectileBase* p) {
        expected.push_back(field.IdOf(p));
        return true;
      });
      kGrid(*targets, mask, rectangle, [&](ProjectileBase* p) {
        found.push_back(field.IdOf(p));
        return true;
      });
      EXPECT_EQ(found, expected) << "mask " << mask << " at " << rectangle.left << ", "
                                 << rectangle.top << ", " << rectangle.right << ", "
                                 << rectangle.bottom;
    }
  }
}

// What the visits do to the field, by the number of the visit: bring a later projectile in or
// send it away, make one inside, destroy one not reached yet, and end a search now and then.
std::vector<int> TargetRegistryTest::RunChangingField(const Search& search) {
  Field field;
  Numbers numbers;
  for (int i = 0; i < 300; ++i) {
    field.Make(
        {numbers.Next(0, 400), numbers.Next(0, 400), numbers.Next(2, 40), numbers.Next(2, 40)},
        numbers.Next(1, 3));
  }
  std::vector<int> log;
  int visits = 0;
  for (int tick = 0; tick < 20; ++tick) {
    // Between searches the projectiles fly, most into other cells.
    for (int id = 0; id < field.Count(); ++id) {
      field.Move(id, numbers.Next(0, 400), numbers.Next(0, 400));
    }
    for (int round = 0; round < 15; ++round) {
      const int32_t left = numbers.Next(0, 380);
      const int32_t top = numbers.Next(0, 380);
      const RectRecord rectangle{left, top, left + 30, top + 30};
      const int32_t mask = numbers.Next(1, 3);
      log.push_back(-1);  // each search's visits apart
      search(*targets, mask, rectangle, [&](ProjectileBase* p) {
        const int id = field.IdOf(p);
        log.push_back(id);
        const int later = numbers.Next(0, field.Count() - 1);
        switch (++visits % 6) {
          case 0:
            field.Move(later, left + 10, top + 10);
            break;
          case 1:
            field.Move(later, left + 500, top);
            break;
          case 2:
            field.Make({left + 15, top + 15, 6, 6}, mask);
            break;
          case 3:
            if (later != id) field.Destroy(later);
            break;
          case 4:
            field.Move(id, left - 300, top - 300);
            break;
          default:
            return numbers.Next(0, 3) != 0;
        }
        return true;
      });
    }
  }
  return log;
}

TEST_F(TargetRegistryTest, VisitsThatMoveMakeAndDestroyProjectilesSeeWhatTheWholeWalkSees) {
  const std::vector<int> expected = RunChangingField(WalkEverything);
  const std::vector<int> found = RunChangingField(kGrid);
  EXPECT_GT(expected.size(), 300u * 2);  // enough visits to have done every kind of change
  EXPECT_EQ(found, expected);
}

}  // namespace
