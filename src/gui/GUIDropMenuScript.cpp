// The drop menus' script functions ("GUIDM_").

#include "core/script/ScriptCall.h"
#include "gui/GUIDropMenu.h"
#include "gui/GUIWidgetScript.h"

namespace {

void AddField(GUIDropMenu& menu, const ScriptCall& call) { menu.AddField(call.Text(1)); }
void AddEntry(GUIDropMenu& menu, const ScriptCall& call) {
  menu.AddEntry(call.Text(1), call.Text(2), call.Text(3), call.Text(4), call.Integer(5),
                call.Flag(6));
}
void ModifyEntry(GUIDropMenu& menu, const ScriptCall& call) {
  menu.ModifyEntry(call.Text(1), call.Text(2), call.Text(3), call.Text(4), call.Integer(5),
                   call.Flag(6));
}

constexpr char kNotADropMenu[] = "Active Object is not a GUIDropMenu";
using DropMenu = WidgetKind<GUIDropMenu, kNotADropMenu>;

constexpr char kAddField[] = "GUIDM AddField";
constexpr char kAddEntry[] = "GUIDM AddEntry";
constexpr char kModifyEntry[] = "GUIDM ModifyEntry";

const ScriptFunction kDropMenuFunctions[] = {
    ScriptEntry<WidgetFunction<kAddField, DropMenu, 1, kText1, AddField>>("GUIDM_AddField"),
    ScriptEntry<WidgetFunction<kAddEntry, DropMenu, 6, kTexts1234, AddEntry>>("GUIDM_AddEntry"),
    ScriptEntry<WidgetFunction<kModifyEntry, DropMenu, 6, kTexts1234, ModifyEntry>>(
        "GUIDM_ModifyEntry"),
};

}  // namespace

const ScriptFamily kGUIDropMenuFamily = {"GUIDropMenus", ScriptTiming::WithLuaManager,
                                         kDropMenuFunctions};
