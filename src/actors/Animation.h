#pragma once

#include <cstdint>
#include <vector>

#include "core/RootObject.h"

class ImageObject;

// A table of frame images: one row per facing direction, one column per frame in time, with a
// fixed number of ticks per frame. The images belong to the data library.
class Animation : public RootObject {
 public:
  // The most frames one animation may hold; larger tables are refused.
  static constexpr int64_t kMaxFrames = int64_t{1} << 20;

  Animation();
  ~Animation();

  // Each size is taken only when above 0, then the table is rebuilt with every frame empty.
  // Answers false, changing nothing, when the table would exceed kMaxFrames.
  bool DeclareSizes(int32_t newRows, int32_t newColumns);
  // Nothing when there are no columns; otherwise a new table of empty frames.
  void Reallocate();
  // Inside the table: the first image of that bare name in the data library, none when there is
  // none. Outside it: nothing.
  void SetFrame(int32_t row, int32_t column, const char* imageName);
  // The total is computed from the columns declared now and kept when the sizes change later.
  void SetDuration(int32_t ticks);

  // The frame shown at that time in that row. None for a row outside the table, for a duration or
  // total that is not positive, and for a column that falls outside the table (a total kept from
  // more columns). A negative time wraps like a positive one.
  ImageObject* GetFrameByTime(int32_t row, int32_t time) const;

  int32_t GetRows() const { return rows; }
  int32_t GetColumns() const { return columns; }
  int64_t GetTotalTicks() const { return totalTicks; }

 private:
  std::vector<ImageObject*> frames;  // tableRows x tableColumns, row by row
  int32_t tableRows = 0;
  int32_t tableColumns = 0;
  int32_t columns = 0;
  int32_t rows = 1;
  int32_t ticksPerFrame = 0;
  int64_t totalTicks = 0;
};
