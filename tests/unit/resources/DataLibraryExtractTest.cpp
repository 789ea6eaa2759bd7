// The data library's loaders against image containers written by the container writer.

#include <gtest/gtest.h>

#include "ImageContainerWriter.h"
#include "core/Globals.h"
#include "resources/DataLibrary.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "resources/PortraitHolder.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"

namespace {

using namespace image_container;

const Colour kRed{255, 0, 0, 255};
const Colour kGreen{0, 255, 0, 255};
const Colour kBlue{0, 0, 255, 255};
const Colour kWhite{255, 255, 255, 255};
const Colour kYellow{255, 255, 0, 255};
const Rgba kGrey{50, 50, 50, 255};

Rgba AsRgba(Colour c) { return {c.r, c.g, c.b, c.a}; }

class DataLibraryExtractTest : public LuaFixture {
 protected:
  DataLibraryExtractTest() {
    StartAllegroHeadless();
    gExternalImageManager = &images;
    gDataLibrary = &library;
    ContainerWriter writer;
    writer.Add("Pal", PaletteRecordBytes(2, 2, {kRed, kGreen, kBlue, kWhite}));
    // 4 x 1 cropped to its middle two pixels: red, green at draw offset (1, 0).
    writer.Add("Sprite", CroppedImageRecordBytes(4, 1, 1, 0, 2, 1, {kRed, kGreen}));
    writer.Add("Face", ImageRecordBytes(1, 1, {kYellow}));
    ContainerWriter::WriteFile("images.sif", writer.Compressed());
    target = FilledBitmap(8, 8, kGrey);
  }
  ~DataLibraryExtractTest() override {
    images.CloseFile();
    al_set_target_bitmap(nullptr);
    al_destroy_bitmap(target);
  }

  // Draws the image at (0, y) of the grey target and answers its first three pixels of that row.
  std::vector<Rgba> DrawnRow(const ImageObject* image, int y) {
    al_set_target_bitmap(target);
    image->Draw(0, y);
    return {PixelAt(target, 0, y), PixelAt(target, 1, y), PixelAt(target, 2, y)};
  }

  ExternalImageManager images;
  DataLibrary library;
  ALLEGRO_BITMAP* target;
};

TEST_F(DataLibraryExtractTest, AScriptFillsTheTreeFromACompressedContainer) {
  ASSERT_TRUE(Run(R"(
    EIM_OpenFile("images.sif")
    DL_AddSection("Images")
    DL_AddCatalogue("Images", "Misc")
    DL_AddHeading("Images", "Misc", "Palettes")
    DL_ExtractPalette("Pal", "Images", "Misc", "Palettes", "Main")
    DL_AddHeading("Images", "Misc", "Sprites")
    DL_SetActiveObject("Images", "Misc", "Palettes", "Main")
    DL_ExtractBitmapWithPalette("Sprite", "Hero")
    DL_ExtractBitmapWithPalette("Sprite", "Images", "Misc", "Sprites", "Hero9",
                                "Images", "Misc", "Palettes", "Main")
    DL_ExtractBitmap("Face", "Plain")
    DL_ExtractBitmap("Face", "Images", "Misc", "Sprites", "Plain5")
    DL_AddCatalogue("Images", "Portraits")
    DL_AddHeading("Images", "Portraits", "Corvella")
    DL_ExtractPortrait("Face", "Images", "Portraits", "Corvella", "Smile")
    DL_ExtractPortrait("Nope", "Images", "Portraits", "Corvella", "Missing")
    EIM_CloseFile()
  )"));
  EXPECT_EQ(log.Text(),
            "ExternalImageManager::GetBitmapFromActiveFile - Warning, Nope not found\n");

  const PaletteSet* palette = library.GetEntry<PaletteSet>("Images", "Misc", "Palettes", "Main");
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->GetPaletteCount(), 2);
  for (const char* name : {"Hero", "Hero9"}) {
    const ImageObject* hero = library.GetEntry<ImageObject>("Images", "Misc", "Sprites", name);
    ASSERT_NE(hero, nullptr) << name;
    EXPECT_TRUE(hero->IsPaletted()) << name;
    EXPECT_EQ(hero->GetPalette(), palette) << name;
  }
  const ImageObject* hero = library.FindByName<ImageObject>("Hero");
  SetGlobalPaletteNumber(0);
  EXPECT_EQ(DrawnRow(hero, 0), (std::vector<Rgba>{kGrey, AsRgba(kRed), AsRgba(kGreen)}));
  SetGlobalPaletteNumber(1);
  EXPECT_EQ(DrawnRow(hero, 1), (std::vector<Rgba>{kGrey, AsRgba(kBlue), AsRgba(kWhite)}));

  const ImageObject* plain = library.GetEntry<ImageObject>("Images", "Misc", "Sprites", "Plain");
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->IsPaletted());
  EXPECT_EQ(DrawnRow(plain, 2)[0], AsRgba(kYellow));
  EXPECT_NE(library.FindByName<ImageObject>("Plain5"), nullptr);

  const PortraitHolder* smile =
      library.GetEntry<PortraitHolder>("Images", "Portraits", "Corvella", "Smile");
  ASSERT_NE(smile, nullptr);
  ASSERT_NE(smile->Get(), nullptr);
  EXPECT_EQ(PixelAt(smile->Get()->GetBitmap(), 0, 0), AsRgba(kYellow));
  const PortraitHolder* missing = library.FindByName<PortraitHolder>("Missing");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->Get(), nullptr);
}

TEST_F(DataLibraryExtractTest, PaletteImagesNeedAPaletteOfThatKind) {
  ASSERT_TRUE(Run(R"(
    EIM_OpenFile("images.sif")
    DL_AddSection("S") DL_AddCatalogue("S", "C") DL_AddHeading("S", "C", "H")
    DL_ExtractBitmap("Face", "Face")
  )"));
  const ScriptFailure failures[] = {
      {"DL_ExtractBitmapWithPalette('Sprite', 'NoActive')",
       "DL_ExtractBitmapWithPalette:  Failed, no active Object to cast into a Palette\n"},
      {"DL_ExtractBitmapWithPalette('Nope', 'X')",
       "ExternalImageManager::GetBitmapFromActiveFile - Warning, Nope not found\n"
       "DL_ExtractBitmapWithPalette:  Failed, no Bitmap named Nope found\n"},
      {"DL_ExtractBitmap('Nope', 'S', 'C', 'H', 'X')",
       "ExternalImageManager::GetBitmapFromActiveFile - Warning, Nope not found\n"
       "DL_ExtractBitmap:  Failed, no Bitmap named Nope found\n"},
      {"DL_ExtractPalette('Nope', 'S', 'C', 'H', 'P')",
       "ExternalImageManager::GetBitmapFromActiveFile - Warning, Nope not found\n"
       "DataLibrary - Register:  Warning, Pointer P did not exist when registered\n"},
      {"DL_ExtractBitmap('Face', 'S', 'C', 'Nope', 'X')",
       "DataLibrary - GetHeading(B):  Failed, Nope not found\n"},
  };
  ExpectFailures(failures);
  ASSERT_TRUE(Run("DL_SetActiveObject('S', 'C', 'H', 'Face')"));
  ExpectFailure("DL_ExtractBitmapWithPalette('Sprite', 'Wrong')",
                "DL_ExtractBitmapWithPalette:  Failed, no active Object to cast into a Palette\n");
  for (const char* name : {"NoActive", "Wrong", "P", "X"}) {
    EXPECT_EQ(library.FindByName(name), nullptr) << name;
  }

  // The nine-argument form registers the image without a palette when the palette path does not
  // name one.
  log.Clear();
  ASSERT_TRUE(Run(R"(
    DL_ExtractBitmapWithPalette("Sprite", "S", "C", "H", "ByImage", "S", "C", "H", "Face")
    DL_ExtractBitmapWithPalette("Sprite", "S", "C", "H", "ByNothing", "S", "C", "H", "None")
  )"));
  EXPECT_EQ(log.Text(),
            "DataLibrary:  Warning, Root/S/C/H/Face is not a palette\n"
            "DataLibrary:  Warning, Root/S/C/H/None does not exist\n");
  for (const char* name : {"ByImage", "ByNothing"}) {
    const ImageObject* image = library.FindByName<ImageObject>(name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_FALSE(image->IsPaletted()) << name;
  }
}

TEST_F(DataLibraryExtractTest, TwoArgumentExtractsBeforeAnyHeadingRegisterNothingSilently) {
  ASSERT_TRUE(Run(R"(
    EIM_OpenFile("images.sif")
    DL_AddSection("S")
    DL_ExtractBitmap("Face", "Face")
  )"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(library.FindByName("Face"), nullptr);
}

// An extracted image is the drawing target; one that cannot be registered is destroyed again and
// leaves no target at all. Drawing onto the current target then draws nothing instead of aborting.
TEST_F(DataLibraryExtractTest, AnImageDroppedUnregisteredLeavesDrawsHarmless) {
  ASSERT_TRUE(Run(R"(
    EIM_OpenFile("images.sif")
    DL_AddSection("S") DL_AddCatalogue("S", "C") DL_AddHeading("S", "C", "H")
    DL_ExtractBitmap("Face", "Face")
    DL_ExtractBitmapWithPalette("Sprite", "Dropped")
  )"));
  EXPECT_EQ(al_get_target_bitmap(), nullptr);
  const ImageObject* face = library.FindByName<ImageObject>("Face");
  ASSERT_NE(face, nullptr);
  face->Draw(0, 0);
  face->DrawRegion(0, 0, 1, 1, 0, 0);
  face->DrawScaled(0, 0, 1, 1, 0, 0, 2, 2);
  face->DrawRotatedAboutCentre(0, 0, 1.0f);
  EXPECT_EQ(al_get_target_bitmap(), nullptr);
  // The Onto forms name their target and still draw.
  face->DrawOnto(target, 3, 3);
  EXPECT_EQ(PixelAt(target, 3, 3), AsRgba(kYellow));
}

TEST_F(DataLibraryExtractTest, LoadersNeedTheContainerManager) {
  gExternalImageManager = nullptr;
  ASSERT_TRUE(Run("DL_AddSection('S') DL_AddCatalogue('S', 'C') DL_AddHeading('S', 'C', 'H')"));
  const ScriptFailure failures[] = {
      {"DL_ExtractBitmap('Face', 'F')", "DL_ExtractBitmap:  Failed, manager not created\n"},
      {"DL_ExtractPalette('Pal', 'S', 'C', 'H', 'P')",
       "DL_ExtractPalette:  Failed, manager not created\n"},
      {"DL_ExtractPortrait('Face', 'S', 'C', 'H', 'P')",
       "DL_ExtractPortrait:  Failed, manager not created\n"},
  };
  ExpectFailures(failures);
}

}  // namespace
