#include "support/IsoFixtures.h"

#include "resources/TextureFileRecord.h"

void WriteTextureContainer(const std::string& path, const std::vector<IsoTextureSpec>& textures) {
  image_container::ContainerWriter writer;
  for (const IsoTextureSpec& t : textures) {
    const std::vector<image_container::Colour> pixels(
        static_cast<size_t>(t.width) * static_cast<size_t>(t.height), t.colour);
    writer.Add(t.name, image_container::ImageRecordBytes(t.width, t.height, pixels));
  }
  image_container::ContainerWriter::WriteFile(path, writer.Compressed());
}

TextureHeading::TextureHeading(const std::string& path) {
  heading.Add("StandardTextures", new TextureFileRecord{path});
}

TextureHeading::~TextureHeading() {
  for (const DataEntry& entry : heading.Entries()) delete As<TextureFileRecord>(entry.value);
}

std::FILE* OpenBytes(const iso_map::Bytes& bytes) {
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return nullptr;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  return file;
}
