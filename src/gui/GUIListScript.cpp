// The lists' script functions ("GUIL_").

#include "core/script/ScriptCall.h"
#include "gui/GUIList.h"
#include "gui/GUIWidgetScript.h"

namespace {

void SetListSize(GUIList& list, const ScriptCall& call) { list.SetListSize(call.Integer(1)); }
void SetListEntry(GUIList& list, const ScriptCall& call) {
  list.SetListEntry(call.Integer(1), call.Text(2), call.Text(3), call.Text(4), call.Text(5),
                    call.Text(6), call.Text(7));
}

constexpr char kNotAList[] = "Active Object is not a GUIList";
using List = WidgetKind<GUIList, kNotAList>;

constexpr char kSetListSize[] = "GUIL SetListSize";
constexpr char kSetListEntry[] = "GUIL SetListEntry";

const ScriptFunction kListFunctions[] = {
    ScriptEntry<WidgetFunction<kSetListSize, List, 1, kNoTexts, SetListSize>>("GUIL_SetListSize"),
    ScriptEntry<WidgetFunction<kSetListEntry, List, 7, kTexts234567, SetListEntry>>(
        "GUIL_SetListEntry"),
};

}  // namespace

const ScriptFamily kGUIListFamily = {"GUILists", ScriptTiming::WithLuaManager, kListFunctions};
