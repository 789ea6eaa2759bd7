#include "world/TextureContainer.h"

#include <zlib.h>

#include "core/Log.h"
#include "platform/ContentFile.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "resources/ZLibDecompressor.h"

TextureContainer::~TextureContainer() { Close(); }

bool TextureContainer::Open(const std::string& name) {
  Close();
  std::FILE* source = OpenContentFile(name.c_str(), "rb");
  if (source == nullptr) {
    Log("MapManager:  Warning, could not open texture file %s\n", name.c_str());
    return false;
  }
  file = std::tmpfile();
  if (file == nullptr) {
    std::fclose(source);
    Log("MapManager:  Warning, no temporary file to inflate %s into\n", name.c_str());
    return false;
  }
  path = name;
  const int result = ZLibDecompressor::Inflate(source, file, kLargestInflatedContainer);
  std::fclose(source);
  if (result == Z_BUF_ERROR) {
    Log("MapManager:  Warning, %s inflates to more than %lld bytes\n", name.c_str(),
        static_cast<long long>(kLargestInflatedContainer));
    Close();
    return false;
  }
  if (result != Z_OK) {
    Log("MapManager:  Warning, %s did not inflate whole (zlib error %i)\n", name.c_str(), result);
  }
  std::fflush(file);
  std::rewind(file);
  fileSize = FileSize(file);
  const std::string reason = fileSize < 0
                                 ? std::string("its size cannot be told")
                                 : ReadDirectory(file, fileSize, kCompressedHeaderSize, entries);
  if (!reason.empty()) {
    Log("MapManager:  Warning, %s has a damaged directory: %s\n", name.c_str(), reason.c_str());
    Close();
    return false;
  }
  return true;
}

void TextureContainer::Close() {
  if (file != nullptr) std::fclose(file);
  file = nullptr;
  fileSize = 0;
  entries.clear();
  band = {};
}

ImageObject* TextureContainer::GetImageAt(uint32_t offset) {
  if (file == nullptr) return nullptr;
  const std::string name = "the texture at " + std::to_string(offset) + " in " + path;
  return ExtractImage(file, fileSize, offset, name.c_str(), "MapManager:  ", band);
}
