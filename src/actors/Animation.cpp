#include "actors/Animation.h"

#include "actors/AIBasePackage.h"
#include "actors/AIManager.h"
#include "core/Globals.h"
#include "resources/DataLibrary.h"

Animation::Animation() { typeCode = AIType::kAnimation; }

Animation::~Animation() {
  if (gAIManager != nullptr) gAIManager->Forget(this);
}

bool Animation::DeclareSizes(int32_t newRows, int32_t newColumns) {
  const int64_t nextRows = newRows > 0 ? newRows : rows;
  const int64_t nextColumns = newColumns > 0 ? newColumns : columns;
  if (nextRows * nextColumns > kMaxFrames) return false;
  rows = static_cast<int32_t>(nextRows);
  columns = static_cast<int32_t>(nextColumns);
  Reallocate();
  return true;
}

void Animation::Reallocate() {
  if (columns <= 0) return;
  frames.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns), nullptr);
  tableRows = rows;
  tableColumns = columns;
}

void Animation::SetFrame(int32_t row, int32_t column, const char* imageName) {
  if (row < 0 || row >= rows || column < 0 || column >= columns) return;
  if (row >= tableRows || column >= tableColumns) return;
  ImageObject* image = nullptr;
  if (gDataLibrary != nullptr && imageName != nullptr) {
    image = gDataLibrary->FindByName<ImageObject>(imageName);
  }
  frames[static_cast<size_t>(row) * tableColumns + column] = image;
}

void Animation::SetDuration(int32_t ticks) {
  ticksPerFrame = ticks;
  totalTicks = int64_t{ticks} * columns;
}

ImageObject* Animation::GetFrameByTime(int32_t row, int32_t time) const {
  if (row < 0 || row >= rows || row >= tableRows) return nullptr;
  if (totalTicks <= 0 || ticksPerFrame <= 0) return nullptr;
  int64_t into = int64_t{time} % totalTicks;
  if (into < 0) into += totalTicks;
  const int64_t column = into / ticksPerFrame;
  if (column >= tableColumns) return nullptr;
  return frames[static_cast<size_t>(row) * tableColumns + static_cast<size_t>(column)];
}
