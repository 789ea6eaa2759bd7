#include <gtest/gtest.h>

#include <algorithm>
#include <lua.hpp>
#include <span>
#include <string>
#include <vector>

#include "core/script/ScriptCall.h"
#include "gui/GUIDropMenu.h"
#include "gui/GUIList.h"
#include "gui/GUIScrollBar.h"
#include "gui/GUIScrollableWindow.h"
#include "gui/GUIWindow.h"
#include "program/ProgramScriptFamilies.h"
#include "support/WidgetFixture.h"

namespace {

using GUIListScriptTest = WidgetFixture;

// A valid call of each of the six, with its name in its lines and its wrong-type reason.
const char* const kCalls[][3] = {
    {"GUISB_SetScrollData(0, 0, 8, 100, 1)",
     "GUISB SetScrollData:  ", "Active Object was not a GUIScrollbar"},
    {"GUIL_SetListSize(3)", "GUIL SetListSize:  ", "Active Object is not a GUIList"},
    {"GUIL_SetListEntry(0, 'GUI', 'Box', 'String', 'GUI', 'Box', 'Length')",
     "GUIL SetListEntry:  ", "Active Object is not a GUIList"},
    {"GUIDM_AddField('File')", "GUIDM AddField:  ", "Active Object is not a GUIDropMenu"},
    {"GUIDM_AddEntry('File', 'Open', 'Open', 'open.lua', 1, 0)",
     "GUIDM AddEntry:  ", "Active Object is not a GUIDropMenu"},
    {"GUIDM_ModifyEntry('File', 'Open', 'Open', 'open.lua', 1, 0)",
     "GUIDM ModifyEntry:  ", "Active Object is not a GUIDropMenu"},
};

TEST_F(GUIListScriptTest, EveryFailureLine) {
  std::unique_ptr<GUIManager> kept = std::move(gui);
  gGUIManager = nullptr;
  for (const auto& call : kCalls) {
    ExpectFailure(call[0], std::string(call[1]) + "Failed, manager not created\n");
  }
  gGUIManager = (gui = std::move(kept)).get();

  // The count comes first, then the texts.
  const ScriptFailure invalid[] = {
      {"GUISB_SetScrollData(0, 0, 8, 100)",
       "GUISB SetScrollData:  Failed, invalid argument list\n"},
      {"GUISB_SetScrollData(0, 0, 8, 100, 1, 1)",
       "GUISB SetScrollData:  Failed, invalid argument list\n"},
      {"GUIL_SetListSize()", "GUIL SetListSize:  Failed, invalid argument list\n"},
      {"GUIL_SetListEntry(0, 'GUI', 'Box', 'String', 'GUI', 'Box')",
       "GUIL SetListEntry:  Failed, invalid argument list\n"},
      {"GUIL_SetListEntry(0, 'GUI', 'Box', 'String', 'GUI', 'Box', nil)",
       "GUIL SetListEntry:  Failed, invalid argument list\n"},
      {"GUIL_SetListEntry(0, {}, 'Box', 'String', 'GUI', 'Box', 'Length')",
       "GUIL SetListEntry:  Failed, invalid argument list\n"},
      {"GUIDM_AddField()", "GUIDM AddField:  Failed, invalid argument list\n"},
      {"GUIDM_AddField(nil)", "GUIDM AddField:  Failed, invalid argument list\n"},
      {"GUIDM_AddEntry('File', 'Open', 'Open', 'open.lua', 1)",
       "GUIDM AddEntry:  Failed, invalid argument list\n"},
      {"GUIDM_AddEntry('File', 'Open', 'Open', true, 1, 0)",
       "GUIDM AddEntry:  Failed, invalid argument list\n"},
      {"GUIDM_ModifyEntry('File', 'Open', 'Open', 'open.lua', 1, 0, 0)",
       "GUIDM ModifyEntry:  Failed, invalid argument list\n"},
      {"GUIDM_ModifyEntry('File', nil, 'Open', 'open.lua', 1, 0)",
       "GUIDM ModifyEntry:  Failed, invalid argument list\n"},
  };
  ExpectFailures(invalid);

  for (const auto& call : kCalls) {
    ExpectFailure(call[0], std::string(call[1]) + "Failed, Active Object not set\n");
  }
  gui->SetActiveObjectList("Base");
  gui->AddToActiveList("Window", new GUIScrollableWindow());
  for (const auto& call : kCalls) {
    ExpectFailure(call[0], std::string(call[1]) + "Failed, " + call[2] + "\n");
  }
}

TEST_F(GUIListScriptTest, TheFunctionsReachTheirWidgets) {
  Run("GUI_SetActiveObjectList('Base')"
      " GUIOL_AddObject('Box', 'GUIInputBox') GUIT_SetString('abc')"
      " GUIOL_AddObject('Bar', 'GUIScrollBar') GUISB_SetScrollData(10.9, 20, 60.5, 8, 0)"
      " GUIOL_AddObject('Menu', 'GUIDropMenu') GUIG_SetDimensions(0, 100, 200, 0)"
      " GUIDM_AddField('File') GUIDM_AddEntry('File', 'Open', 'Open', 'open.lua', 2.7, 0.5)"
      " GUIDM_ModifyEntry('File', 'Open', 'Opened', 'opened.lua', -3.5, 0)"
      " GUIOL_AddObject('List', 'GUIList') GUIG_SetDimensions(0, 200, 100, 0)"
      " GUIL_SetListSize(-2) GUIL_SetListSize(2.9)"
      " GUIL_SetListEntry(1.5, 'GUI', 'Box', 'String', 'GUI', 'Box', 'Length')");
  auto* bar = static_cast<GUIScrollBar*>(gui->FindQuietly("Bar"));
  EXPECT_FALSE(bar->IsVertical());
  EXPECT_EQ(bar->GetLeft(), 10);
  EXPECT_EQ(bar->GetWidth(), 60);
  EXPECT_EQ(bar->GetHighest(), 36);
  auto* menu = static_cast<GUIDropMenu*>(gui->FindQuietly("Menu"));
  const GUIDropMenuEntry* entry = menu->FindEntry("File", "Open");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(*entry->GetText(), "Opened");
  EXPECT_EQ(*entry->GetScript(), "opened.lua");
  EXPECT_EQ(entry->GetScriptCode(), -3);
  EXPECT_TRUE(entry->IsLinked());
  EXPECT_EQ(menu->GetHeight(), 36);
  auto* list = static_cast<GUIList*>(gui->FindQuietly("List"));
  EXPECT_EQ(list->GetEntryCount(), 2);
  EXPECT_EQ(list->GetHeight(), 36);
  ASSERT_NE(list->GetEntryText(1), nullptr);
  EXPECT_EQ(*list->GetEntryText(1), "abc");
  EXPECT_NE(log.Text().find("Name is abc, points to "), std::string::npos);
}

// The GUI's functions in the order they are registered.
const char* const kGUIRegistration[] = {
    "GUI_HideAllObjects",
    "GUI_SetActiveObject",
    "GUI_SetActiveObjectList",
    "GUIOL_AddObject",
    "GUI_SetActiveObjectAndListFromBase",
    "GUIG_Show",
    "GUIG_Hide",
    "GUIG_Flip",
    "GUIG_SetLock",
    "GUIG_SetDimensions",
    "GUIG_SetBorderImages",
    "GUIB_SetImages",
    "GUIB_SetDisplayData",
    "GUIB_SetScriptData",
    "GUIB_SetFunctionData",
    "GUICB_SetFiringData",
    "GUIDM_AddField",
    "GUIDM_AddEntry",
    "GUIDM_ModifyEntry",
    "GUIColB_SetColorData",
    "GUII_SetImage",
    "GUISI_SetImage",
    "GUIL_SetListSize",
    "GUIL_SetListEntry",
    "GUISB_SetScrollData",
    "GUIITB_SetSystemData",
    "GUIT_SetString",
    "GUISTL_WatchProperty",
    "GUIRSW_SetBackgroundPic",
    "GUIRSW_SetWindowDimensions",
    "GUIRSW_SetPictureDimensions",
    "GUIRSW_SetWindowBorderWidth",
    "GUISW_SetBackgroundPic",
    "GUISW_SetWindowDimensions",
    "GUISW_SetPictureDimensions",
    "GUISW_SetWindowBorderWidth",
    "GUIW_SetBackgroundColor",
};

// The registration as a script sees it: the program's families registered one after another on a
// bare state, each family's new globals read from Lua once its functions are registered, every one
// a script function that carries its own name.
TEST(GUIRegistration, ReadFromLuaItIsTheWholeTableInOrder) {
  // The GUI's families: those of the program's list that hold a GUI function.
  const auto isGUI = [](const ScriptFunction& function) {
    return std::any_of(std::begin(kGUIRegistration), std::end(kGUIRegistration),
                       [&](const char* name) { return std::string(name) == function.name; });
  };
  std::vector<std::string> table;
  std::vector<const ScriptFamily*> guiFamilies;
  for (const ScriptFamily* family : ProgramScriptFamilies()) {
    if (std::none_of(family->functions.begin(), family->functions.end(), isGUI)) continue;
    guiFamilies.push_back(family);
    for (const ScriptFunction& function : family->functions) table.push_back(function.name);
  }
  EXPECT_EQ(table,
            std::vector<std::string>(std::begin(kGUIRegistration), std::end(kGUIRegistration)));

  lua_State* state = luaL_newstate();
  luaL_openlibs(state);
  // Lists the globals that are not in the table "seen" and adds them to it.
  ASSERT_EQ(luaL_dostring(state,
                          "seen = {} for k in pairs(_G) do seen[k] = true end seen.seen = true\n"
                          "function NewGlobals()\n"
                          "  local new = {}\n"
                          "  for k, v in pairs(_G) do\n"
                          "    if not seen[k] then\n"
                          "      seen[k] = true\n"
                          "      new[#new + 1] = k\n"
                          "    end\n"
                          "  end\n"
                          "  return new\n"
                          "end\n"),
            0);
  std::vector<std::string> registered;
  for (const ScriptFamily* family : ProgramScriptFamilies()) {
    if (!family->RegistersWithLuaManager()) continue;
    RegisterScriptFunctions(state, family->functions);
    lua_getglobal(state, "NewGlobals");
    ASSERT_EQ(lua_pcall(state, 0, 1, 0), 0);
    std::vector<std::string> block;
    for (int i = 1; i <= static_cast<int>(lua_objlen(state, -1)); ++i) {
      lua_rawgeti(state, -1, i);
      const std::string name = lua_tostring(state, -1);
      lua_pop(state, 1);
      // A registered function carries its own name (Lua's debug library cannot read a C
      // function's upvalue, so it is read here).
      lua_getglobal(state, name.c_str());
      const char* carried = lua_iscfunction(state, -1) ? lua_getupvalue(state, -1, 1) : nullptr;
      const bool named =
          carried != nullptr && lua_isstring(state, -1) && lua_tostring(state, -1) == name;
      lua_settop(state, carried != nullptr ? -3 : -2);
      block.push_back(named ? name : "not a registered function: " + name);
    }
    lua_pop(state, 1);
    // Within one family Lua keeps no order: the family's block is placed in the table's order.
    std::vector<std::string> ordered;
    const bool gui = std::find(guiFamilies.begin(), guiFamilies.end(), family) != guiFamilies.end();
    for (const ScriptFunction& row : gui ? family->functions : std::span<const ScriptFunction>()) {
      const auto found = std::find(block.begin(), block.end(), row.name);
      if (found != block.end()) {
        ordered.push_back(*found);
        block.erase(found);
      }
    }
    EXPECT_TRUE(ordered.empty() || block.empty())
        << "a GUI family registers " << block.front() << " beside its rows";
    registered.insert(registered.end(), ordered.begin(), ordered.end());
  }
  lua_close(state);
  EXPECT_EQ(registered, table);
}

}  // namespace
