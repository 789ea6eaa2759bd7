// Writes a few valid inputs for each fuzz target, so that the fuzzers start from real containers
// rather than from nothing: SeedWriter OUTPUT_FOLDER (one sub-folder per target).

#include <filesystem>
#include <string>

#include "ImageContainerWriter.h"
#include "support/AudioFiles.h"

using namespace image_container;

namespace {

std::vector<Colour> Pixels(int32_t count) {
  std::vector<Colour> out;
  for (int32_t i = 0; i < count; ++i) {
    out.push_back({static_cast<uint8_t>(i * 40), static_cast<uint8_t>(i * 7), 200,
                   static_cast<uint8_t>(i % 2 ? 255 : 0)});
  }
  return out;
}

void Seed(const std::filesystem::path& folder, const std::string& target, const std::string& name,
          const Bytes& bytes) {
  std::filesystem::create_directories(folder / target);
  ContainerWriter::WriteFile((folder / target / name).string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path folder = argv[1];

  const Bytes plainImage = ImageRecordBytes(3, 2, Pixels(6));
  const Bytes croppedImage = CroppedImageRecordBytes(10, 10, 2, 3, 2, 2, Pixels(4));
  const Bytes palette = PaletteRecordBytes(2, 3, Pixels(6));

  ContainerWriter writer;
  writer.Add("plain", plainImage);
  writer.Add("cropped", croppedImage);
  writer.Add("palette", palette);
  writer.AddEntry("plain", writer.OffsetOf(1, 19));
  Seed(folder, "fuzz_directory", "container", writer.Plain());

  Seed(folder, "fuzz_image_record", "plain", plainImage);
  Seed(folder, "fuzz_image_record", "cropped", croppedImage);
  Seed(folder, "fuzz_image_record", "flag2", ImageRecordBytes(2, 2, Pixels(4), 2));
  Seed(folder, "fuzz_palette_record", "palette", palette);

  Seed(folder, "fuzz_inflate", "container", writer.Compressed());
  Seed(folder, "fuzz_inflate", "stored", ContainerWriter::Compress(writer.Inflated(), 0));

  // The sound target's first byte picks the format, in the order of its list of names.
  const char* kinds[] = {".wav", ".flac", ".ogg", ".opus", ".mod", ".s3m"};
  for (const auto& file : audiofiles::GoodFiles()) {
    for (size_t kind = 0; kind < std::size(kinds); ++kind) {
      if (!file.name.ends_with(kinds[kind])) continue;
      const std::string bytes = std::string(1, static_cast<char>(kind)) + file.bytes;
      Seed(folder, "fuzz_sound_load", file.name, Bytes(bytes.begin(), bytes.end()));
    }
  }
  return 0;
}
