// Writes a few valid inputs for each fuzz target, so that the fuzzers start from real containers
// rather than from nothing: SeedWriter OUTPUT_FOLDER (one sub-folder per target).

#include <filesystem>
#include <string>

#include "ImageContainerWriter.h"
#include "IsoMapWriter.h"
#include "LevelWriter.h"
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

  iso_map::IsoMapWriter map(2, 2, 2);
  map.AddTexture("grass");
  map.AddTexture("stone");
  map.Set(0, 0, 0, {0, 1, 1});
  map.Set(1, 1, 1, {1, -1, 7});
  map.SetSkipped(7, {1, 2, 3});
  Seed(folder, "fuzz_iso_map", "map", map.Write());
  Seed(folder, "fuzz_iso_map", "empty", iso_map::IsoMapWriter(0, 0, 0).Write());

  // The sound target's first byte picks the format, in the order of its list of names.
  const char* kinds[] = {".wav", ".flac", ".ogg", ".opus", ".mod", ".s3m"};
  // The damaged files too: those that crashed a decoder once are cases the run must pass first.
  std::vector<audiofiles::File> sounds = audiofiles::GoodFiles();
  sounds.push_back({"good-xm.mod", audiofiles::Xm()});
  sounds.push_back({"good-it.s3m", audiofiles::It()});
  for (auto& damaged : audiofiles::DamagedFiles()) sounds.push_back(std::move(damaged));
  for (const auto& file : sounds) {
    for (size_t kind = 0; kind < std::size(kinds); ++kind) {
      if (!file.name.ends_with(kinds[kind])) continue;
      const std::string bytes = std::string(1, static_cast<char>(kind)) + file.bytes;
      Seed(folder, "fuzz_sound_load", file.name, Bytes(bytes.begin(), bytes.end()));
    }
  }

  // The level target's first byte: even for a level file, odd for the inflated bytes.
  const auto level = [&](const std::string& name, uint8_t mode, Bytes bytes) {
    bytes.insert(bytes.begin(), mode);
    Seed(folder, "fuzz_chunk_level", name, bytes);
  };
  const chunk_level::Painter stripes = [](int32_t column, int32_t row,
                                          chunk_level::ChunkRecord& record) {
    for (int32_t x = 0; x < chunk_level::kChunkSize; x += 16) {
      for (int32_t y = 0; y < chunk_level::kChunkSize; ++y) {
        record.Set(x, y,
                   {.r = 200,
                    .g = static_cast<uint8_t>(column * 50),
                    .a = 255,
                    .clip = static_cast<int16_t>(row + 1),
                    .layer = -1});
      }
    }
  };
  level("1x1", 0, chunk_level::LevelWriter(1, 1).Compressed(stripes, 9));
  level("4x2", 0, chunk_level::LevelWriter(4, 2).Compressed(stripes, 9));
  level(
      "wide spacing", 0,
      chunk_level::LevelWriter({.spacing = 500000, .across = 1, .down = 2}).Compressed(stripes, 9));
  level("no chunks", 1, chunk_level::HeaderBytes({.across = 0, .down = 3}));
  level("header only", 1, chunk_level::HeaderBytes({.across = 1, .down = 1}));
  return 0;
}
