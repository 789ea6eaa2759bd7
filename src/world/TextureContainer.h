#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/ImageContainerFormat.h"

class ImageObject;

// A compressed image container opened for the map's tile textures alone. It inflates into an
// anonymous temporary file of its own, so it never touches "ActiveImageFile.tmp" nor the container
// a script holds open through the image container manager. Untrusted like every container: a
// directory or record that does not fit the bytes there is refused with one line.
class TextureContainer {
 public:
  TextureContainer() = default;
  ~TextureContainer();
  TextureContainer(const TextureContainer&) = delete;
  TextureContainer& operator=(const TextureContainer&) = delete;

  // Closes any open file first. False, with a warning line, when the file does not open or its
  // directory is damaged; what an inflate error left whole is still read.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file != nullptr; }
  const std::vector<DirectoryEntry>& GetEntries() const { return entries; }
  // A new image of the record at that offset (the caller owns it); none, with a warning line,
  // when nothing is open or the record does not fit the file.
  ImageObject* GetImageAt(uint32_t offset);

 private:
  std::FILE* file = nullptr;
  int64_t fileSize = 0;
  std::string path;
  std::vector<DirectoryEntry> entries;
  std::vector<uint8_t> band;
};
