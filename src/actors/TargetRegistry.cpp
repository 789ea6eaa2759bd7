#include "actors/TargetRegistry.h"

#include <vector>

#include "actors/ProjectileBase.h"
#include "core/Globals.h"

TargetRegistry::~TargetRegistry() {
  if (gTargetRegistry == this) gTargetRegistry = nullptr;
}

void TargetRegistry::Register(const char* name, ProjectileBase* projectile) {
  if (name == nullptr || projectile == nullptr) return;
  const int32_t flags = projectile->GetTargetFlags();
  for (int i = 0; i < kListCount; ++i) {
    if ((flags & (1 << i)) != 0) {
      lists[i].Add(name, projectile);
      listed.insert(projectile);
    }
  }
}

void TargetRegistry::PurgeIfRequested() {
  if (!purgeRequested) return;
  for (TargetList& list : lists) {
    list.RemoveIf([this](ProjectileBase* projectile) {
      if (!projectile->IsHit()) return false;
      listed.erase(projectile);
      return true;
    });
  }
  purgeRequested = false;
}

void TargetRegistry::Forget(const ProjectileBase* projectile) {
  // Most projectiles die purged: nothing left to search for.
  if (listed.erase(projectile) == 0) return;
  for (TargetList& list : lists) list.RemovePointer(projectile);
}

void TargetRegistry::ForEachOverlapping(int32_t mask, const RectRecord& rectangle,
                                        const std::function<bool(ProjectileBase*)>& visit) {
  std::vector<uint32_t> candidates;
  for (int i = 0; i < kListCount; ++i) {
    if ((mask & (1 << i)) == 0) continue;
    TargetList& list = lists[i];
    TargetGrid& grid = grids[i];
    bool going = true;
    list.HoldPositions([&] {
      size_t from = 0;
      bool again = true;
      while (again) {
        again = false;
        const TargetGrid::Stamp stamp{list.GetVersion(), moves};
        if (!grid.IsBuiltFrom(stamp)) grid.Build(list, stamp);
        grid.Candidates(rectangle, from, candidates);
        for (uint32_t position : candidates) {
          ProjectileBase* projectile = list.GetSlot(position);
          if (projectile == nullptr ||
              !RectOverlapsRect(projectile->GetDimensions().Rect(), rectangle)) {
            continue;
          }
          going = visit(projectile);
          if (!going) return;
          // The visit may have moved, added or removed projectiles: search the rest again.
          from = position + 1;
          if (TargetGrid::Stamp{list.GetVersion(), moves} != stamp) {
            again = true;
            break;
          }
        }
      }
    });
    if (!going) return;
  }
}
