// The command-line writer: pictures from PNG files, whole, cropped to their opaque box or to a
// given rectangle, and palettes, in both container forms.

#include <allegro5/allegro_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/Globals.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "support/AllegroHeadless.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

class ImageContainerToolTest : public GlobalsFixture {
 protected:
  ImageContainerToolTest() {
    StartAllegroHeadless();
    al_init_image_addon();
  }

  // Pixel (x, y) of the picture: opaque only in the 2 x 3 block at (1, 2), except for its
  // half-transparent middle row; the transparent pixels keep a colour.
  static Rgba Source(int x, int y) {
    const bool opaque = x >= 1 && x < 3 && y >= 2 && y < 5;
    const unsigned char alpha = opaque ? (y == 3 ? 51 : 255) : 0;
    return {static_cast<unsigned char>(10 * x), static_cast<unsigned char>(20 * y), 150, alpha};
  }
  // What the container holds for it: the colour multiplied by the alpha, as Allegro blends.
  static Rgba Stored(int x, int y) {
    const Rgba p = Source(x, y);
    const auto times = [&](unsigned char c) { return static_cast<unsigned char>(c * p.a / 255); };
    return {times(p.r), times(p.g), times(p.b), p.a};
  }

  void ExpectImage(const char* name, int w, int h, int x0, int y0) {
    std::unique_ptr<ImageObject> image(manager.GetBitmapFromActiveFile(name));
    ASSERT_TRUE(image) << name;
    EXPECT_EQ(image->GetWidth(), w) << name;
    EXPECT_EQ(image->GetHeight(), h) << name;
    EXPECT_EQ(image->GetOffsetX(), x0) << name;
    EXPECT_EQ(image->GetOffsetY(), y0) << name;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        EXPECT_EQ(PixelAt(image->GetBitmap(), x, y), Stored(x0 + x, y0 + y))
            << name << " at " << x << ", " << y;
      }
    }
  }

  TempDir dir;
  LogCapture log;
  ExternalImageManager manager;
};

TEST_F(ImageContainerToolTest, WritesPicturesCropsAndPalettesFromAManifest) {
  ALLEGRO_BITMAP* picture = al_create_bitmap(6, 5);
  al_set_target_bitmap(picture);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) al_put_pixel(x, y, Source(x, y).Colour());
  }
  al_set_target_bitmap(nullptr);
  std::filesystem::create_directory(dir.Path() / "art");
  ASSERT_TRUE(al_save_bitmap((dir.Path() / "art" / "p.png").c_str(), picture));
  al_destroy_bitmap(picture);
  dir.Write("art/list.manifest",
            "# comment\n\nimage whole p.png\nimage box p.png crop\n"
            "image rect p.png crop 1 1 3 3\npalette pal p.png\n");

  for (const char* form : {"", "--plain "}) {
    const std::string command =
        std::string(QM_IMAGECONTAINER_TOOL) + " " + form + "out.sif art/list.manifest";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    if (*form == '\0') {
      manager.OpenFile("out.sif");
    } else {
      manager.OpenFileUncompressed("out.sif");
    }
    ASSERT_EQ(manager.GetEntryCount(), 4) << form;
    ExpectImage("whole", 6, 5, 0, 0);
    ExpectImage("box", 2, 3, 1, 2);
    ExpectImage("rect", 3, 3, 1, 1);
    std::unique_ptr<PaletteSet> palette(manager.GetPaletteFromActiveFile("pal"));
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->GetPaletteCount(), 5) << "one palette per pixel row";
    EXPECT_EQ(palette->GetColourCount(), 6) << "one colour per pixel column";
    EXPECT_TRUE(ColorsEqual(palette->GetColour(4, 5), Stored(5, 4).Colour()));
    EXPECT_TRUE(ColorsEqual(palette->GetColour(3, 1), Stored(1, 3).Colour()));
    EXPECT_EQ(log.Text(), "");
    manager.CloseFile();
  }

  // A bad manifest line names itself and writes nothing.
  dir.Write("art/bad.manifest", "image r p.png crop 4 4 5 5\n");
  const std::string bad =
      std::string(QM_IMAGECONTAINER_TOOL) + " bad.sif art/bad.manifest 2>/dev/null";
  EXPECT_NE(std::system(bad.c_str()), 0);
  EXPECT_FALSE(dir.Exists("bad.sif"));
}

}  // namespace
