#include "actors/TargetGrid.h"

#include <algorithm>
#include <bit>

#include "actors/ProjectileBase.h"

namespace {

// Cells of 32 pixels: a projectile or an NPC is a few pixels to a few dozen.
constexpr int kCellShift = 5;
constexpr int64_t kWideCells = 16;
// A search over more cells than this walks the whole list.
constexpr int64_t kMaxSearchCells = 256;

}  // namespace

TargetGrid::CellRange TargetGrid::RangeOf(const RectRecord& box) {
  // Overlap with a box whose corners are swapped still needs the other box to reach between them.
  const auto [left, right] = std::minmax(box.left, box.right);
  const auto [top, bottom] = std::minmax(box.top, box.bottom);
  return {left >> kCellShift, top >> kCellShift, right >> kCellShift, bottom >> kCellShift};
}

size_t TargetGrid::Bucket(int64_t column, int64_t row) const {
  uint32_t hash =
      static_cast<uint32_t>(column) * 0x9E3779B1u ^ static_cast<uint32_t>(row) * 0x85EBCA77u;
  hash ^= hash >> 15;
  return hash & bucketMask;
}

void TargetGrid::Build(const TargetList& list, Stamp stamp) {
  slotCount = list.GetSlotCount();
  bucketMask = std::bit_ceil(std::max<size_t>(16, slotCount * 2)) - 1;
  starts.assign(bucketMask + 2, 0);
  wide.clear();
  ranges.resize(slotCount);
  // Count each bucket's entries, then place them in position order, so each bucket is ascending.
  for (size_t position = 0; position < slotCount; ++position) {
    const ProjectileBase* projectile = list.GetSlot(position);
    if (projectile == nullptr) continue;
    const CellRange range = RangeOf(projectile->GetDimensions().Rect());
    ranges[position] = range;
    if (range.Count() > kWideCells) continue;
    for (int64_t row = range.top; row <= range.bottom; ++row) {
      for (int64_t column = range.left; column <= range.right; ++column) {
        ++starts[Bucket(column, row) + 1];
      }
    }
  }
  for (size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
  slots.resize(starts.back());
  filling.assign(starts.begin(), starts.end() - 1);
  for (size_t position = 0; position < slotCount; ++position) {
    if (list.GetSlot(position) == nullptr) continue;
    const CellRange& range = ranges[position];
    if (range.Count() > kWideCells) {
      wide.push_back(static_cast<uint32_t>(position));
      continue;
    }
    for (int64_t row = range.top; row <= range.bottom; ++row) {
      for (int64_t column = range.left; column <= range.right; ++column) {
        slots[filling[Bucket(column, row)]++] = static_cast<uint32_t>(position);
      }
    }
  }
  builtFrom = stamp;
  built = true;
}

void TargetGrid::Candidates(const RectRecord& rectangle, size_t from,
                            std::vector<uint32_t>& out) const {
  out.clear();
  const CellRange range = RangeOf(rectangle);
  if (range.Count() > kMaxSearchCells) {
    for (size_t position = from; position < slotCount; ++position) {
      out.push_back(static_cast<uint32_t>(position));
    }
    return;
  }
  for (int64_t row = range.top; row <= range.bottom; ++row) {
    for (int64_t column = range.left; column <= range.right; ++column) {
      const size_t bucket = Bucket(column, row);
      for (uint32_t i = starts[bucket]; i < starts[bucket + 1]; ++i) {
        if (slots[i] >= from) out.push_back(slots[i]);
      }
    }
  }
  for (uint32_t position : wide) {
    if (position >= from) out.push_back(position);
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}
