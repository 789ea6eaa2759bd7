#include <gtest/gtest.h>

#include "core/script/PropertyManager.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIImage.h"
#include "gui/GUISmartImage.h"
#include "gui/GUIWindow.h"
#include "support/WidgetFixture.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kClear{0, 0, 0, 0};

class GUIButtonTest : public WidgetFixture {
 protected:
  // A button at (10, 10)-(30, 30) running "click.lua" with code 4.
  GUIButton* ScriptButton() {
    auto* button = Add<GUIButton>("Button", nullptr, 10, 10, 20, 20);
    button->SetScriptData("click.lua", 4);
    return button;
  }
};

TEST_F(GUIButtonTest, GUIButton_ClickRunsTheScriptOnlyForAPressAndAReleaseInside) {
  WriteRecordingScript("click.lua");
  struct Case {
    const char* what;
    float pressX, releaseX;
    bool pressTaken, releaseTaken;
    const char* ran;
  };
  const Case cases[] = {
      {"inside, inside", 15, 25, true, true, "click.lua:4 "},
      {"inside, outside", 15, 50, true, false, ""},
      {"outside, inside", 50, 15, false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GUIButton* button = ScriptButton();
    Run("ran = ''");
    EXPECT_EQ(Mouse(GUIBaseObject::kPress, c.pressX, 15), c.pressTaken);
    EXPECT_EQ(Mouse(GUIBaseObject::kRelease, c.releaseX, 15), c.releaseTaken);
    EXPECT_EQ(Text("ran"), c.ran);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_FALSE(button->TakeReleased());
    EXPECT_EQ(gui->GetLastFiredButton(), c.releaseTaken ? button : nullptr);
    gui->GetTopLevel().Clear();
    delete button;
  }
}

TEST_F(GUIButtonTest, GUIButton_ActionsAndModes) {
  auto* window = Add<GUIWindow>("Window", nullptr, 0, 0, 100, 100);
  auto* button = Add<GUIButton>("Button", window, 10, 10, 20, 20);
  window->SetLock(0);

  // No action at all: the click is still taken.
  EXPECT_TRUE(Click(15, 15));
  EXPECT_TRUE(window->IsVisible());

  // Hiding the parent changes its visible flag and nothing else of it.
  button->SetFunction("Button_Hide_Parent");
  EXPECT_TRUE(Click(15, 15));
  EXPECT_FALSE(window->IsVisible());
  EXPECT_FALSE(window->IsLocked());
  EXPECT_EQ(window->GetWidth(), 100);
  // The last fired button's parent is shown again by a show action, wherever it is fired from.
  EXPECT_TRUE(GUIButton::FindAction("Button_Show_Parent")());
  EXPECT_TRUE(window->IsVisible());

  // The script replaces the action; the action then forgets the script.
  WriteRecordingScript("click.lua");
  button->SetScriptData("click.lua", 7);
  EXPECT_TRUE(Click(15, 15));
  EXPECT_EQ(Text("ran"), "click.lua:7 ");
  EXPECT_TRUE(window->IsVisible());
  button->SetFunction("Button_Hide_Parent");
  EXPECT_FALSE(button->GetScriptName().has_value());
  EXPECT_TRUE(Click(15, 15));
  EXPECT_EQ(Text("ran"), "click.lua:7 ");
  EXPECT_FALSE(window->IsVisible());
  window->Show();
  button->SetScriptData("click.lua", 8);
  EXPECT_TRUE(Click(15, 15));
  EXPECT_EQ(Text("ran"), "click.lua:7 click.lua:8 ");

  // Names are exact; a name not in the table leaves no action and the click does nothing.
  for (const char* name : {"button_hide_parent", "Button_Hide_Parent ", "", "Nothing"}) {
    EXPECT_EQ(GUIButton::FindAction(name), nullptr) << name;
  }
  button->SetFunction("Nothing");
  EXPECT_TRUE(Click(15, 15));
  EXPECT_TRUE(window->IsVisible());
  // Without a scroll bar stepper the scroll actions find nothing.
  EXPECT_FALSE(GUIButton::FindAction("Button_Scrollbar_Increment")());
  EXPECT_FALSE(GUIButton::FindAction("Button_Scrollbar_Decrement")());
}

TEST_F(GUIButtonTest, GUIButton_HideParentOnATopLevelButtonIsTakenAndDoesNothing) {
  auto* button = Add<GUIButton>("Button", nullptr, 10, 10, 20, 20);
  button->SetFunction("Button_Hide_Parent");
  EXPECT_TRUE(Click(15, 15));
  EXPECT_TRUE(button->IsVisible());
}

TEST_F(GUIButtonTest, GUIButton_ScriptThatClearsTheGUIInsideItsClick) {
  // The click's script empties the whole tree; the dispatch goes on safely.
  WriteScript("clear.lua", "GUI_HideAllObjects() ran = 'cleared'");
  auto* button = ScriptButton();
  button->SetScriptData("clear.lua", 1);
  EXPECT_TRUE(Click(15, 15));
  EXPECT_EQ(Text("ran"), "cleared");
  EXPECT_FALSE(button->IsVisible());
}

TEST_F(GUIButtonTest, GUIButton_ShowsThePictureOfItsState) {
  Solid("Buttons", "Up", 20, 20, kRed);
  Solid("Buttons", "Over", 20, 20, kGreen);
  Solid("Buttons", "Down", 20, 20, kBlue);
  auto* button = Add<GUIButton>("Button", nullptr, 10, 10, 20, 20);
  button->SetImages("Up", "Over", "Down");
  gui->SetMousePosition(100, 100);
  gui->DispatchMouse(GUIBaseObject::kTick);
  EXPECT_EQ(FramePixel(12, 12), kRed);
  gui->SetMousePosition(15, 15);
  gui->DispatchMouse(GUIBaseObject::kTick);
  EXPECT_EQ(FramePixel(12, 12), kGreen);
  Mouse(GUIBaseObject::kPress, 15, 15);
  EXPECT_EQ(FramePixel(12, 12), kBlue);
  Mouse(GUIBaseObject::kRelease, 15, 15);
  EXPECT_EQ(FramePixel(12, 12), kGreen);

  // A missing picture draws nothing in its state and logs the library's warning.
  log.Clear();
  button->SetImages("Gone", "Over", "Down");
  EXPECT_EQ(log.Text(), "DataLibrary:  Warning, Root/Images/GUI/Buttons/Gone does not exist\n");
  gui->SetMousePosition(100, 100);
  gui->DispatchMouse(GUIBaseObject::kTick);
  EXPECT_EQ(FramePixel(12, 12), (Rgba{0, 0, 0, 255}));
}

using GUICheckBoxTest = WidgetFixture;

TEST_F(GUICheckBoxTest, GUICheckBox_ClicksUncheckThenCheckAndRunTheirScripts) {
  WriteRecordingScript("check.lua");
  WriteRecordingScript("uncheck.lua");
  Solid("Misc", "CheckBoxChecked", 16, 16, kGreen);
  Solid("Misc", "CheckBoxUnchecked", 16, 16, kRed);
  auto* box = Add<GUICheckBox>("Box", nullptr, 10, 10, 16, 16);
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(FramePixel(12, 12), kGreen);
  box->SetFiringData("check.lua", 1, "uncheck.lua", 2);
  EXPECT_TRUE(Click(15, 15));
  EXPECT_FALSE(box->IsChecked());
  EXPECT_EQ(FramePixel(12, 12), kRed);
  EXPECT_TRUE(Click(15, 15));
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(Text("ran"), "uncheck.lua:2 check.lua:1 ");

  // Inside then outside: nothing changes, the release is not taken.
  EXPECT_TRUE(Mouse(GUIBaseObject::kPress, 15, 15));
  EXPECT_FALSE(Mouse(GUIBaseObject::kRelease, 50, 50));
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(Text("ran"), "uncheck.lua:2 check.lua:1 ");
}

// Press the box and let go elsewhere, later press a button in front and let go over the box: the
// old press must not count.
TEST_F(GUICheckBoxTest, GUICheckBox_AStalePressNeverToggles) {
  auto* front = Add<GUIButton>("Front", nullptr, 40, 10, 20, 20);
  auto* box = Add<GUICheckBox>("Box", nullptr, 10, 10, 16, 16);
  (void)front;
  Mouse(GUIBaseObject::kPress, 15, 15);
  Mouse(GUIBaseObject::kRelease, 100, 100);
  EXPECT_FALSE(box->IsPressed());
  EXPECT_TRUE(Mouse(GUIBaseObject::kPress, 45, 15));
  EXPECT_FALSE(Mouse(GUIBaseObject::kRelease, 15, 15));
  EXPECT_TRUE(box->IsChecked());
}

using GUIColorBoxTest = WidgetFixture;

TEST_F(GUIColorBoxTest, GUIColorBox_FillsWithTheLowBytes) {
  struct Case {
    int32_t r, g, b, a;
    Rgba shown;
  };
  const Case cases[] = {
      {0, 0, 0, 0, kClear},
      {255, 0, 0, 255, kRed},
      {300, 0, 0, 255, Rgba{44, 0, 0, 255}},
      {-1, 256, 511, 255, Rgba{255, 0, 255, 255}},
  };
  auto* box = Add<GUIColorBox>("Colour", nullptr, 0, 0, 8, 8);
  for (const Case& c : cases) {
    box->SetColorData(c.r, c.g, c.b, c.a);
    FramePixel(0, 0);
    EXPECT_EQ(BufferPixel(*box, 3, 3), c.shown) << c.r << " " << c.g << " " << c.b;
  }
  // A component written through the router shows on the next frame.
  PropertyRef green = router->Route("GUI", "Colour", "Green");
  ASSERT_NE(green.AsInteger(), nullptr);
  *green.AsInteger() = 200;
  EXPECT_EQ(FramePixel(3, 3), (Rgba{255, 200, 255, 255}));
  EXPECT_EQ(router->Route("GUI", "Colour", "Purple").GetType(), 0);
  EXPECT_EQ(router->GetType(), 0);
}

using GUIImageTest = WidgetFixture;

TEST_F(GUIImageTest, GUIImage_ANewPictureShowsOnTheNextFrame) {
  Solid("Misc", "One", 6, 5, kRed);
  Solid("Misc", "Two", 6, 5, kBlue);
  library->Register("Fonts", "General", "System", "Font", al_create_builtin_font());
  auto* image = Add<GUIImage>("Image", nullptr, 0, 0, 10, 10);
  image->SetImage("One");
  EXPECT_EQ(image->GetWidth(), 6);
  EXPECT_EQ(image->GetHeight(), 5);
  EXPECT_EQ(image->GetRight(), 10);
  EXPECT_EQ(FramePixel(1, 1), kRed);
  image->SetImage("Two");
  EXPECT_EQ(FramePixel(1, 1), kBlue);

  // A missing name, or one of another kind, leaves it empty without a line.
  log.Clear();
  for (const char* name : {"Missing", "Font"}) {
    image->SetImage("Two");
    FramePixel(1, 1);
    image->SetImage(name);
    EXPECT_EQ(image->GetImage(), nullptr) << name;
    EXPECT_EQ(FramePixel(1, 1), (Rgba{0, 0, 0, 255})) << name;
  }
  EXPECT_EQ(log.Text(), "");
}

// Answers for one image-pointer property, "Display".
class Portrait : public GUIBaseObject {
 public:
  ImageObject* display = nullptr;
  PropertyRef GetPropertyAddress(const char*, const char* property) override {
    if (std::string(property) == "Display") {
      return PropertyRef::Object(PropertyRef::kImagePointer, &display, GetLifetimeToken());
    }
    if (std::string(property) == "Number") return PropertyRef::Integer(number, GetLifetimeToken());
    return PropertyRef();
  }
  int32_t number = 0;
};

TEST_F(GUIImageTest, GUISmartImage_ShowsTheWatchedPointerAndNothingOnceItsOwnerIsGone) {
  ImageObject* red = Solid("Misc", "Red", 8, 8, kRed);
  ImageObject* blue = Solid("Misc", "Blue", 8, 8, kBlue);
  auto* portrait = Add<Portrait>("Portrait");
  auto* smart = Add<GUISmartImage>("Smart", nullptr, 0, 0, 8, 8);

  // Not an image pointer: nothing is watched, nothing is logged.
  log.Clear();
  smart->SetImage("GUI", "Portrait", "Number");
  smart->SetImage("GUI", "Nobody", "Display");
  EXPECT_EQ(smart->GetWatchedImage(), nullptr);
  EXPECT_EQ(log.Text(), "");

  smart->SetImage("GUI", "Portrait", "Display");
  EXPECT_EQ(FramePixel(1, 1), (Rgba{0, 0, 0, 255}));
  portrait->display = red;
  EXPECT_EQ(FramePixel(1, 1), kRed);
  portrait->display = blue;
  EXPECT_EQ(FramePixel(1, 1), kBlue);
  // A later miss keeps the watch.
  smart->SetImage("GUI", "Portrait", "Number");
  EXPECT_EQ(smart->GetWatchedImage(), blue);

  gui->GetTopLevel().Remove("Portrait");
  delete portrait;
  EXPECT_EQ(smart->GetWatchedImage(), nullptr);
  EXPECT_EQ(FramePixel(1, 1), (Rgba{0, 0, 0, 255}));
}

}  // namespace
