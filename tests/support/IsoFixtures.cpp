#include "support/IsoFixtures.h"

#include "resources/TextureFileRecord.h"

void WriteTextureContainer(const std::string& path, const std::vector<IsoTexture>& textures) {
  image_container::ContainerWriter writer;
  for (const IsoTexture& t : textures) {
    std::vector<image_container::Colour> pixels(
        static_cast<size_t>(t.width) * static_cast<size_t>(t.height), t.colour);
    for (int32_t y = 0; t.pattern && y < t.height; ++y) {
      for (int32_t x = 0; x < t.width; ++x) {
        pixels[static_cast<size_t>(y * t.width + x)] = {
            static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 8), t.colour.b, t.colour.a};
      }
    }
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
