#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "support/AllegroHeadless.h"
#include "support/GlobalsFixture.h"
#include "support/IsoFixtures.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/IsoTileTexture.h"
#include "world/TextureLookupList.h"

namespace {

const image_container::Colour kRed{200, 10, 10, 255}, kBlue{10, 10, 200, 255},
    kGreen{10, 200, 10, 255};

Rgba At(const ImageObject* image, int x, int y) { return PixelAt(image->GetBitmap(), x, y); }
Rgba ToRgba(image_container::Colour c) { return {c.r, c.g, c.b, c.a}; }

class TextureLookupListTest : public GlobalsFixture {
 protected:
  void SetUp() override { StartAllegroHeadless(); }
  TempDir dir;
};

TEST_F(TextureLookupListTest, LookupsQueueAndLoadWithTheirLinesFromTheRecordsRealPath) {
  // Under a prefix: the records still name "Data/StandardTextures.sif", but the file that is read
  // is the one the data library names.
  std::filesystem::create_directories("Game/Data");
  WriteTextureContainer("Game/Data/Tiles.sif", {{"red", kRed}, {"blue", kBlue}});
  TextureHeading heading("Game/Data/Tiles.sif");
  TextureLookupList list;
  LogCapture log;
  list.BuildLookupList(heading.Get());
  ASSERT_EQ(list.GetLookups().size(), 2u);
  const int32_t red = list.GetLookups()[0].offset, blue = list.GetLookups()[1].offset;

  // Duplicate and unknown names: every known occurrence gets its own slot.
  list.QueueTexture("blue", 0);
  list.QueueTexture("missing", 1);
  list.QueueTexture("red", 2);
  list.QueueTexture("blue", 3);
  EXPECT_EQ(list.GetQueuedTextureCount(), 3);
  list.LoadQueuedTextures();

  const std::string file = " in file Data/StandardTextures.sif\n";
  const std::string list_ = " in list Data/StandardTextures.sif in slot ";
  const std::vector<std::string> expected = {
      "Registered Lookup red at " + std::to_string(red) + file,
      "Registered Lookup blue at " + std::to_string(blue) + file,
      "blue has been queued for loading" + list_ + "0\n",
      "red has been queued for loading" + list_ + "2\n",
      "blue has been queued for loading" + list_ + "3\n",
      "Loaded texture blue from file Data/StandardTextures.sif at location " +
          std::to_string(blue) + " into slot 0\n",
      "Loaded texture red from file Data/StandardTextures.sif at location " + std::to_string(red) +
          " into slot 2\n",
      "Loaded texture blue from file Data/StandardTextures.sif at location " +
          std::to_string(blue) + " into slot 3\n",
  };
  EXPECT_EQ(log.Lines(), expected);

  const auto& slots = list.GetTextureSlots();
  ASSERT_EQ(slots.size(), 4u);
  ASSERT_NE(slots[0], nullptr);
  EXPECT_EQ(slots[1], nullptr);
  ASSERT_NE(slots[2], nullptr);
  ASSERT_NE(slots[3], nullptr);
  EXPECT_NE(slots[0].get(), slots[3].get());
  EXPECT_EQ(At(slots[0]->GetFlat(), 5, 5), ToRgba(kBlue));
  EXPECT_EQ(At(slots[2]->GetFlat(), 5, 5), ToRgba(kRed));
  EXPECT_EQ(At(slots[3]->GetTop(), 30, 15), ToRgba(kBlue));

  list.ClearTextureQueues();
  list.FreeTextures();
  EXPECT_TRUE(list.GetTextureSlots().empty());
  EXPECT_EQ(list.GetQueuedTextureCount(), 0);
  // The lookups outlive the queues.
  list.QueueTexture("red", 0);
  EXPECT_EQ(list.GetQueuedTextureCount(), 1);
}

TEST_F(TextureLookupListTest, WarningsWithoutAHeadingOrItsRecord) {
  TextureLookupList list;
  DataHeading empty;
  LogCapture log;
  list.BuildLookupList(nullptr);
  list.BuildLookupList(&empty);
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"MapManager:  Warning, cannot build lookup list, "
                                      "rTextureFileHeading was invalid.\n",
                                      "MapManager:  Warning, no StandardTextures was found\n"}));
  list.QueueTexture("red", 0);
  EXPECT_EQ(list.GetQueuedTextureCount(), 0);
}

TEST_F(TextureLookupListTest, ImageMissingFromTheContainerLeavesItsSlotEmpty) {
  // The second image's record is cut short: its entry points past the end of the file.
  image_container::ContainerWriter writer;
  for (const auto& [name, colour] : {std::pair{"red", kRed}, std::pair{"blue", kBlue}}) {
    writer.Add(name, image_container::ImageRecordBytes(
                         32, 32, std::vector<image_container::Colour>(1024, colour)));
  }
  image_container::Bytes inflated = writer.Inflated();
  inflated.resize(inflated.size() - 100);
  image_container::ContainerWriter::WriteFile("tiles.sif",
                                              image_container::ContainerWriter::Compress(inflated));
  TextureHeading heading("tiles.sif");
  TextureLookupList list;
  list.BuildLookupList(heading.Get());
  ASSERT_EQ(list.GetLookups().size(), 2u);

  list.QueueTexture("red", 0);
  list.QueueTexture("blue", 1);
  LogCapture log;
  list.LoadQueuedTextures();
  ASSERT_EQ(list.GetTextureSlots().size(), 2u);
  EXPECT_NE(list.GetTextureSlots()[0], nullptr);
  EXPECT_EQ(list.GetTextureSlots()[1], nullptr);
  EXPECT_TRUE(log.Contains("MapManager:  Warning, the texture at ")) << log.Text();
  EXPECT_FALSE(log.Contains("Loaded texture blue")) << log.Text();
}

// A second build for another heading: a name only the second container has loads from that
// container; a name both have takes the first look-up, from the first container.
TEST_F(TextureLookupListTest, EachLookupLoadsFromTheContainerItWasListedIn) {
  WriteTextureContainer("first.sif", {{"red", kRed}, {"blue", kBlue}});
  // Names of another length than the first's move every offset.
  WriteTextureContainer("second.sif",
                        {{"a-rather-longer-name", kBlue}, {"green", kGreen}, {"red", kBlue}});
  TextureHeading first("first.sif"), second("second.sif");
  TextureLookupList list;
  list.BuildLookupList(first.Get());
  list.BuildLookupList(second.Get());
  ASSERT_EQ(list.GetLookups().size(), 5u);

  list.QueueTexture("green", 0);
  list.QueueTexture("red", 1);
  list.QueueTexture("blue", 2);
  LogCapture log;
  list.LoadQueuedTextures();
  EXPECT_FALSE(log.Contains("damaged")) << log.Text();
  const auto& slots = list.GetTextureSlots();
  ASSERT_EQ(slots.size(), 3u);
  const image_container::Colour expected[] = {kGreen, kRed, kBlue};
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_NE(slots[i], nullptr) << i;
    EXPECT_EQ(At(slots[i]->GetFlat(), 5, 5), ToRgba(expected[i])) << i;
  }
}

TEST_F(TextureLookupListTest, ScriptsOpenContainerIsLeftAlone) {
  WriteTextureContainer("tiles.sif", {{"red", kRed}});
  WriteTextureContainer("script.sif", {{"green", kGreen}});
  ExternalImageManager scripts;
  scripts.OpenFile("script.sif");
  ASSERT_TRUE(scripts.IsOpen());

  TextureHeading heading("tiles.sif");
  TextureLookupList list;
  list.BuildLookupList(heading.Get());
  list.QueueTexture("red", 0);
  list.LoadQueuedTextures();
  ASSERT_NE(list.GetTextureSlots()[0], nullptr);

  ASSERT_TRUE(scripts.IsOpen());
  ASSERT_EQ(scripts.GetEntryCount(), 1);
  EXPECT_TRUE(dir.Exists("ActiveImageFile.tmp"));
  ImageObject* image = scripts.GetBitmapFromActiveFile("green");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(At(image, 0, 0), ToRgba(kGreen));
  image->Destroy();
  delete image;
}

TEST_F(TextureLookupListTest, FacesTakeTheirPixelsAndDropWhatFallsOutside) {
  // Every source pixel distinct: red = column, green = row.
  ImageObject source;
  source.Create(32, 32, nullptr);
  source.SetAsTarget();
  for (int j = 0; j < 32; ++j) {
    for (int i = 0; i < 32; ++i) al_put_pixel(i, j, al_map_rgba(i * 8, j * 8, 77, 255));
  }
  const auto pixel = [](int i, int j) {
    return Rgba{static_cast<unsigned char>(i * 8), static_cast<unsigned char>(j * 8), 77, 255};
  };
  IsoTileTexture texture;
  texture.CreateTexture(&source);
  EXPECT_EQ(At(texture.GetTop(), 30, 0), pixel(0, 0));
  EXPECT_EQ(At(texture.GetTop(), 61, 15), pixel(31, 0));
  EXPECT_EQ(At(texture.GetTop(), 30, 15), pixel(15, 15));
  EXPECT_EQ(At(texture.GetTop(), 0, 15), pixel(0, 30));  // (1, 31) would land on row 16
  EXPECT_EQ(At(texture.GetTop(), 0, 0).a, 0);            // outside the diamond
  EXPECT_EQ(At(texture.GetSideA(), 0, 0), pixel(0, 0));
  EXPECT_EQ(At(texture.GetSideA(), 30, 15 + 31), pixel(30, 31));
  EXPECT_EQ(At(texture.GetSideA(), 30, 0).a, 0);
  EXPECT_EQ(At(texture.GetSideB(), 0, 15), pixel(0, 0));
  EXPECT_EQ(At(texture.GetSideB(), 30, 0), pixel(30, 0));
  EXPECT_EQ(At(texture.GetSideB(), 30, 46).a, 0);
  EXPECT_EQ(At(texture.GetFlat(), 31, 31), pixel(31, 31));
  source.Destroy();
}

TEST_F(TextureLookupListTest, SmallTextureCopiesWhatItHasAndNullSourceIsRefused) {
  ImageObject small;
  small.Create(5, 3, nullptr);
  small.ClearToColor(9, 99, 199, 255);
  IsoTileTexture texture;
  texture.CreateTexture(&small);
  EXPECT_EQ(At(texture.GetFlat(), 4, 2), (Rgba{9, 99, 199, 255}));
  EXPECT_EQ(At(texture.GetFlat(), 5, 2).a, 0);
  EXPECT_EQ(At(texture.GetFlat(), 4, 3).a, 0);
  EXPECT_EQ(At(texture.GetFlat(), 31, 31).a, 0);
  EXPECT_EQ(At(texture.GetTop(), 30, 0), (Rgba{9, 99, 199, 255}));
  small.Destroy();

  LogCapture log;
  IsoTileTexture untouched;
  untouched.CreateTexture(nullptr);
  EXPECT_EQ(log.Text(), "Failed to create texture, bitmap was NULL\n");
  EXPECT_EQ(At(untouched.GetTop(), 30, 10).a, 0);  // made transparent, not left undefined
}

TEST_F(TextureLookupListTest, OpenGLModeFacesAreTheFlatImage) {
  gOpenGLMode = true;
  IsoTileTexture texture;
  EXPECT_EQ(texture.GetTop(), texture.GetFlat());
  EXPECT_EQ(texture.GetSideA(), texture.GetFlat());
  EXPECT_EQ(texture.GetSideB(), texture.GetFlat());
}

}  // namespace
