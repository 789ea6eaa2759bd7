// The check boxes' script function ("GUICB_").

#include "core/script/ScriptCall.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIWidgetScript.h"

namespace {

void SetFiringData(GUICheckBox& box, const ScriptCall& call) {
  box.SetFiringData(call.Text(1), call.Integer(2), call.Text(3), call.Integer(4));
}

constexpr char kNotACheckBox[] = "Active Object is not a GUICheckBox";
using CheckBox = WidgetKind<GUICheckBox, kNotACheckBox>;

constexpr char kSetFiringData[] = "GUICB SetFiringData";

const ScriptFunction kCheckBoxFunctions[] = {
    ScriptEntry<WidgetFunction<kSetFiringData, CheckBox, 4, kTexts13, SetFiringData>>(
        "GUICB_SetFiringData"),
};

}  // namespace

const ScriptFamily kGUICheckBoxFamily = {"GUICheckBoxes", ScriptTiming::WithLuaManager,
                                         kCheckBoxFunctions};
