#include <gtest/gtest.h>

#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIImage.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUISmartImage.h"
#include "gui/GUISmartTextLine.h"
#include "gui/GUIWindow.h"
#include "support/WidgetFixture.h"

namespace {

using GUIWidgetScriptTest = WidgetFixture;

// A valid call of each of the eleven.
const char* const kValidCalls[] = {
    "GUIB_SetImages('a', 'b', 'c')",
    "GUIB_SetDisplayData(1, 2)",
    "GUIB_SetScriptData('s.lua', 1)",
    "GUIB_SetFunctionData('Button_Hide_Parent')",
    "GUICB_SetFiringData('a.lua', 1, 'b.lua', 2)",
    "GUIColB_SetColorData(1, 2, 3, 4)",
    "GUII_SetImage('a')",
    "GUISI_SetImage('GUI', 'a', 'b')",
    "GUIITB_SetSystemData(8, 0)",
    "GUIT_SetString('a')",
    "GUISTL_WatchProperty('GUI', 'a', 'b')",
};
// Each function's name in its lines and the class its wrong-type line names.
const char* const kLabels[][2] = {
    {"GUIB SetImages:  ", "Active Object is not a GUIButton"},
    {"GUIB SetDisplayData:  ", "Active Object is not a GUIButton"},
    {"GUIB SetScriptData:  ", "Active Object is not a GUIButton"},
    {"GUIB SetFunctionData:  ", "Active Object is not a GUIButton"},
    {"GUICB SetFiringData:  ", "Active Object is not a GUICheckBox"},
    {"GUIColB SetColorData:  ", "Active Object is not a GUIColorBox"},
    {"GUII SetImage: ", "Active Object is not a GUIImage"},
    {"GUISI SetImage:  ", "Active Object is not a SmartImage"},
    {"GUIITB SetSystemData:  ", "Active Object is not a GUIInputTextBox"},
    {"GUIT SetString:  ", "object is not a Text Line"},
    {"GUISTL WatchProperty:  ", "Active Object is not a GUISmartTextLine"},
};

TEST_F(GUIWidgetScriptTest, EveryFailureLine) {
  // Before the GUI manager exists.
  std::unique_ptr<GUIManager> kept = std::move(gui);
  gGUIManager = nullptr;
  for (size_t i = 0; i < std::size(kValidCalls); ++i) {
    ExpectFailure(kValidCalls[i], std::string(kLabels[i][0]) + "Failed, manager not created\n");
  }
  gGUIManager = (gui = std::move(kept)).get();

  // Wrong counts and texts that are not texts.
  const ScriptFailure invalid[] = {
      {"GUIB_SetImages('a', 'b')", "GUIB SetImages:  Failed, invalid argument list\n"},
      {"GUIB_SetImages('a', nil, 'c')", "GUIB SetImages:  Failed, invalid argument list\n"},
      {"GUIB_SetDisplayData(1)", "GUIB SetDisplayData:  Failed, invalid argument list\n"},
      {"GUIB_SetScriptData('s.lua')", "GUIB SetScriptData:  Failed, invalid argument list\n"},
      {"GUIB_SetScriptData(nil, 1)", "GUIB SetScriptData:  Failed, invalid argument list\n"},
      {"GUIB_SetFunctionData()", "GUIB SetFunctionData:  Failed, invalid argument list\n"},
      {"GUIB_SetFunctionData({})", "GUIB SetFunctionData:  Failed, invalid argument list\n"},
      {"GUICB_SetFiringData('a', 1, 'b')", "GUICB SetFiringData:  Failed, invalid argument list\n"},
      {"GUICB_SetFiringData('a', 1, true, 2)",
       "GUICB SetFiringData:  Failed, invalid argument list\n"},
      {"GUIColB_SetColorData(1, 2, 3)", "GUIColB SetColorData:  Failed, invalid argument list\n"},
      {"GUII_SetImage()", "GUII SetImage: Failed, invalid argument list\n"},
      {"GUII_SetImage(nil)", "GUII SetImage: Failed, invalid argument list\n"},
      {"GUISI_SetImage('GUI', 'a')", "GUISI SetImage:  Failed, invalid argument list\n"},
      {"GUIITB_SetSystemData(8)", "GUIITB SetSystemData:  Failed, Invalid argument list\n"},
      {"GUIT_SetString()", "GUIT SetString:  Failed, invalid argument list\n"},
      {"GUIT_SetString(nil)", "GUIT SetString:  Failed, invalid argument list\n"},
      {"GUISTL_WatchProperty('GUI', 'a', 'b', 'c')",
       "GUISTL WatchProperty:  Failed, invalid argument list\n"},
  };
  ExpectFailures(invalid);

  // No active object, then an active object of another kind.
  for (size_t i = 0; i < std::size(kValidCalls); ++i) {
    ExpectFailure(kValidCalls[i], std::string(kLabels[i][0]) + "Failed, Active Object not set\n");
  }
  gui->SetActiveObjectList("Base");
  gui->AddToActiveList("Window", new GUIWindow());
  for (size_t i = 0; i < std::size(kValidCalls); ++i) {
    ExpectFailure(kValidCalls[i], std::string(kLabels[i][0]) + "Failed, " + kLabels[i][1] + "\n");
  }
  // The text lines' function takes every text widget, the others only their own kind.
  gui->AddToActiveList("Watch", new GUISmartTextLine());
  ExpectFailure("GUIITB_SetSystemData(8, 0)",
                "GUIITB SetSystemData:  Failed, Active Object is not a GUIInputTextBox\n");
  ExpectFailure("GUIT_SetString('a')", "");
}

TEST_F(GUIWidgetScriptTest, TheFunctionsReachTheirWidgets) {
  WriteRecordingScript("press.lua");
  Solid("Misc", "CheckBoxChecked", 4, 4, Rgba{0, 255, 0, 255});
  Solid("Misc", "CheckBoxUnchecked", 4, 4, Rgba{255, 0, 0, 255});
  gui->SetActiveObjectList("Base");
  Run("GUIOL_AddObject('Button', 'GUIButton') GUIG_SetDimensions(0, 0, 20, 20)"
      " GUIB_SetDisplayData(5.9, 1) GUIB_SetScriptData('press.lua', 3)"
      " GUIOL_AddObject('Box', 'GUIInputBox') GUIITB_SetSystemData(-2.5, 0.5)"
      " GUIOL_AddObject('Colour', 'GUIColorBox') GUIColB_SetColorData(300, 1.9, -1, 255)"
      " GUIOL_AddObject('Line', 'GUITextLine') GUIT_SetString(12)"
      " GUIOL_AddObject('Watch', 'GUISmartText') GUISTL_WatchProperty('GUI', 'Colour', 'Red')"
      " GUIOL_AddObject('Check', 'GUICheckBox') GUICB_SetFiringData('a', 1, 'b', 2)"
      " GUIOL_AddObject('Image', 'GUIImage') GUII_SetImage('none')"
      " GUIOL_AddObject('Smart', 'GUISmartImage') GUISI_SetImage('GUI', 'Colour', 'Red')");
  EXPECT_EQ(log.Text(), "");
  auto* button = static_cast<GUIButton*>(gui->FindQuietly("Button"));
  EXPECT_EQ(button->GetDisplayValue(), 5);
  EXPECT_EQ(button->GetDrawFlags(), 1);
  EXPECT_TRUE(Click(5, 5));
  EXPECT_EQ(Text("ran"), "press.lua:3 ");
  auto* box = static_cast<GUIInputTextBox*>(gui->FindQuietly("Box"));
  EXPECT_EQ(box->GetMaxChars(), 0);
  EXPECT_TRUE(box->GetSystemFlag());
  auto* colour = static_cast<GUIColorBox*>(gui->FindQuietly("Colour"));
  EXPECT_EQ(colour->GetRed(), 300);
  EXPECT_EQ(colour->GetGreen(), 1);
  EXPECT_EQ(colour->GetBlue(), -1);
  EXPECT_EQ(*static_cast<GUITextLine*>(gui->FindQuietly("Line"))->GetText(), "12");
  EXPECT_EQ(static_cast<GUISmartTextLine*>(gui->FindQuietly("Watch"))->GetWatchedType(), 2);
}

}  // namespace
