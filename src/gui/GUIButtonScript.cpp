// The buttons' script functions ("GUIB_").

#include "core/script/ScriptCall.h"
#include "gui/GUIButton.h"
#include "gui/GUIWidgetScript.h"

namespace {

void SetImages(GUIButton& button, const ScriptCall& call) {
  button.SetImages(call.Text(1), call.Text(2), call.Text(3));
}
void SetDisplayData(GUIButton& button, const ScriptCall& call) {
  button.SetDisplayData(call.Integer(1), call.Integer(2));
}
void SetScriptData(GUIButton& button, const ScriptCall& call) {
  button.SetScriptData(call.Text(1), call.Integer(2));
}
void SetFunction(GUIButton& button, const ScriptCall& call) { button.SetFunction(call.Text(1)); }

constexpr char kNotAButton[] = "Active Object is not a GUIButton";
using Button = WidgetKind<GUIButton, kNotAButton>;

constexpr char kSetImages[] = "GUIB SetImages";
constexpr char kSetDisplayData[] = "GUIB SetDisplayData";
constexpr char kSetScriptData[] = "GUIB SetScriptData";
constexpr char kSetFunctionData[] = "GUIB SetFunctionData";

const ScriptFunction kButtonFunctions[] = {
    ScriptEntry<WidgetFunction<kSetImages, Button, 3, kTexts123, SetImages>>("GUIB_SetImages"),
    ScriptEntry<WidgetFunction<kSetDisplayData, Button, 2, kNoTexts, SetDisplayData>>(
        "GUIB_SetDisplayData"),
    ScriptEntry<WidgetFunction<kSetScriptData, Button, 2, kText1, SetScriptData>>(
        "GUIB_SetScriptData"),
    ScriptEntry<WidgetFunction<kSetFunctionData, Button, 1, kText1, SetFunction>>(
        "GUIB_SetFunctionData"),
};

}  // namespace

const ScriptFamily kGUIButtonFamily = {"GUIButtons", ScriptTiming::WithLuaManager,
                                       kButtonFunctions};
