#pragma once

// Isometric map fixtures: a texture container of solid 32 x 32 textures registered as the data
// library's "StandardTextures", and map files written by the map writer.

#include <cstdio>
#include <string>
#include <vector>

#include "ImageContainerWriter.h"
#include "IsoMapWriter.h"
#include "resources/DataLibrary.h"

struct IsoTexture {
  std::string name;
  image_container::Colour colour;
  int32_t width = 32, height = 32;
  // Red and green step with the column and the row instead (blue and alpha from the colour), so
  // a turned or mirrored texture shows.
  bool pattern = false;
};

// Writes a compressed container at path holding one image for each texture given.
void WriteTextureContainer(const std::string& path, const std::vector<IsoTexture>& textures);

// A heading that holds only a "StandardTextures" texture-file record of that path.
class TextureHeading {
 public:
  explicit TextureHeading(const std::string& path);
  ~TextureHeading();
  TextureHeading(const TextureHeading&) = delete;
  TextureHeading& operator=(const TextureHeading&) = delete;
  const DataHeading* Get() const { return &heading; }

 private:
  DataHeading heading;
};

// The bytes opened as a read-only file (closed by the caller).
std::FILE* OpenBytes(const iso_map::Bytes& bytes);
