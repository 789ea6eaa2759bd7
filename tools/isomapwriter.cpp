// Writes an isometric map file from a text source: isomapwriter OUTPUT.slf SOURCE
//
// The source's lines, in this order:
//   texture NAME              texture number 0, 1, ... in the order given
//   block C TOP SIDEA SIDEB   the letter C stands for a block with these texture numbers
//   size X Y Z                the map's size in cells
//   layer Z                   then Y rows of X letters: a block letter, or "." for an empty cell
// Blank lines and lines starting with "#" are skipped.

#include "IsoMapWriter.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::unique_ptr<iso_map::IsoMapWriter> Read(std::istream& in) {
  std::vector<std::string> textures;
  std::map<char, iso_map::Block> blocks;
  std::unique_ptr<iso_map::IsoMapWriter> writer;
  int32_t layer = -1, row = 0;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "texture") {
      std::string name;
      words >> name;
      textures.push_back(name);
    } else if (word == "block") {
      char letter = 0;
      iso_map::Block b;
      words >> letter >> b.top >> b.sideA >> b.sideB;
      if (!words) throw std::runtime_error("bad block line: " + line);
      blocks[letter] = b;
    } else if (word == "size") {
      int32_t x = 0, y = 0, z = 0;
      words >> x >> y >> z;
      if (!words || x < 0 || y < 0 || z < 0) throw std::runtime_error("bad size line: " + line);
      writer = std::make_unique<iso_map::IsoMapWriter>(x, y, z);
      for (const std::string& name : textures) writer->AddTexture(name);
    } else if (word == "layer") {
      words >> layer;
      row = 0;
      if (!words || writer == nullptr) throw std::runtime_error("layer before size: " + line);
    } else {
      if (writer == nullptr || layer < 0) throw std::runtime_error("row outside a layer: " + line);
      for (int32_t x = 0; x < static_cast<int32_t>(line.size()); ++x) {
        if (line[x] == '.') continue;
        const auto block = blocks.find(line[x]);
        if (block == blocks.end()) throw std::runtime_error("unknown block letter: " + line);
        writer->Set(x, row, layer, block->second);
      }
      ++row;
    }
  }
  if (writer == nullptr) throw std::runtime_error("no size line");
  return writer;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: isomapwriter OUTPUT.slf SOURCE\n");
    return 2;
  }
  try {
    std::ifstream in(argv[2]);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[2]);
    iso_map::IsoMapWriter::WriteFile(argv[1], Read(in)->Write());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "isomapwriter: %s\n", e.what());
    return 1;
  }
  return 0;
}
