#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <unordered_set>

#include "actors/AINamedList.h"
#include "actors/TargetGrid.h"
#include "core/Dimensions.h"

class ProjectileBase;

// The seven target lists that the enemies' target packages search each tick: list i holds the
// projectiles whose target flags have bit i. The lists never own their projectiles; a projectile
// takes itself out when it is destroyed, so no list ever holds a deleted one.
class TargetRegistry {
 public:
  static constexpr int kListCount = 7;
  using TargetList = AINamedList<ProjectileBase>;

  TargetRegistry() = default;
  ~TargetRegistry();
  TargetRegistry(const TargetRegistry&) = delete;
  TargetRegistry& operator=(const TargetRegistry&) = delete;

  // Appends the projectile to every list its flags select; bits above 6 select none.
  void Register(const char* name, ProjectileBase* projectile);
  std::array<TargetList, kListCount>& GetLists() { return lists; }
  void RequestPurge() { purgeRequested = true; }
  // Removes every hit projectile from every list, once a purge has been requested.
  void PurgeIfRequested();
  // Visits, list by list from the head, each projectile of the lists the mask selects (bits 0..6)
  // whose box overlaps the rectangle; what a visit's scripts append is visited too, and each box
  // is tested as it is when the search reaches it. A visit answers false to end the search.
  // Each list is searched through its grid, which is built again whenever the list or a box has
  // changed since, so the visits are exactly those of a walk over the whole list.
  void ForEachOverlapping(int32_t mask, const RectRecord& rectangle,
                          const std::function<bool(ProjectileBase*)>& visit);
  // Called by a projectile's destructor.
  void Forget(const ProjectileBase* projectile);
  // Called by a projectile whenever its box changes (a box changes through nothing else).
  void NoteMoved() { ++moves; }

 private:
  std::array<TargetList, kListCount> lists;
  std::array<TargetGrid, kListCount> grids;
  std::unordered_set<const ProjectileBase*> listed;  // in at least one list
  uint64_t moves = 0;
  bool purgeRequested = false;
};
