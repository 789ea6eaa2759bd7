// The colour boxes' script function ("GUIColB_").

#include "core/script/ScriptCall.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIWidgetScript.h"

namespace {

void SetColorData(GUIColorBox& box, const ScriptCall& call) {
  box.SetColorData(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4));
}

constexpr char kNotAColorBox[] = "Active Object is not a GUIColorBox";
using ColorBox = WidgetKind<GUIColorBox, kNotAColorBox>;

constexpr char kSetColorData[] = "GUIColB SetColorData";

const ScriptFunction kColorBoxFunctions[] = {
    ScriptEntry<WidgetFunction<kSetColorData, ColorBox, 4, kNoTexts, SetColorData>>(
        "GUIColB_SetColorData"),
};

}  // namespace

const ScriptFamily kGUIColorBoxFamily = {"GUIColorBoxes", ScriptTiming::WithLuaManager,
                                         kColorBoxFunctions};
