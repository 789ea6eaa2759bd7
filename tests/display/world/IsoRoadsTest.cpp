#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "IsoMapWriter.h"
#include "core/Globals.h"
#include "resources/GLUtilities.h"
#include "resources/ImageObject.h"
#include "support/GLDisplay.h"
#include "support/IsoFixtures.h"
#include "support/PlayerStandIn.h"
#include "support/TempDir.h"
#include "unit/world/WorldFixture.h"
#include "world/IsoMap.h"
#include "world/TextureLookupList.h"

namespace {

constexpr image_container::Colour kStone{0, 0, 250, 255}, kGrass{20, 190, 30, 255};

// A 3 x 3 x 2 map: a patterned stone floor, grass on its far corner and on top of its middle.
iso_map::IsoMapWriter ThreeByThree() {
  iso_map::IsoMapWriter writer(3, 3, 2);
  const int32_t stone = writer.AddTexture("stone"), grass = writer.AddTexture("grass");
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 3; ++y) writer.Set(x, y, 0, {stone, stone, stone});
  }
  writer.Set(0, 0, 0, {grass, stone, grass});
  writer.Set(1, 1, 1, {grass, grass, stone});
  return writer;
}

// Both roads of the block renderer on an OpenGL display under Xvfb.
class IsoRoadsTest : public GlobalsFixture {
 protected:
  void SetUp() override {
    display = SharedGLDisplay(800, 600);
    if (display == nullptr) {
      ASSERT_TRUE(GLDisplayError().empty()) << GLDisplayError();
      GTEST_SKIP() << "no X display";
    }
    gDisplay = display;
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
    WriteTextureContainer("tiles.sif", {{"stone", kStone, 32, 32, true}, {"grass", kGrass}});
  }

  // The map read with its textures from the container, which the list looks up.
  void Read(IsoMap& map, TextureLookupList& textures, const iso_map::IsoMapWriter& writer) {
    textures.BuildLookupList(heading.Get());
    std::FILE* file = OpenBytes(writer.Write());
    ASSERT_EQ(map.ReadFile(file, textures), IsoMap::kRead);
    std::fclose(file);
  }

  // The map drawn into an 800 x 600 video bitmap on the road the OpenGL-mode flag picks.
  PixelImage Render(bool openGL, const iso_map::IsoMapWriter& writer) {
    gOpenGLMode = openGL;
    TextureLookupList textures;
    textures.BuildLookupList(heading.Get());
    auto map = std::make_unique<IsoMap>();
    std::FILE* file = OpenBytes(writer.Write());
    EXPECT_EQ(map->ReadFile(file, textures), IsoMap::kRead);
    std::fclose(file);
    ImageObject target;
    target.Create(800, 600, &gOpenGLMode);
    target.ClearToColor(25, 50, 75, 255);
    gGLQuadDepth = 0;
    map->Draw(&target, nullptr);
    EXPECT_EQ(CheckGLError(), 0);
    const PixelImage pixels = ReadPixels(target.GetBitmap());
    map.reset();
    target.Destroy();
    gOpenGLMode = false;
    return pixels;
  }

  ALLEGRO_DISPLAY* display = nullptr;
  TempDir dir;
  TextureHeading heading{"tiles.sif"};
};

bool Near(const uint8_t* p, image_container::Colour c, int tolerance = 2) {
  return std::abs(p[0] - c.r) <= tolerance && std::abs(p[1] - c.g) <= tolerance &&
         std::abs(p[2] - c.b) <= tolerance;
}

TEST_F(IsoRoadsTest, BothRoadsPaintTheSamePixels) {
  const PixelImage painter = Render(false, ThreeByThree());
  const PixelImage quads = Render(true, ThreeByThree());
  EXPECT_EQ(ComparePixels(painter, quads, 2), "");

  for (const PixelImage* image : {&painter, &quads}) {
    const char* road = image == &painter ? "painter" : "OpenGL";
    // The raised block's top, drawn last, over the middle of the floor.
    EXPECT_TRUE(Near(image->At(IsoMap::AnchorX(1, 1) - 1, IsoMap::AnchorY(1, 1, 1) - 16), kGrass))
        << road;
    // The far corner's grass top, in front of nothing.
    EXPECT_TRUE(Near(image->At(IsoMap::AnchorX(0, 0) - 1, IsoMap::AnchorY(0, 0, 0) - 16), kGrass))
        << road;
    // The stone of the near corner's top: texel (16, 16) of the pattern lies at its centre row.
    const uint8_t* stone = image->At(IsoMap::AnchorX(2, 2) - 1, IsoMap::AnchorY(2, 2, 0) - 15);
    EXPECT_EQ(stone[2], kStone.b) << road;
    EXPECT_NEAR(stone[0], 16 * 8, 8) << road;
    EXPECT_NEAR(stone[1], 16 * 8, 8) << road;
    // The near corner's left side shows stone columns: red steps with the column.
    const uint8_t* left = image->At(IsoMap::AnchorX(2, 2) - 31 + 4, IsoMap::AnchorY(2, 2, 0) + 10);
    EXPECT_EQ(left[0], 4 * 8) << road;
  }
}

// Display lists and textures alive now, by name.
struct GLNames {
  int lists = 0, textures = 0;
  bool operator==(const GLNames&) const = default;
};
GLNames CountGLNames() {
  GLNames names;
  for (GLuint n = 1; n < 4096; ++n) {
    names.lists += glIsList(n) ? 1 : 0;
    names.textures += glIsTexture(n) ? 1 : 0;
  }
  return names;
}

TEST_F(IsoRoadsTest, DrawingLeavesTheMatricesAndFreeingLeavesNoNames) {
  gOpenGLMode = true;
  const GLNames before = CountGLNames();
  {
    TextureLookupList textures;
    IsoMap map;
    Read(map, textures, ThreeByThree());
    if (HasFatalFailure()) return;
    EXPECT_EQ(CountGLNames().lists, before.lists + 3 * 10);

    ImageObject target;
    target.Create(800, 600, &gOpenGLMode);
    target.SetAsTarget();
    GLfloat projection[16], modelview[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    map.Draw(&target, nullptr);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_EQ(std::memcmp(projection, after, sizeof after), 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::memcmp(modelview, after, sizeof after), 0);
    target.Destroy();
    // A second map replaces the first's textures.
    Read(map, textures, ThreeByThree());
  }
  EXPECT_EQ(CountGLNames(), before);
}

// A 20 x 20 x 3 map, far larger than a small view: a patterned floor, walls and pillars on it.
iso_map::IsoMapWriter TwentyByTwenty() {
  iso_map::IsoMapWriter writer(20, 20, 3);
  const int32_t stone = writer.AddTexture("stone"), grass = writer.AddTexture("grass");
  for (int x = 0; x < 20; ++x) {
    for (int y = 0; y < 20; ++y) {
      writer.Set(x, y, 0, {(x + y) % 3 ? stone : grass, stone, grass});
      if ((x * 3 + y) % 4 == 0) writer.Set(x, y, 1, {grass, grass, stone});
      if ((x + y * 5) % 7 == 0) writer.Set(x, y, 2, {stone, grass, grass});
    }
  }
  return writer;
}

// The big map drawn whole, and seen through small views at several places (its corners and edges,
// the player), with the player's half-transparent marker between the layers: every view shows
// the very pixels of the whole drawing, on both roads, and draws only a part of the faces.
TEST_F(IsoRoadsTest, AViewOfPartOfTheMapShowsWhatDrawingItAllShows) {
  // The whole map lies inside this target once it is moved by (320, -100).
  constexpr int kWholeW = 1240, kWholeH = 720, kShiftX = 320, kShiftY = -100;
  struct View {
    int left, top;  // map pixels at the view's corner, inside the whole drawing
    int clipX = 0, clipY = 0, clipW = 0, clipH = 0;  // a clipping rectangle, when wide
  };
  const View views[] = {
      {-320, 380},
      {180, 100},
      {680, 380},
      {680, 640},
      {120, 620},
      {200, 250},
      {230, 260},
      {-150, 350, 30, 20, 150, 100},
      {330, 300, 45, 60, 100, 50},
  };
  for (const bool openGL : {false, true}) {
    const char* road = openGL ? "OpenGL" : "painter";
    gOpenGLMode = openGL;
    TextureLookupList textures;
    IsoMap map;
    Read(map, textures, TwentyByTwenty());
    if (HasFatalFailure()) return;
    ImageObject marker;
    marker.Create(20, 40, &gOpenGLMode);
    marker.ClearToColor(120, 20, 20, 160);
    PlayerStandIn player;
    player.PlaceCentre(6 * 32 + 16, 5 * 32 + 16, -(1 * 32 + 16));
    player.onDrawStored = [&] {
      marker.DrawAt(IsoMap::AnchorX(6, 5) - 10, IsoMap::AnchorY(6, 5, 1) - 40, 0);
    };
    int faces = 0;
    for (int x = 0; x < 20; ++x) {
      for (int y = 0; y < 20; ++y) {
        for (int z = 0; z < 3; ++z) faces += map.GetBlock(x, y, z) != nullptr ? 3 : 0;
      }
    }

    // Onto the target, cleared before, moved by (dx, dy).
    const auto draw = [&](ImageObject& target, int dx, int dy) {
      target.SetAsTarget();
      ALLEGRO_TRANSFORM shift;
      al_identity_transform(&shift);
      al_translate_transform(&shift, static_cast<float>(dx), static_cast<float>(dy));
      al_use_transform(&shift);
      gGLQuadDepth = 0;
      map.Draw(&target, &player);
      EXPECT_EQ(CheckGLError(), 0) << road;
    };
    ImageObject whole;
    whole.Create(kWholeW, kWholeH, &gOpenGLMode);
    whole.ClearToColor(25, 50, 75, 255);
    draw(whole, kShiftX, kShiftY);
    const PixelImage all = ReadPixels(whole.GetBitmap());
    // Every face was drawn there (and the marker).
    if (openGL) {
      EXPECT_NEAR(gGLQuadDepth, (faces + 1) * kGLQuadDepthStep, 0.05f);
    }
    whole.Destroy();

    for (const View& v : views) {
      ImageObject target;
      target.Create(240, 180, &gOpenGLMode);
      target.ClearToColor(25, 50, 75, 255);
      target.SetAsTarget();
      if (v.clipW > 0) al_set_clipping_rectangle(v.clipX, v.clipY, v.clipW, v.clipH);
      draw(target, -v.left, -v.top);
      if (openGL) {
        EXPECT_LT(gGLQuadDepth, faces / 3 * kGLQuadDepthStep) << v.left << "," << v.top;
      }
      const PixelImage seen = ReadPixels(target.GetBitmap());
      PixelImage expected = seen;
      for (int y = 0; y < seen.height; ++y) {
        for (int x = 0; x < seen.width; ++x) {
          const bool clipped = v.clipW > 0 && (x < v.clipX || y < v.clipY ||
                                               x >= v.clipX + v.clipW || y >= v.clipY + v.clipH);
          static constexpr uint8_t kBackground[4] = {25, 50, 75, 255};
          const uint8_t* from =
              clipped ? kBackground : all.At(x + v.left + kShiftX, y + v.top + kShiftY);
          std::copy(from, from + 4, &expected.rgba[(static_cast<size_t>(y) * seen.width + x) * 4]);
        }
      }
      EXPECT_EQ(ComparePixels(expected, seen, 0), "") << road << " " << v.left << "," << v.top;
      target.Destroy();
    }
    marker.Destroy();
  }
  gOpenGLMode = false;
}

// The map manager changing maps in OpenGL mode: isometric, clip map, isometric again.
class IsoMapChangeTest : public WorldFixture {};

TEST_F(IsoMapChangeTest, AClipMapBetweenTwoIsometricMapsLeaksNoGLNames) {
  ALLEGRO_DISPLAY* display = SharedGLDisplay(800, 600);
  if (display == nullptr) {
    ASSERT_TRUE(GLDisplayError().empty()) << GLDisplayError();
    GTEST_SKIP() << "no X display";
  }
  al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  gOpenGLMode = true;
  WriteTextureContainer("tiles.sif", {{"stone", kStone, 32, 32, true}, {"grass", kGrass}});
  TextureHeading heading("tiles.sif");
  MakeMapManager();
  map->SetTextureFileHeading(const_cast<DataHeading*>(heading.Get()));
  map->BuildLookupList();
  std::filesystem::create_directories("Maps");
  iso_map::IsoMapWriter::WriteFile("Maps/Cube.slf", ThreeByThree().Write());
  WriteScript("MapScripts/Cube.lua", "");

  ImageObject view;
  view.Create(800, 600, &gOpenGLMode);
  const GLNames before = CountGLNames();
  map->TransitionMap("Cube");
  ASSERT_EQ(LoadedKind(), Kind::Isometric);
  map->Draw(&view, &DefaultCamera(), 0);
  const GLNames loaded = CountGLNames();
  EXPECT_GT(loaded.lists, before.lists);
  EXPECT_GT(loaded.textures, before.textures);

  map->TransitionMap("MAPNONE");
  ASSERT_EQ(LoadedKind(), Kind::ClipMap);
  // The blocks went with the isometric map; the textures stay until the next one is read.
  EXPECT_EQ(CountGLNames().lists, before.lists);

  map->TransitionMap("Cube");
  ASSERT_EQ(LoadedKind(), Kind::Isometric);
  map->Draw(&view, &DefaultCamera(), 0);
  EXPECT_EQ(CountGLNames(), loaded);
  EXPECT_EQ(CheckGLError(), 0);
  view.Destroy();
  map.reset();
  gMapManager = nullptr;
  EXPECT_EQ(CountGLNames(), before);
}

}  // namespace
