// The scroll bars' script function ("GUISB_").

#include "core/script/ScriptCall.h"
#include "gui/GUIScrollBar.h"
#include "gui/GUIWidgetScript.h"

namespace {

void SetScrollData(GUIScrollBar& bar, const ScriptCall& call) {
  bar.SetScrollData(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4),
                    call.Flag(5));
}

constexpr char kNotAScrollBar[] = "Active Object was not a GUIScrollbar";
using ScrollBar = WidgetKind<GUIScrollBar, kNotAScrollBar>;

constexpr char kSetScrollData[] = "GUISB SetScrollData";

const ScriptFunction kScrollBarFunctions[] = {
    ScriptEntry<WidgetFunction<kSetScrollData, ScrollBar, 5, kNoTexts, SetScrollData>>(
        "GUISB_SetScrollData"),
};

}  // namespace

const ScriptFamily kGUIScrollBarFamily = {"GUIScrollBars", ScriptTiming::WithLuaManager,
                                          kScrollBarFunctions};
