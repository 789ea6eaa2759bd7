#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "core/Globals.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "resources/PortraitHolder.h"
#include "support/AllegroHeadless.h"
#include "support/GlobalsFixture.h"

namespace {

const Rgba kGrey{50, 50, 50, 255};
const Rgba kRed{255, 0, 0, 255};
const Rgba kGreen{0, 255, 0, 255};
const Rgba kBlue{0, 0, 255, 255};
const Rgba kWhite{255, 255, 255, 255};
const Rgba kClear{0, 0, 0, 0};

class ImageObjectTest : public GlobalsFixture {
 protected:
  ImageObjectTest() {
    StartAllegroHeadless();
    target = FilledBitmap(40, 40, kGrey);
  }
  ~ImageObjectTest() override {
    al_set_target_bitmap(nullptr);
    images.clear();
    al_destroy_bitmap(target);
  }

  // An owned image whose pixel (x, y) is pixels[y][x].
  ImageObject* Image(const std::vector<std::vector<Rgba>>& pixels) {
    ImageObject* image = images.emplace_back(std::make_unique<ImageObject>()).get();
    const int h = static_cast<int>(pixels.size());
    const int w = static_cast<int>(pixels[0].size());
    image->Create(w, h, &gOpenGLMode);
    image->SetAsTarget();
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) al_put_pixel(x, y, pixels[y][x].Colour());
    }
    return image;
  }

  // The target's pixels inside the rectangle, row by row.
  std::vector<std::vector<Rgba>> Region(int x, int y, int w, int h) const {
    std::vector<std::vector<Rgba>> out(h, std::vector<Rgba>(w));
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w; ++i) out[j][i] = PixelAt(target, x + i, y + j);
    }
    return out;
  }

  int CountNot(Rgba colour) const {
    int count = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) count += PixelAt(target, x, y) == colour ? 0 : 1;
    }
    return count;
  }

  ALLEGRO_BITMAP* target;
  std::vector<std::unique_ptr<ImageObject>> images;
};

using Pixels = std::vector<std::vector<Rgba>>;

TEST_F(ImageObjectTest, DrawsAddTheDrawOffsetAndHonourFlags) {
  ImageObject* image = Image({{kRed, kGreen}, {kBlue, kWhite}});
  image->SetDrawOffset(2, 3);
  al_set_target_bitmap(target);
  image->Draw(10, 20);
  EXPECT_EQ(Region(12, 23, 2, 2), (Pixels{{kRed, kGreen}, {kBlue, kWhite}}));
  EXPECT_EQ(CountNot(kGrey), 4);

  image->DrawAt(0, 0, ALLEGRO_FLIP_HORIZONTAL);
  EXPECT_EQ(Region(2, 3, 2, 2), (Pixels{{kGreen, kRed}, {kWhite, kBlue}}));
  image->SetDefaultFlags(ALLEGRO_FLIP_VERTICAL);
  image->AddDefaultFlags(ALLEGRO_FLIP_HORIZONTAL);
  EXPECT_EQ(image->GetDefaultFlags(), 3);
  image->Draw(20, 0);
  EXPECT_EQ(Region(22, 3, 2, 2), (Pixels{{kWhite, kBlue}, {kGreen, kRed}}));
}

TEST_F(ImageObjectTest, RegionScaledAndRotatedDrawsLandAtTheOffsetDestination) {
  ImageObject* image = Image({{kRed, kGreen, kBlue}, {kWhite, kRed, kGreen}});
  image->SetDrawOffset(1, 1);
  al_set_target_bitmap(target);
  image->DrawRegion(1, 0, 2, 1, 0, 0);
  EXPECT_EQ(Region(1, 1, 3, 1), (Pixels{{kGreen, kBlue, kGrey}}));
  image->DrawScaled(0, 0, 1, 1, 10, 10, 3, 2);
  EXPECT_EQ(
      Region(11, 11, 4, 3),
      (Pixels{{kRed, kRed, kRed, kGrey}, {kRed, kRed, kRed, kGrey}, {kGrey, kGrey, kGrey, kGrey}}));
  image->DrawRotated(1, 1, 20, 20, 0.0f);
  EXPECT_EQ(Region(20, 20, 3, 2), (Pixels{{kRed, kGreen, kBlue}, {kWhite, kRed, kGreen}}));
}

TEST_F(ImageObjectTest, RotationAboutTheCentreUsesIntegerHalves) {
  std::vector<std::vector<Rgba>> pixels(47, std::vector<Rgba>(31, kRed));
  pixels[0][0] = kBlue;
  ImageObject* image = Image(pixels);
  al_set_target_bitmap(target);
  image->DrawRotatedAboutCentre(20, 25, 0.0f);
  EXPECT_EQ(PixelAt(target, 5, 2), kBlue);  // (20 - 15, 25 - 23)
  EXPECT_EQ(PixelAt(target, 4, 2), kGrey);
  // Half a turn about (15, 23) sends pixel (0, 0) to (30, 46) of the image's own frame.
  ALLEGRO_BITMAP* big = FilledBitmap(80, 80, kGrey);
  image->DrawRotatedAboutCentreOnto(big, 40, 40, static_cast<float>(M_PI));
  EXPECT_EQ(PixelAt(big, 40 + 15 - 1, 40 + 23 - 1), kBlue);
  al_set_target_bitmap(nullptr);
  al_destroy_bitmap(big);
}

TEST_F(ImageObjectTest, OntoFormsOutsideOpenGLModeSetTheTargetAndOnlyDrawOntoAddsTheOffset) {
  ImageObject* image = Image({{kRed}});
  image->SetDrawOffset(5, 5);
  ALLEGRO_BITMAP* other = FilledBitmap(40, 40, kGrey);
  al_set_target_bitmap(other);
  image->DrawOnto(target, 0, 0);
  image->DrawRegionOnto(target, 0, 0, 1, 1, 1, 0);
  image->DrawScaledOnto(target, 0, 0, 1, 1, 2, 0, 1, 1);
  image->DrawRotatedOnto(target, 0, 0, 3, 0, 0.0f);
  image->DrawOnto(nullptr, 0, 0);
  EXPECT_EQ(al_get_target_bitmap(), target);
  EXPECT_EQ(PixelAt(target, 5, 5), kRed);
  EXPECT_EQ(Region(1, 0, 3, 1), (Pixels{{kRed, kRed, kRed}}));
  EXPECT_EQ(CountNot(kGrey), 4);
  al_destroy_bitmap(other);
}

TEST_F(ImageObjectTest, OntoFormsInOpenGLModeKeepTheCurrentTargetAndAddTheOffset) {
  ImageObject* image = Image({{kRed}});
  image->SetDrawOffset(5, 5);
  gOpenGLMode = true;  // memory bitmaps still take the Allegro road
  ALLEGRO_BITMAP* other = FilledBitmap(40, 40, kGrey);
  al_set_target_bitmap(target);
  image->DrawOnto(other, 0, 0);
  image->DrawRegionOnto(other, 0, 0, 1, 1, 1, 0);
  EXPECT_EQ(al_get_target_bitmap(), target);
  EXPECT_EQ(PixelAt(target, 5, 5), kRed);
  EXPECT_EQ(PixelAt(target, 6, 5), kRed);
  EXPECT_EQ(PixelAt(other, 5, 5), kGrey);
  al_destroy_bitmap(other);
}

TEST_F(ImageObjectTest, ClearsFillTheImageAndLeaveItTheTarget) {
  ImageObject* image = Image({{kRed, kRed}});
  image->ClearToColor(1, 2, 3, 4);
  EXPECT_EQ(PixelAt(image->GetBitmap(), 1, 0), (Rgba{1, 2, 3, 4}));
  EXPECT_EQ(al_get_target_bitmap(), image->GetBitmap());
  image->ClearToColor(-5, 300, 128, 255);
  EXPECT_EQ(PixelAt(image->GetBitmap(), 0, 0), (Rgba{0, 255, 128, 255}));
  image->ClearToBlack();
  EXPECT_EQ(PixelAt(image->GetBitmap(), 0, 0), (Rgba{0, 0, 0, 255}));
  image->ClearToTransparent();
  EXPECT_EQ(PixelAt(image->GetBitmap(), 0, 0), kClear);
}

TEST_F(ImageObjectTest, RecreateLosesAndResizeKeepsTheContents) {
  ImageObject* image = Image({{kRed, kGreen}});
  image->Resize(3, 2);
  EXPECT_EQ(image->GetWidth(), 3);
  EXPECT_EQ(image->GetHeight(), 2);
  EXPECT_EQ(PixelAt(image->GetBitmap(), 0, 0), kRed);
  EXPECT_EQ(PixelAt(image->GetBitmap(), 1, 0), kGreen);
  EXPECT_EQ(PixelAt(image->GetBitmap(), 2, 1), kClear);
  image->Recreate(1, 4);
  EXPECT_EQ(al_get_bitmap_height(image->GetBitmap()), 4);
  EXPECT_EQ(PixelAt(image->GetBitmap(), 0, 0), kClear);
}

TEST_F(ImageObjectTest, AWrappedBitmapIsNeverReplacedOrDestroyed) {
  ALLEGRO_BITMAP* borrowed = FilledBitmap(3, 2, kBlue);
  ImageObject image;
  image.Wrap(nullptr, &gOpenGLMode);
  EXPECT_EQ(image.GetBitmap(), nullptr);
  image.Wrap(borrowed, &gOpenGLMode);
  EXPECT_TRUE(image.IsWrapped());
  EXPECT_EQ(image.GetWidth(), 3);
  EXPECT_EQ(image.GetHeight(), 2);
  image.Recreate(8, 8);
  image.Resize(8, 8);
  EXPECT_EQ(image.GetBitmap(), borrowed);
  EXPECT_EQ(image.GetWidth(), 3);
  EXPECT_EQ(PixelAt(borrowed, 2, 1), kBlue);
  image.Destroy();
  image.Destroy();
  EXPECT_EQ(PixelAt(borrowed, 2, 1), kBlue);  // still alive: the sanitizer build checks
  {
    ImageObject deleted;
    deleted.Wrap(borrowed, &gOpenGLMode);
  }
  EXPECT_EQ(PixelAt(borrowed, 2, 1), kBlue);
  al_destroy_bitmap(borrowed);
}

// Deleting is all an owner does: the bitmap an image owns goes with it however it was made, and a
// portrait holder deletes the image it holds.
TEST_F(ImageObjectTest, DeletingAnImageOrItsPortraitHolderReleasesTheOwnedBitmap) {
  for (int i = 0; i < 8; ++i) al_destroy_bitmap(al_create_bitmap(1, 1));  // Allegro's own lists
  const auto owned = [](int32_t w, int32_t h) {
    auto image = std::make_unique<ImageObject>();
    image->Create(w, h, &gOpenGLMode);
    return image;
  };
  const std::pair<const char*, std::function<void(ImageObject&)>> ways[] = {
      {"created", [](ImageObject&) {}},
      {"created again", [](ImageObject& i) { i.Create(9, 9, &gOpenGLMode); }},
      {"recreated", [](ImageObject& i) { i.Recreate(12, 3); }},
      {"resized", [](ImageObject& i) { i.Resize(3, 12); }},
  };
  for (const auto& [name, way] : ways) {
    const AllegroAllocations allocations;
    std::unique_ptr<ImageObject> image = owned(16, 16);
    way(*image);
    EXPECT_GT(allocations.Outstanding(), 0u) << name;
    image.reset();
    EXPECT_EQ(allocations.Outstanding(), 0u) << name;
  }

  const AllegroAllocations allocations;
  auto holder = std::make_unique<PortraitHolder>();
  holder->Set(owned(16, 16).release());
  holder->Set(owned(8, 8).release());  // the first image goes
  const size_t one = allocations.Outstanding();
  holder->Set(owned(8, 8).release());
  EXPECT_EQ(allocations.Outstanding(), one);
  holder.reset();
  EXPECT_EQ(allocations.Outstanding(), 0u);
}

TEST_F(ImageObjectTest, AnImageWithoutABitmapDoesNothing) {
  PaletteSet palette(1, 1);
  ImageObject image;
  image.Create(-4, 3, &gOpenGLMode);
  EXPECT_EQ(image.GetBitmap(), nullptr);
  EXPECT_EQ(image.GetWidth(), -4);
  al_set_target_bitmap(target);
  image.Draw(0, 0);
  image.DrawRegion(0, 0, 1, 1, 0, 0);
  image.DrawScaled(0, 0, 1, 1, 0, 0, 2, 2);
  image.DrawRotatedAboutCentre(0, 0, 1.0f);
  image.DrawOnto(target, 0, 0);
  image.DrawScaledOnto(target, 0, 0, 1, 1, 0, 0, 2, 2);
  image.ClearToBlack();
  image.SetAsTarget();
  EXPECT_EQ(image.Lock(ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READWRITE), nullptr);
  image.Unlock();
  image.BuildPaletteIndex(&palette, GlobalPaletteNumberAddress());
  EXPECT_FALSE(image.IsPaletted());
  image.Recreate(-1, -1);
  image.Resize(-1, 5);
  image.Destroy();
  image.Destroy();
  EXPECT_EQ(al_get_target_bitmap(), target);
  EXPECT_EQ(CountNot(kGrey), 0);
}

class PalettedImageTest : public ImageObjectTest {
 protected:
  PalettedImageTest() : palette(2, 3) {
    // Row 0 lists green twice: the first position wins.
    const Rgba rows[2][3] = {{kRed, kGreen, kGreen}, {kBlue, kWhite, kClear}};
    for (int row = 0; row < 2; ++row) {
      for (int c = 0; c < 3; ++c) palette.SetColour(row, c, rows[row][c].Colour());
    }
  }

  PaletteSet palette;
};

TEST_F(PalettedImageTest, DrawsTheSelectedRowAndKeepsUnmatchedTargetPixels) {
  ImageObject* image = Image({{kRed, kGreen, kBlue}});
  image->BuildPaletteIndex(&palette, GlobalPaletteNumberAddress());
  ASSERT_TRUE(image->IsPaletted());
  image->SetDrawOffset(1, 0);
  al_set_target_bitmap(target);

  image->Draw(0, 0);
  EXPECT_EQ(Region(0, 0, 5, 1), (Pixels{{kGrey, kRed, kGreen, kGrey, kGrey}}));
  SetGlobalPaletteNumber(1);
  image->DrawAt(0, 1, ALLEGRO_FLIP_HORIZONTAL);  // flags do not apply to paletted draws
  EXPECT_EQ(Region(0, 1, 5, 1), (Pixels{{kGrey, kBlue, kWhite, kGrey, kGrey}}));
  SetGlobalPaletteNumber(7);  // no such row: row 0
  image->DrawOnto(target, 0, 2);
  EXPECT_EQ(Region(0, 2, 5, 1), (Pixels{{kGrey, kRed, kGreen, kGrey, kGrey}}));
  EXPECT_EQ(CountNot(kGrey), 6);
}

TEST_F(PalettedImageTest, APalettedDrawPastTheTargetEdgesIsClipped) {
  SetGlobalPaletteNumber(1);
  ImageObject* image = Image({{kRed, kGreen}, {kGreen, kRed}});
  image->BuildPaletteIndex(&palette, GlobalPaletteNumberAddress());
  al_set_target_bitmap(target);
  image->Draw(-1, -1);
  image->Draw(39, 39);
  image->Draw(1000000, -2147483647);
  EXPECT_EQ(PixelAt(target, 0, 0), kBlue);
  EXPECT_EQ(PixelAt(target, 39, 39), kBlue);
  EXPECT_EQ(CountNot(kGrey), 2);
}

TEST_F(PalettedImageTest, TheIndexIsBuiltOnceAndOnlyFromAUsableSet) {
  ImageObject* image = Image({{kGreen}});
  PaletteSet other(1, 1);
  image->BuildPaletteIndex(nullptr, GlobalPaletteNumberAddress());
  image->BuildPaletteIndex(&palette, nullptr);
  EXPECT_FALSE(image->IsPaletted());
  image->BuildPaletteIndex(&palette, GlobalPaletteNumberAddress());
  image->BuildPaletteIndex(&other, GlobalPaletteNumberAddress());
  EXPECT_EQ(image->GetPalette(), &palette);
  image->Resize(-1, 1);  // no such bitmap: the image stays as it was
  EXPECT_TRUE(image->IsPaletted());
  image->Resize(2, 1);
  EXPECT_FALSE(image->IsPaletted());
  al_set_target_bitmap(target);
  image->Draw(0, 0);  // a plain draw again
  EXPECT_EQ(PixelAt(target, 0, 0), kGreen);
}

// A long palette row: each pixel takes the first position of its colour, wherever it lies.
TEST_F(ImageObjectTest, ALongPaletteRowIndexesEveryPixelByItsFirstPosition) {
  constexpr int32_t kColours = 4096;
  const auto colour = [](int32_t c, unsigned char blue) {
    return Rgba{static_cast<unsigned char>(c % 256), static_cast<unsigned char>(c / 256), blue,
                255};
  };
  PaletteSet palette(2, kColours);
  for (int32_t c = 0; c < kColours; ++c) {
    palette.SetColour(0, c, colour(c, 0).Colour());
    palette.SetColour(1, c, colour(c, 200).Colour());
  }
  palette.SetColour(0, kColours - 1, colour(100, 0).Colour());  // position 100 again
  ImageObject* image = Image({{colour(4000, 0), colour(100, 0), colour(0, 0), kWhite}});
  image->BuildPaletteIndex(&palette, GlobalPaletteNumberAddress());
  SetGlobalPaletteNumber(1);
  al_set_target_bitmap(target);
  image->Draw(0, 0);
  EXPECT_EQ(Region(0, 0, 4, 1),
            (Pixels{{colour(4000, 200), colour(100, 200), colour(0, 200), kGrey}}));
}

// Source 3 x 2 region copied with each mirror mode: where (0,0) = R, (1,0) = G, (2,0) = B,
// (0,1) = W, (1,1) = R, (2,1) = G land.
TEST_F(ImageObjectTest, MirroredCopiesPlacePixelsByModeAndKeepTheRest) {
  ALLEGRO_BITMAP* src = FilledBitmap(5, 4, kClear);
  al_set_target_bitmap(src);
  const Rgba pixels[2][3] = {{kRed, kGreen, kBlue}, {kWhite, kRed, kGreen}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) al_put_pixel(1 + x, 1 + y, pixels[y][x].Colour());
  }
  struct Case {
    int mode;
    Pixels expected;
  };
  const Case cases[] = {
      {0, {{kRed, kGreen, kBlue}, {kWhite, kRed, kGreen}}},
      {1, {{kBlue, kGreen, kRed}, {kGreen, kRed, kWhite}}},
      {2, {{kWhite, kRed, kGreen}, {kRed, kGreen, kBlue}}},
      {3, {{kGreen, kRed, kWhite}, {kBlue, kGreen, kRed}}},
  };
  using Copy = void (*)(ALLEGRO_BITMAP*, ALLEGRO_BITMAP*, int32_t, int32_t, int32_t, int32_t,
                        int32_t, int32_t, int32_t);
  for (const Copy copy : {Copy{&CopyBitmapRegionMirroredLocked}, Copy{&CopyBitmapRegionMirrored}}) {
    for (const Case& c : cases) {
      al_set_target_bitmap(target);
      al_clear_to_color(kGrey.Colour());
      copy(src, target, 1, 1, 3, 2, 10, 20, c.mode);
      EXPECT_EQ(al_get_target_bitmap(), target);
      EXPECT_EQ(Region(10, 20, 3, 2), c.expected) << "mode " << c.mode;
      EXPECT_EQ(CountNot(kGrey), 6) << "mode " << c.mode;
    }
  }
  for (const Case& c : cases) {
    al_set_target_bitmap(target);
    al_clear_to_color(kGrey.Colour());
    CopyBitmapMirrored(src, target, 1, 1, 3, 2, c.mode);
    EXPECT_EQ(Region(0, 0, 3, 2), c.expected) << "mode " << c.mode;
    EXPECT_EQ(CountNot(kGrey), 6) << "mode " << c.mode;
  }
  al_set_target_bitmap(target);
  al_clear_to_color(kGrey.Colour());
  for (const int mode : {-1, 4})
    CopyBitmapRegionMirroredLocked(src, target, 1, 1, 3, 2, 0, 0, mode);
  CopyBitmapMirrored(nullptr, target, 0, 0, 2, 2, 0);
  CopyBitmapMirrored(src, nullptr, 0, 0, 2, 2, 0);
  EXPECT_EQ(CountNot(kGrey), 0);
  al_set_target_bitmap(nullptr);
  al_destroy_bitmap(src);
}

TEST_F(ImageObjectTest, MirroredCopiesSkipPixelsOutsideEitherBitmap) {
  ALLEGRO_BITMAP* src = FilledBitmap(2, 2, kRed);
  al_set_target_bitmap(src);
  al_put_pixel(0, 0, kBlue.Colour());
  // Mode 3 of a 2 x 2 region maps source (0, 0) to destination (1, 1).
  CopyBitmapRegionMirroredLocked(src, target, 0, 0, 2, 2, 38, 38, 3);
  EXPECT_EQ(PixelAt(target, 39, 39), kBlue);
  // Half the region lies left of the source and half the destination past the target.
  CopyBitmapRegionMirroredLocked(src, target, -1, 0, 2, 2, 39, 0, 1);
  EXPECT_EQ(PixelAt(target, 39, 0), kBlue);
  CopyBitmapRegionMirrored(src, target, 0, 0, 2000000000, 2000000000, -2000000000, 0, 3);
  CopyBitmapRegionMirrored(src, target, 0, 0, -5, 2, 0, 0, 0);
  EXPECT_EQ(PixelAt(target, 39, 1), kRed);
  EXPECT_EQ(CountNot(kGrey), 6);
  // A bitmap copied onto itself reads the pixels as they were before the copy.
  CopyBitmapRegionMirroredLocked(src, src, 0, 0, 2, 1, 0, 0, 1);
  EXPECT_EQ(PixelAt(src, 0, 0), kRed);
  EXPECT_EQ(PixelAt(src, 1, 0), kBlue);
  al_set_target_bitmap(nullptr);
  al_destroy_bitmap(src);
}

TEST(ColorsEqual, ComparesEveryComponent) {
  StartAllegroHeadless();
  EXPECT_TRUE(ColorsEqual(al_map_rgba(1, 2, 3, 4), al_map_rgba(1, 2, 3, 4)));
  EXPECT_FALSE(ColorsEqual(al_map_rgba(1, 2, 3, 4), al_map_rgba(1, 2, 3, 5)));
  EXPECT_FALSE(ColorsEqual(al_map_rgba(0, 2, 3, 4), al_map_rgba(1, 2, 3, 4)));
}

}  // namespace
