#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "core/Globals.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "resources/PortraitHolder.h"
#include "resources/TextureFileRecord.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"

namespace {

const char* const kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class DataLibraryTest : public LuaFixture {
 protected:
  DataLibraryTest() {
    StartAllegroHeadless();
    gDataLibrary = &library;
  }

  // A texture record whose path says where it was registered.
  static TextureFileRecord* Record(const std::string& path) { return new TextureFileRecord{path}; }
  static std::string PathOf(const DataEntry* entry) {
    if (entry == nullptr) return "<none>";
    const TextureFileRecord* record = As<TextureFileRecord>(entry->value);
    return record != nullptr ? record->path : "<other kind>";
  }

  DataLibrary library;  // registers the DL_ functions on the fixture's Lua manager
};

TEST_F(DataLibraryTest, LookUpsLogTheFirstMissingLevel) {
  ASSERT_TRUE(Run(R"(
    DL_AddSection("Images")
    DL_AddCatalogue("Images", "GUI")
    DL_AddHeading("Images", "GUI", "Misc")
  )"));
  ASSERT_TRUE(library.Register("Images", "GUI", "Misc", "Box", Record("box")));
  const DataSection* images = library.GetSection("Images");
  const DataCatalogue* gui = library.GetCatalogue("Images", "GUI");
  ASSERT_NE(images, nullptr);
  ASSERT_NE(gui, nullptr);
  EXPECT_EQ(library.GetHeading("Images", "GUI", "Misc"), library.GetHeading(gui, "Misc"));
  EXPECT_EQ(library.GetCatalogue("GUI"), gui);
  EXPECT_EQ(library.GetHeading("Misc"), library.GetHeading(gui, "Misc"));
  EXPECT_EQ(PathOf(library.GetEntry("Images", "GUI", "Misc", "Box")), "box");
  EXPECT_EQ(log.Text(), "");

  struct Case {
    std::function<const void*()> lookUp;
    const char* logged;
  };
  const Case cases[] = {
      {[&] { return library.GetSection("Fonts"); },
       "DataLibrary - GetSection(N):  Failed, Fonts not found\n"},
      {[&] { return library.GetCatalogue("Fonts", "GUI"); },
       "DataLibrary - GetSection(N):  Failed, Fonts not found\n"},
      {[&] { return library.GetCatalogue("Images", "Misc"); },
       "DataLibrary - GetCatalogue(N):  Failed, Misc not found\n"},
      {[&] { return library.GetHeading("Images", "Misc", "Misc"); },
       "DataLibrary - GetCatalogue(B):  Failed, Misc not found\n"},
      {[&] { return library.GetHeading("Images", "GUI", "Chat"); },
       "DataLibrary - GetHeading(N):  Failed, Chat not found\n"},
      {[&] { return library.GetCatalogue(images, "Nope"); },
       "DataLibrary - GetCatalogue(B):  Failed, Nope not found\n"},
      {[&] { return library.GetHeading(gui, "Nope"); },
       "DataLibrary - GetHeading(B):  Failed, Nope not found\n"},
      {[&] { return library.GetCatalogue(nullptr, "GUI"); }, ""},
      {[&] { return library.GetHeading(nullptr, "Misc"); }, ""},
      {[&] { return library.GetCatalogue("Nope"); }, ""},
      {[&] { return library.GetHeading("Nope"); }, ""},
      {[&] { return library.GetEntry("Fonts", "GUI", "Misc", "Box"); },
       "DataLibrary - GetSection(N):  Failed, Fonts not found\n"},
      {[&] { return library.GetEntry("Images", "GUI", "Chat", "Box"); },
       "DataLibrary - GetHeading(B):  Failed, Chat not found\n"},
      {[&] { return library.GetEntry("Images", "GUI", "Misc", "Pane"); },
       "DataLibrary:  Warning, Root/Images/GUI/Misc/Pane does not exist\n"},
      {[&] { return library.FindByName("Pane"); }, ""},
  };
  for (const Case& c : cases) {
    log.Clear();
    EXPECT_EQ(c.lookUp(), nullptr) << c.logged;
    EXPECT_EQ(log.Text(), c.logged);
  }
}

TEST_F(DataLibraryTest, ActiveFormsNeedAnActiveList) {
  EXPECT_EQ(library.GetCatalogue("GUI"), nullptr);
  EXPECT_EQ(library.GetHeading("Misc"), nullptr);
  EXPECT_EQ(log.Text(),
            "DataLibrary - GetCatalogue(A):  Failed, no Active Section\n"
            "DataLibrary - GetHeading(A):  Failed, no Active Catalogue\n");
}

TEST_F(DataLibraryTest, RepeatedNamesReachTheFirstAndTheActiveListsAreTheNewest) {
  ASSERT_TRUE(Run(R"(
    DL_AddSection("S")
    DL_AddCatalogue("S", "C")
    DL_AddHeading("S", "C", "H")
    DL_AddSection("S")
    DL_AddCatalogue("S", "C")
    DL_AddHeading("S", "C", "H")
    DL_AddCatalogue("Missing", "C")
    DL_AddHeading("S", "Missing", "H")
  )"));
  EXPECT_EQ(log.Text(), "");
  // The second section is active, but path look-ups reach only the first (which now holds two
  // catalogues of that name; the second is active).
  ASSERT_TRUE(library.RegisterInActiveHeading("OnlyActive", Record("active")));
  ASSERT_TRUE(library.Register("S", "C", "H", "Twice", Record("first")));
  ASSERT_TRUE(library.Register("S", "C", "H", "Twice", Record("second")));
  EXPECT_EQ(PathOf(library.GetEntry("S", "C", "H", "Twice")), "first");
  EXPECT_EQ(PathOf(library.FindByName("Twice")), "first");
  EXPECT_EQ(PathOf(library.FindByName("OnlyActive")), "active");
  log.Clear();
  EXPECT_EQ(library.GetEntry("S", "C", "H", "OnlyActive"), nullptr);
  EXPECT_EQ(log.Text(), "DataLibrary:  Warning, Root/S/C/H/OnlyActive does not exist\n");
  EXPECT_EQ(library.Root().Children().size(), 2u);
  EXPECT_EQ(library.Root().Children()[0].second->Children().size(), 2u);
}

TEST_F(DataLibraryTest, RegistrationRefusesNoneAndMissingLevels) {
  TextureFileRecord unregistered{"u"};  // refused, so it stays the caller's
  EXPECT_FALSE(library.RegisterInActiveHeading("x", &unregistered));  // silent before any heading
  EXPECT_EQ(log.Text(), "");
  library.AddSection("S");
  library.AddCatalogue("S", "C");
  library.AddHeading("S", "C", "H");
  EXPECT_FALSE(library.Register("S", "C", "H", "Empty", static_cast<ImageObject*>(nullptr)));
  EXPECT_FALSE(library.RegisterInActiveHeading("Empty", static_cast<PaletteSet*>(nullptr)));
  EXPECT_FALSE(library.Register("S", "X", "H", "Lost", &unregistered));
  EXPECT_EQ(log.Text(),
            "DataLibrary - Register:  Warning, Pointer Empty did not exist when registered\n"
            "DataLibrary - GetCatalogue(B):  Failed, X not found\n");
  EXPECT_EQ(library.FindByName("Empty"), nullptr);
}

TEST_F(DataLibraryTest, LookUpsOfOneKindNeverAnswerAnother) {
  library.AddSection("S");
  library.AddCatalogue("S", "C");
  library.AddHeading("S", "C", "H");
  auto* palette = new PaletteSet(1, 1);
  ASSERT_TRUE(library.Register("S", "C", "H", "Shared", Record("record")));
  ASSERT_TRUE(library.Register("S", "C", "H", "Shared", palette));
  EXPECT_EQ(library.GetEntry<PaletteSet>("S", "C", "H", "Shared"), palette);
  EXPECT_EQ(KindOf(library.FindByName("Shared")->value), DataKind::TextureRecord);
  EXPECT_EQ(library.FindByName<PaletteSet>("Shared"), palette);
  EXPECT_EQ(library.FindByName<ImageObject>("Shared"), nullptr);
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(library.GetEntry<ALLEGRO_FONT>("S", "C", "H", "Shared"), nullptr);
  EXPECT_EQ(library.GetEntry<ALLEGRO_FONT>("S", "C", "H", "Other"), nullptr);
  EXPECT_EQ(log.Text(),
            "DataLibrary:  Warning, Root/S/C/H/Shared is not a font\n"
            "DataLibrary:  Warning, Root/S/C/H/Other does not exist\n");
  log.Clear();

  ASSERT_TRUE(Run(R"(DL_SetActiveObject("S", "C", "H", "Shared"))"));
  ASSERT_TRUE(library.GetActiveObject().has_value());
  EXPECT_EQ(KindOf(*library.GetActiveObject()), DataKind::TextureRecord);
  ASSERT_TRUE(Run(R"(DL_SetActiveObject("S", "C", "H", "Missing"))"));
  EXPECT_FALSE(library.GetActiveObject().has_value());
  EXPECT_EQ(log.Text(), "DataLibrary:  Warning, Root/S/C/H/Missing does not exist\n");
}

TEST_F(DataLibraryTest, TextureFilesRegisterTheirPathWhenTheFileExists) {
  dir.Write("Data/Textures.sif", "x");
  ASSERT_TRUE(Run(R"(
    DL_AddSection("Maps") DL_AddCatalogue("Maps", "Tiles") DL_AddHeading("Maps", "Tiles", "Set")
    DL_RegisterTextureFile("Maps", "Tiles", "Set", "StandardTextures", "Data\\Textures.sif")
    DL_RegisterTextureFile("Maps", "Tiles", "Set", "Missing", "Data/None.sif")
    DL_RegisterTextureFile("Maps", "Tiles", "Nope", "Lost", "Data/Textures.sif")
  )"));
  EXPECT_EQ(log.Text(),
            "DL_RegisterTextureFile:  Failed, file Data/None.sif not found\n"
            "DataLibrary - GetHeading(B):  Failed, Nope not found\n");
  const TextureFileRecord* record =
      library.GetHeading("Maps", "Tiles", "Set")->Find<TextureFileRecord>("StandardTextures");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->path, "Data\\Textures.sif");
  EXPECT_EQ(library.FindByName("Missing"), nullptr);
}

TEST_F(DataLibraryTest, FontsLoadThroughTheTtfAddOn) {
  if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  lua_pushstring(State(), kDejaVu);
  lua_setglobal(State(), "dejavu");
  ASSERT_TRUE(Run(R"(
    DL_AddSection("Fonts") DL_AddCatalogue("Fonts", "General")
    DL_AddHeading("Fonts", "General", "System")
    DL_RegisterFont(dejavu, "Fonts", "General", "System", "SystemFont")
    DL_RegisterFont("Missing.ttf", "Fonts", "General", "System", "Other")
  )"));
  EXPECT_EQ(log.Text(),
            "DataLibrary - Register:  Warning, Pointer Other did not exist when registered\n");
  ALLEGRO_FONT* font = library.GetEntry<ALLEGRO_FONT>("Fonts", "General", "System", "SystemFont");
  ASSERT_NE(font, nullptr);
  EXPECT_GT(al_get_text_width(font, "Quillmere"), 0);
  EXPECT_GT(al_get_font_line_height(font), 0);
}

int OpenDescriptors() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)entry;
    ++count;
  }
  return count;
}

// A registered font holds its file's bytes, not the file: many fonts open no descriptors, and a
// font whose file is gone still draws glyphs it never drew before.
TEST_F(DataLibraryTest, RegisteredFontsHoldNoFileOpen) {
  if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  std::filesystem::copy_file(kDejaVu, dir.Path() / "Font.ttf");
  ASSERT_TRUE(Run(R"(DL_AddSection("Fonts") DL_AddCatalogue("Fonts", "General")
                     DL_AddHeading("Fonts", "General", "Many"))"));
  const int before = OpenDescriptors();
  ASSERT_TRUE(Run(R"(for i = 1, 50 do
                       DL_RegisterFont("Font.ttf", "Fonts", "General", "Many", "F" .. i)
                     end)"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(OpenDescriptors(), before);

  std::filesystem::remove(dir.Path() / "Font.ttf");
  ALLEGRO_FONT* font = library.GetEntry<ALLEGRO_FONT>("Fonts", "General", "Many", "F50");
  ASSERT_NE(font, nullptr);
  ImageObject target;
  target.Create(120, 30, nullptr);
  target.SetAsTarget();
  al_clear_to_color(al_map_rgba(0, 0, 0, 0));
  al_draw_text(font, al_map_rgb(255, 255, 255), 0, 0, 0, "Wq&@#");
  int lit = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 120; ++x) lit += al_get_pixel(target.GetBitmap(), x, y).a > 0.5f;
  }
  EXPECT_GT(lit, 20);
  al_set_target_bitmap(nullptr);
}

TEST_F(DataLibraryTest, InvalidArgumentLines) {
  const ScriptFailure failures[] = {
      {"DL_AddSection()", "DL_AddSection:  Failed, invalid argument list\n"},
      {"DL_AddSection(nil)", "DL_AddSection:  Failed, invalid argument list\n"},
      {"DL_AddCatalogue('S')", "DL_AddCatalogue:  Failed, invalid argument list\n"},
      {"DL_AddHeading('S', 'C', {})", "DL_AddHeading:  Failed, invalid argument list\n"},
      {"DL_SetActiveObject('S', 'C', 'H')", "DL_SetActiveObject:  Failed, invalid argument list\n"},
      {"DL_RegisterTextureFile('S', 'C', 'H', 'N')",
       "DL_RegisterTextureFile:  Failed, invalid argument list\n"},
      {"DL_RegisterTextureFile('S', 'C', 'H', 'N', nil)",
       "DL_RegisterTextureFile:  Failed, invalid argument list\n"},
      {"DL_ExtractBitmap('a', 'b', 'c')", "DL_ExtractBitmap:  Failed, invalid argument list\n"},
      {"DL_ExtractBitmap('a', true)", "DL_ExtractBitmap:  Failed, invalid argument list\n"},
      {"DL_ExtractBitmapWithPalette('a', 'S', 'C', 'H', 'N')",
       "DL_ExtractBitmapWithPalette:  Failed, invalid argument list\n"},
      {"DL_ExtractBitmapWithPalette('a', 'S', 'C', 'H', 'N', 'S', 'C', 'H', nil)",
       "DL_ExtractBitmapWithPalette:  Failed, invalid argument list\n"},
      {"DL_ExtractPalette('p', 'S', 'C', 'H')",
       "DL_ExtractPalette:  Failed, invalid argument list\n"},
      {"DL_RegisterFont('f.ttf', 'S', 'C', 'H', 'N', 'x')",
       "DL_RegisterFont:  Failed, invalid argument list\n"},
      {"DL_ExtractPortrait(nil, 'S', 'C', 'H', 'N')",
       "DL_ExtractPortrait:  Failed, invalid argument list\n"},
  };
  ExpectFailures(failures);
  EXPECT_TRUE(library.Root().Children().empty());
}

}  // namespace
