#pragma once

// Shared by the container fuzz targets: Allegro started once (memory bitmaps, no display), log
// lines dropped, and the input handed to a real image container manager through a file in the
// working directory.

#include <allegro5/allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/Log.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"

inline ExternalImageManager& FuzzManager() {
  static ExternalImageManager* manager = [] {
    if (!al_install_system(ALLEGRO_VERSION_INT, nullptr)) std::abort();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    SetLogSink([](std::string_view) {});
    return new ExternalImageManager();
  }();
  return *manager;
}

// Writes the bytes as a plain container and opens it.
inline ExternalImageManager& OpenPlain(const std::vector<uint8_t>& bytes) {
  ExternalImageManager& manager = FuzzManager();
  // A new file each time: rewriting one in place makes the file system flush it at every close.
  std::remove("fuzz_input.sif");
  FILE* out = std::fopen("fuzz_input.sif", "wb");
  if (out == nullptr) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
    std::abort();
  std::fclose(out);
  manager.OpenFileUncompressed("fuzz_input.sif");
  return manager;
}

// Opens the bytes as the one record of a container whose entry has the one-letter name: the 19-byte
// header, count 1, the name, the record's offset 29, then the record.
inline ExternalImageManager& OpenAsOnlyRecord(char name, const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(19, 0);
  file.insert(file.end(), {1, 0, 0, 0, 1, static_cast<uint8_t>(name), 29, 0, 0, 0});
  file.insert(file.end(), data, data + size);
  return OpenPlain(file);
}

// Extracts the entry both ways, as the records carry no kind; whatever comes out is checked
// against the sizes the reader promised and then released.
inline void ExtractBothWays(ExternalImageManager& manager, const DirectoryEntry& entry) {
  if (ImageObject* image = manager.GetBitmapFromActiveFile(static_cast<int32_t>(entry.offset))) {
    if (image->GetWidth() < 1 || image->GetHeight() < 1) std::abort();
    delete image;
  }
  if (PaletteSet* palette = manager.GetPaletteFromActiveFile(entry.name.c_str())) {
    if (palette->GetPaletteCount() < 1 || palette->GetColourCount() < 1) std::abort();
    delete palette;
  }
}
