#pragma once

// Writes isometric map files: the sample game's maps at build time and the fixtures of the tests,
// wrong values included on purpose (any texture count, any sizes, a file cut anywhere).
// Header-only so that tests, fuzz seeds and the command-line front share it.

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace iso_map {

using Bytes = std::vector<uint8_t>;

inline void PutInt32(Bytes& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  out.insert(out.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                         static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)});
}

// A block's texture numbers for its top, side A and side B; -1 (or any number past the textures)
// leaves a face without an image.
struct Block {
  int32_t top = -1, sideA = -1, sideB = -1;
};

class IsoMapWriter {
 public:
  IsoMapWriter(int32_t sizeX, int32_t sizeY, int32_t sizeZ)
      : sizeX(sizeX),
        sizeY(sizeY),
        sizeZ(sizeZ),
        cells(static_cast<size_t>(sizeX) * sizeY * sizeZ) {}

  // Texture number i is the i-th name added.
  int32_t AddTexture(std::string name) {
    names.push_back(std::move(name));
    return static_cast<int32_t>(names.size()) - 1;
  }
  void Set(int32_t x, int32_t y, int32_t z, Block block) { Cell(x, y, z) = {true, block}; }
  void Clear(int32_t x, int32_t y, int32_t z) { Cell(x, y, z) = {}; }
  // The skipped parts of the header, which readers never look at.
  void SetSkipped(int32_t value, Bytes block) {
    skippedValue = value;
    skippedBlock = std::move(block);
  }

  // The whole file: magic, skipped value and block, texture names, sizes, cells (x outer, z
  // inner; one byte present flag, then three texture numbers when present).
  Bytes Write() const {
    if (skippedBlock.size() > 255) throw std::invalid_argument("skipped block over 255 bytes");
    Bytes out(kMagic, kMagic + 14);
    PutInt32(out, skippedValue);
    out.push_back(static_cast<uint8_t>(skippedBlock.size()));
    out.insert(out.end(), skippedBlock.begin(), skippedBlock.end());
    PutInt32(out, static_cast<int32_t>(names.size()));
    for (const std::string& name : names) {
      if (name.size() > 255) throw std::invalid_argument("name over 255 bytes: " + name);
      out.push_back(static_cast<uint8_t>(name.size()));
      out.insert(out.end(), name.begin(), name.end());
    }
    for (int32_t size : {sizeX, sizeY, sizeZ}) PutInt32(out, size);
    for (const CellData& cell : cells) {
      out.push_back(cell.present ? 1 : 0);
      if (!cell.present) continue;
      for (int32_t n : {cell.block.top, cell.block.sideA, cell.block.sideB}) PutInt32(out, n);
    }
    return out;
  }

  // Where the texture count and the three sizes start in Write()'s bytes.
  size_t TextureCountOffset() const { return 14 + 4 + 1 + skippedBlock.size(); }
  size_t SizesOffset() const {
    size_t at = TextureCountOffset() + 4;
    for (const std::string& name : names) at += 1 + name.size();
    return at;
  }
  size_t GridOffset() const { return SizesOffset() + 12; }

  static void Overwrite(Bytes& bytes, size_t at, int32_t value) {
    Bytes v;
    PutInt32(v, value);
    for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = v[i];
  }

  static void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
  }

  static constexpr char kMagic[] = "TolvaIsoMap1.0";

 private:
  struct CellData {
    bool present = false;
    Block block;
  };
  CellData& Cell(int32_t x, int32_t y, int32_t z) {
    if (x < 0 || y < 0 || z < 0 || x >= sizeX || y >= sizeY || z >= sizeZ) {
      throw std::out_of_range("cell outside the map");
    }
    return cells[(static_cast<size_t>(x) * sizeY + y) * sizeZ + z];
  }

  int32_t sizeX, sizeY, sizeZ;
  std::vector<std::string> names;
  std::vector<CellData> cells;
  int32_t skippedValue = 0;
  Bytes skippedBlock;
};

}  // namespace iso_map
