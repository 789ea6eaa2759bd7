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
    if ((flags & (1 << i)) != 0) lists[i].Add(name, projectile);
  }
}

void TargetRegistry::PurgeIfRequested() {
  if (!purgeRequested) return;
  for (TargetList& list : lists) {
    std::vector<ProjectileBase*> spent;
    list.ForEach([&](const std::string&, ProjectileBase* projectile) {
      if (projectile->IsHit()) spent.push_back(projectile);
    });
    for (ProjectileBase* projectile : spent) list.RemovePointer(projectile);
  }
  purgeRequested = false;
}

void TargetRegistry::Forget(const ProjectileBase* projectile) {
  for (TargetList& list : lists) list.RemovePointer(projectile);
}

void TargetRegistry::ForEachOverlapping(int32_t mask, const RectRecord& rectangle,
                                        const std::function<bool(ProjectileBase*)>& visit) {
  for (int i = 0; i < kListCount; ++i) {
    if ((mask & (1 << i)) == 0) continue;
    bool going = true;
    lists[i].Walk([&](ProjectileBase* projectile) {
      if (going && RectOverlapsRect(projectile->GetDimensions().Rect(), rectangle)) {
        going = visit(projectile);
      }
    });
    if (!going) return;
  }
}
