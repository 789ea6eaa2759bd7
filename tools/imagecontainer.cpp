// Writes an image container from a manifest: imagecontainer [--plain] OUTPUT MANIFEST
//
// The container is compressed unless --plain is given. Each manifest line is one of
//   image NAME FILE.png                  the whole picture
//   image NAME FILE.png crop             cropped to the box of its pixels that are not transparent
//   image NAME FILE.png crop X Y W H     cropped to that rectangle
//   palette NAME FILE.png                one palette per pixel row, one colour per pixel column
//   entry NAME OFFSET                    an entry pointing at a fixed offset (for damaged files)
//   count N                              writes N as the entry count, whatever the entries are
// Blank lines and lines starting with "#" are skipped; files are relative to the manifest. Pixels
// and palette colours are stored premultiplied by their alpha.

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ImageContainerWriter.h"
#include "PictureFile.h"

namespace {

using namespace image_container;

void AddLine(ContainerWriter& writer, const std::filesystem::path& folder,
             const std::string& line) {
  std::istringstream in(line);
  std::string kind, name;
  in >> kind;
  if (kind.empty() || kind[0] == '#') return;
  if (kind == "count") {
    int32_t count;
    if (!(in >> count)) throw std::runtime_error("count needs a number");
    writer.SetEntryCount(count);
    return;
  }
  if (!(in >> name)) throw std::runtime_error(kind + " needs a name");
  if (kind == "entry") {
    long long offset;
    if (!(in >> offset)) throw std::runtime_error("entry needs an offset");
    writer.AddEntry(name, static_cast<uint32_t>(offset));
    return;
  }
  std::string file;
  if (!(in >> file)) throw std::runtime_error(kind + " " + name + " needs a file");
  const Picture picture = LoadPicture(folder / file);
  if (kind == "palette") {
    writer.Add(name, PaletteRecordBytes(picture.height, picture.width, picture.pixels));
    return;
  }
  if (kind != "image") throw std::runtime_error("unknown line kind " + kind);
  std::string crop;
  if (!(in >> crop)) {
    writer.Add(name, ImageRecordBytes(picture.width, picture.height, picture.pixels));
    return;
  }
  if (crop != "crop") throw std::runtime_error("unknown image option " + crop);
  Box box{};
  if (!(in >> box.x0 >> box.y0 >> box.w >> box.h)) {
    box = OpaqueBounds(picture.width, picture.height, picture.pixels);
  } else if (box.x0 < 0 || box.y0 < 0 || box.w < 1 || box.h < 1 || box.x0 + box.w > picture.width ||
             box.y0 + box.h > picture.height) {
    throw std::runtime_error("crop rectangle of " + name + " lies outside the picture");
  }
  writer.Add(name, CroppedImageRecordBytes(picture.width, picture.height, box.x0, box.y0, box.w,
                                           box.h, SubImage(picture.width, picture.pixels, box)));
}

}  // namespace

int main(int argc, char** argv) {
  bool plain = false;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plain") == 0) {
      plain = true;
    } else {
      args.push_back(argv[i]);
    }
  }
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: imagecontainer [--plain] OUTPUT MANIFEST\n");
    return 2;
  }
  if (!al_install_system(ALLEGRO_VERSION_INT, nullptr) || !al_init_image_addon()) {
    std::fprintf(stderr, "imagecontainer: Allegro did not start\n");
    return 1;
  }
  al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  try {
    std::ifstream manifest(args[1]);
    if (!manifest) throw std::runtime_error("cannot read " + args[1]);
    const std::filesystem::path folder = std::filesystem::path(args[1]).parent_path();
    ContainerWriter writer;
    std::string line;
    int number = 0;
    while (std::getline(manifest, line)) {
      ++number;
      try {
        AddLine(writer, folder, line);
      } catch (const std::exception& error) {
        throw std::runtime_error(args[1] + ":" + std::to_string(number) + ": " + error.what());
      }
    }
    ContainerWriter::WriteFile(args[0], plain ? writer.Plain() : writer.Compressed());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "imagecontainer: %s\n", error.what());
    return 1;
  }
  return 0;
}
