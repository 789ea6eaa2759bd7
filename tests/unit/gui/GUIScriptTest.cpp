#include <allegro5/allegro_primitives.h>
#include <gtest/gtest.h>

#include <memory>

#include "gui/GUIManager.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollableWindow.h"
#include "gui/GUIWindow.h"
#include "resources/DataLibrary.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"

namespace {

class GUIScriptTest : public LuaFixture {
 protected:
  GUIScriptTest() {
    StartAllegroHeadless();
    al_init_primitives_addon();
  }
  ~GUIScriptTest() override {
    gui.reset();
    library.reset();
    al_set_target_bitmap(nullptr);
  }

  void CreateManagers() {
    gDataLibrary = (library = std::make_unique<DataLibrary>()).get();
    gGUIManager = (gui = std::make_unique<GUIManager>()).get();
  }

  std::unique_ptr<DataLibrary> library;
  std::unique_ptr<GUIManager> gui;
};

// A valid call of each of the twenty, before the GUI manager exists.
TEST_F(GUIScriptTest, EveryFunctionBeforeTheManagerExists) {
  const ScriptFailure failures[] = {
      {"GUI_HideAllObjects()", "GUI HideAllObjects:  Failed, manager not created\n"},
      {"GUI_SetActiveObject('A')", "GUI SetActiveObject:  Failed, manager not created\n"},
      {"GUI_SetActiveObjectList('Base')",
       "GUI SetActiveObjectList:  Failed, manager not created\n"},
      {"GUIOL_AddObject('A', 'GUIWindow')", "GUIOL AddObject:  Failed, manager not created\n"},
      {"GUI_SetActiveObjectAndListFromBase('A')",
       "GUI SetActiveObjectAndListFromBase:  Failed, manager not created\n"},
      {"GUIG_Show()", "GUIG Show:  Failed, manager not created\n"},
      {"GUIG_Hide()", "GUIG Hide:  Failed, manager not created\n"},
      {"GUIG_Flip()", "GUIG Flip:  Failed, manager not created\n"},
      {"GUIG_SetLock(0)", "GUIG SetLock:  Failed, manager not created\n"},
      {"GUIG_SetDimensions(0, 0, 10, 10)", "GUIG SetDimensions:  Failed, manager not created\n"},
      {"GUIG_SetBorderImages('a', 'b', 'c')",
       "GUIG SetBorderImages:  Failed, manager not created\n"},
      {"GUIRSW_SetBackgroundPic('p')", "GUIRSW SetBackgroundPic:  Failed, manager not created\n"},
      {"GUIRSW_SetWindowDimensions(0, 0, 1, 1)",
       "GUIRSW SetWindowDimensions:  Failed, manager not created\n"},
      {"GUIRSW_SetPictureDimensions(0, 0, 1, 1)",
       "GUIRSW SetPictureDimensions:  Failed, manager not created\n"},
      {"GUIRSW_SetWindowBorderWidth(3)",
       "GUIRSW SetWindowBorderWidth:  Failed, manager not created\n"},
      {"GUISW_SetBackgroundPic('p')", "GUISW SetBackgroundPic:  Failed, manager not created\n"},
      {"GUISW_SetWindowDimensions(0, 0, 1, 1)",
       "GUISW SetWindowDimentions:  Failed, manager not created\n"},
      {"GUISW_SetPictureDimensions(0, 0, 1, 1)",
       "GUISW SetPictureDimentions:  Failed, manager not created\n"},
      {"GUISW_SetWindowBorderWidth(3)",
       "GUISW SetWindowBorderWidth:  Failed, manager not created\n"},
      {"GUIW_SetBackgroundColor(1, 2, 3)",
       "GUIW SetBackgroundColor:  Failed, manager not created\n"},
  };
  ExpectFailures(failures);
}

// Every failure line of the twenty with the manager there but nothing selected, in the order the
// checks run: the argument count (and texts) first, then the list or object.
TEST_F(GUIScriptTest, EveryFailureLine) {
  CreateManagers();
  const ScriptFailure unselected[] = {
      {"GUI_SetActiveObject()", "GUI SetActiveObject:  Failed, invalid argument list\n"},
      {"GUI_SetActiveObject('A', 'B')", "GUI SetActiveObject:  Failed, invalid argument list\n"},
      {"GUI_SetActiveObject(nil)", "GUI SetActiveObject:  Failed, invalid argument list\n"},
      {"GUI_SetActiveObject('A')",
       "GUI SetActiveObject:  Failed, Active Object List was not set\n"},
      {"GUI_SetActiveObjectList()", "GUI SetActiveObjectList:  Failed, invalid argument list\n"},
      {"GUI_SetActiveObjectList({})", "GUI SetActiveObjectList:  Failed, invalid argument list\n"},
      {"GUI_SetActiveObjectList('Nobody')",
       "FindGUIObject:  Failed, object Nobody not found\n"
       "GUI SetActiveObjectList:  Warning, list owner Nobody not found\n"},
      {"GUIOL_AddObject('A')", "GUIOL AddObject:  Failed, not enough args to determine type\n"},
      {"GUIOL_AddObject('A', nil)",
       "GUIOL AddObject:  Failed, not enough args to determine type\n"},
      {"GUIOL_AddObject('A', 'GUIWindow')",
       "GUIOL AddObject: Failed, Active Object List not set\n"},
      {"GUI_SetActiveObjectAndListFromBase()",
       "GUI SetActiveObjectAndListFromBase:  Failed, invalid argument list\n"},
      {"GUI_SetActiveObjectAndListFromBase('Nobody')",
       "FindGUIObject:  Failed, object Nobody not found\n"
       "GUI SetActiveObjectAndListFromBase:  Warning, object Nobody not found\n"},
      {"GUIG_Show()", "GUIG Show:  Failed, Active Object not set\n"},
      {"GUIG_Hide(1, 2)", "GUIG Hide:  Failed, Active Object not set\n"},
      {"GUIG_Flip()", "GUIG Flip:  Failed, Active Object not set\n"},
      {"GUIG_SetLock()", "GUIG SetLock:  Failed, Active Object not set\n"},
      {"GUIG_SetDimensions(1, 2, 3)", "GUIG SetDimensions:  Failed, invalid argument list\n"},
      {"GUIG_SetDimensions(1, 2, 3, 4)", "GUIG SetDimensions:  Failed, Active Object not set\n"},
      {"GUIG_SetBorderImages('a', 'b')", "GUIG SetBorderImages:  Failed, invalid argument list\n"},
      {"GUIG_SetBorderImages('a', nil, 'c')",
       "GUIG SetBorderImages:  Failed, invalid argument list\n"},
      {"GUIG_SetBorderImages('a', 'b', 'c')",
       "GUIG SetBorderImages:  Failed, Active Object not set\n"},
  };
  ExpectFailures(unselected);

  // Each window function: the wrong count, no active object, an active object of another kind.
  struct WindowCase {
    const char* function;
    const char* good;
    const char* bad;
    const char* label;
    const char* wrongKind;  // a type name whose widget the function refuses
    const char* className;
  };
  const WindowCase windows[] = {
      {"GUIW_SetBackgroundColor", "1, 2, 3", "1, 2", "GUIW SetBackgroundColor",
       "GUIScrollableWindow", "GUIWindow"},
      {"GUISW_SetBackgroundPic", "'p'", "nil", "GUISW SetBackgroundPic", "GUIWindow",
       "GUIScrollableWindow"},
      {"GUISW_SetWindowDimensions", "0, 0, 1, 1", "0, 0, 1", "GUISW SetWindowDimentions",
       "GUIResizeWindow", "GUIScrollableWindow"},
      {"GUISW_SetPictureDimensions", "0, 0, 1, 1", "", "GUISW SetPictureDimentions", "GUIWindow",
       "GUIScrollableWindow"},
      {"GUISW_SetWindowBorderWidth", "1", "1, 2", "GUISW SetWindowBorderWidth", "GUIWindow",
       "GUIScrollableWindow"},
      {"GUIRSW_SetBackgroundPic", "'p'", "'p', 'q'", "GUIRSW SetBackgroundPic",
       "GUIScrollableWindow", "GUIResizeWindow"},
      {"GUIRSW_SetWindowDimensions", "0, 0, 1, 1", "0, 0, 1, 1, 1", "GUIRSW SetWindowDimensions",
       "GUIWindow", "GUIResizeWindow"},
      {"GUIRSW_SetPictureDimensions", "0, 0, 1, 1", "0", "GUIRSW SetPictureDimensions", "GUIWindow",
       "GUIResizeWindow"},
      {"GUIRSW_SetWindowBorderWidth", "1", "", "GUIRSW SetWindowBorderWidth", "GUIWindow",
       "GUIResizeWindow"},
  };
  for (const WindowCase& c : windows) {
    const std::string label = c.label;
    gui->SetActiveObject(nullptr);
    ExpectFailure(std::string(c.function) + "(" + c.bad + ")",
                  label + ":  Failed, invalid argument list\n");
    ExpectFailure(std::string(c.function) + "(" + c.good + ")",
                  label + ":  Failed, Active Object not set\n");
    ASSERT_TRUE(Run(std::string("GUI_SetActiveObjectList('Base') GUIOL_AddObject('W', '") +
                    c.wrongKind + "')"));
    ExpectFailure(std::string(c.function) + "(" + c.good + ")",
                  label + ":  Failed, Active Object is not a " + c.className + "\n");
  }

  const ScriptFailure undiscerned[] = {
      {"GUIOL_AddObject('A', 'GUIInputTextBox')",
       "GUIOL AddObject:  Failed, could not discern type GUIInputTextBox\n"},
      {"GUIOL_AddObject('A', 'guiwindow')",
       "GUIOL AddObject:  Failed, could not discern type guiwindow\n"},
      {"GUIOL_AddObject('A', 'fmt%s%n')",
       "GUIOL AddObject:  Failed, could not discern type fmt%s%n\n"},
  };
  ExpectFailures(undiscerned);
}

TEST_F(GUIScriptTest, BaseThenFromBaseBuildsATree) {
  CreateManagers();
  ASSERT_TRUE(
      Run("GUI_SetActiveObjectList('Base')\n"
          "GUIOL_AddObject('A', 'GUIWindow', 'ignored', 4)\n"
          "GUIG_SetDimensions(10, 20, 30.9, -0.5)\n"
          "GUI_SetActiveObjectAndListFromBase('A')\n"
          "GUIOL_AddObject('B', 'GUIScrollableWindow')\n"
          "GUIOL_AddObject('C', 'GUIResizeWindow')\n"
          "GUI_SetActiveObject('B')\n"
          "GUIG_SetLock()\n"));
  EXPECT_EQ(log.Text(), "");
  auto* a = static_cast<GUIBaseObject*>(gui->GetTopLevel().Find("A"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetType(), GUIWindow::kTypeCode);
  EXPECT_EQ(a->GetWidth(), 30);
  EXPECT_EQ(a->GetHeight(), 0);
  ASSERT_EQ(a->GetChildren().GetCount(), 2);
  auto* b = static_cast<GUIBaseObject*>(a->GetChildren().GetAt(0));
  EXPECT_EQ(b->GetType(), GUIScrollableWindow::kTypeCode);
  EXPECT_EQ(b->GetParent(), a);
  EXPECT_EQ(gui->GetActiveObject(), b);
  EXPECT_FALSE(b->IsLocked());  // no argument reads 0
  EXPECT_EQ(static_cast<GUIBaseObject*>(a->GetChildren().GetAt(1))->GetType(),
            GUIResizeWindow::kTypeCode);

  ASSERT_TRUE(Run("GUI_SetActiveObject('Missing')"));
  EXPECT_EQ(log.Text(), "GUI SetActiveObject:  Warning, Object Missing not found\n");
  EXPECT_EQ(gui->GetActiveObject(), nullptr);
}

// A list owner that is not found leaves no active list, not the one selected before.
TEST_F(GUIScriptTest, AFailedListSelectionLeavesNoActiveList) {
  CreateManagers();
  ASSERT_TRUE(Run("GUI_SetActiveObjectList('Base') GUIOL_AddObject('A', 'GUIWindow')"));
  ASSERT_NE(gui->GetActiveList(), nullptr);
  const ScriptFailure failures[] = {
      {"GUI_SetActiveObjectList('Missing')",
       "FindGUIObject:  Failed, object Missing not found\n"
       "GUI SetActiveObjectList:  Warning, list owner Missing not found\n"},
      {"GUIOL_AddObject('B', 'GUIWindow')",
       "GUIOL AddObject: Failed, Active Object List not set\n"},
      {"GUI_SetActiveObject('A')",
       "GUI SetActiveObject:  Failed, Active Object List was not set\n"},
  };
  ExpectFailures(failures);
  EXPECT_EQ(gui->GetActiveList(), nullptr);
  EXPECT_EQ(gui->GetTopLevel().GetCount(), 1);
}

TEST_F(GUIScriptTest, VisibilityLockAndWindowSettingsActOnTheActiveObject) {
  CreateManagers();
  library->AddSection("Images");
  library->AddCatalogue("Images", "GUI");
  library->AddHeading("Images", "GUI", "Windows");
  auto* corner = new ImageObject();
  corner->Create(6, 6, nullptr);
  library->Register("Images", "GUI", "Windows", "Corner", corner);
  auto* picture = new ImageObject();
  picture->Create(5, 5, nullptr);
  library->Register("Images", "GUI", "Windows", "Scenery", picture);

  ASSERT_TRUE(
      Run("GUI_SetActiveObjectList('Base')\n"
          "GUIOL_AddObject('R', 'GUIResizeWindow')\n"
          "GUIRSW_SetWindowDimensions(1, 2, 3, 4)\n"
          "GUIRSW_SetPictureDimensions(5, 6, 7, 8)\n"
          "GUIRSW_SetWindowBorderWidth(0/0)\n"
          "GUIRSW_SetBackgroundPic('Scenery')\n"
          "GUIG_Flip()\n"
          "GUIG_SetBorderImages('Corner', 'Nope', 'Nope')\n"));
  auto* resize = static_cast<GUIResizeWindow*>(gui->GetActiveObject());
  EXPECT_EQ(resize->GetRight(), 4);
  EXPECT_EQ(resize->GetPicture().GetBottom(), 8);
  EXPECT_EQ(resize->GetPicture().Get(), picture);
  EXPECT_EQ(resize->GetWindowBorderWidth(), 0);
  EXPECT_FALSE(resize->IsVisible());
  EXPECT_TRUE(resize->IsBordered());
  EXPECT_EQ(resize->GetBorderWidth(), 6);
  EXPECT_TRUE(log.Contains("Root/Images/GUI/Windows/Nope does not exist"));

  log.Clear();
  ASSERT_TRUE(Run("GUIG_SetBorderImages('X', 'Y', 'Z') GUIG_Show() GUIG_SetLock(0.5)"));
  // Corner, horizontal, vertical: looked up in the order they are given.
  EXPECT_EQ(log.Text(),
            "DataLibrary:  Warning, Root/Images/GUI/Windows/X does not exist\n"
            "DataLibrary:  Warning, Root/Images/GUI/Windows/Y does not exist\n"
            "DataLibrary:  Warning, Root/Images/GUI/Windows/Z does not exist\n");
  EXPECT_TRUE(resize->IsBordered());
  EXPECT_EQ(resize->GetBorderWidth(), 6);
  EXPECT_TRUE(resize->IsVisible());
  EXPECT_FALSE(resize->IsLocked());  // 0.5 truncates to 0
  ASSERT_TRUE(Run("GUIG_SetLock(-2.7)"));
  EXPECT_TRUE(resize->IsLocked());
}

}  // namespace
