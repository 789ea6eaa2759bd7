#pragma once

#include <cstdint>
#include <cstdio>

class ImageObject;

// An isometric block map, read from an open map file. Until its file reader exists, every file is
// refused, so a map name with an isometric file takes the chunked-level road.
class IsoMap {
 public:
  IsoMap() = default;
  virtual ~IsoMap() = default;
  IsoMap(const IsoMap&) = delete;
  IsoMap& operator=(const IsoMap&) = delete;

  // False when the file is not a readable isometric map; the map is then empty.
  virtual bool ReadFile(std::FILE* file);
  // 1 when the 32-pixel cell holds no block; 0 for a block and outside the map.
  virtual int32_t IsCellEmpty(int32_t x, int32_t y, int32_t z) const;
  virtual void Draw(ImageObject* target);
};
