#pragma once

#include <cstdint>
#include <vector>

#include "actors/AINamedList.h"
#include "core/Dimensions.h"

class ProjectileBase;

// One target list's positions filed by the square cells their projectiles' boxes touch, so that a
// search looks at the projectiles near its rectangle instead of the whole list. The answer is a
// superset: the caller tests each box itself. It is right only while the list and the boxes are as
// they were when it was built; the caller rebuilds it when its stamp has moved.
class TargetGrid {
 public:
  using TargetList = AINamedList<ProjectileBase>;

  // What the grid was built from: the list's version and the registry's count of box moves.
  struct Stamp {
    uint64_t listVersion = 0;
    uint64_t moves = 0;
    bool operator==(const Stamp&) const = default;
  };

  void Build(const TargetList& list, Stamp stamp);
  bool IsBuiltFrom(Stamp stamp) const { return built && stamp == builtFrom; }
  // The positions from `from` on whose boxes may overlap the rectangle, ascending, each once.
  void Candidates(const RectRecord& rectangle, size_t from, std::vector<uint32_t>& out) const;

 private:
  // Inclusive cell columns and rows of a box (its corners in either order).
  struct CellRange {
    int64_t left, top, right, bottom;
    int64_t Count() const { return (right - left + 1) * (bottom - top + 1); }
  };

  static CellRange RangeOf(const RectRecord& box);
  size_t Bucket(int64_t column, int64_t row) const;

  bool built = false;
  Stamp builtFrom;
  size_t slotCount = 0;
  // Cells are hashed into buckets; bucket b's positions are slots[starts[b]] to slots[starts[b +
  // 1]].
  size_t bucketMask = 0;
  std::vector<uint32_t> starts;
  std::vector<uint32_t> slots;
  // Boxes over too many cells, offered to every search.
  std::vector<uint32_t> wide;
  // Per position and per bucket while building, kept for their storage.
  std::vector<CellRange> ranges;
  std::vector<uint32_t> filling;
};
