#include "world/IsoMap.h"

bool IsoMap::ReadFile(std::FILE* file) {
  (void)file;
  return false;
}

int32_t IsoMap::IsCellEmpty(int32_t x, int32_t y, int32_t z) const {
  (void)x;
  (void)y;
  (void)z;
  return 0;
}

void IsoMap::Draw(ImageObject* target) { (void)target; }
