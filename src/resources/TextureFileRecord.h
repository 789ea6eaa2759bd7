#pragma once

#include <string>

// The path of a tile-texture file, registered in the data library for the map manager.
struct TextureFileRecord {
  std::string path;
};
