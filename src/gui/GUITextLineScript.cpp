// The text widgets' script functions: the input box's ("GUIITB_"), every text line's ("GUIT_")
// and the smart text line's ("GUISTL_").

#include "core/script/ScriptCall.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUISmartTextLine.h"
#include "gui/GUITextLine.h"
#include "gui/GUIWidgetScript.h"

namespace {

void SetInputSystemData(GUIInputTextBox& box, const ScriptCall& call) {
  box.SetSystemData(call.Integer(1), call.Flag(2));
}
void SetString(GUITextLine& line, const ScriptCall& call) { line.SetString(call.Text(1)); }
void WatchProperty(GUISmartTextLine& line, const ScriptCall& call) {
  line.WatchProperty(call.Text(1), call.Text(2), call.Text(3));
}

constexpr char kNotAnInputTextBox[] = "Active Object is not a GUIInputTextBox";
constexpr char kNotASmartTextLine[] = "Active Object is not a GUISmartTextLine";
using InputTextBox = WidgetKind<GUIInputTextBox, kNotAnInputTextBox>;
using SmartTextLine = WidgetKind<GUISmartTextLine, kNotASmartTextLine>;

// "GUIT_SetString" takes the whole family of text widgets, with a line of its own.
struct AnyTextLine {
  using Widget = GUITextLine;
  static constexpr const char* kWrongType = "object is not a Text Line";
  static bool Fits(const GUIBaseObject& object) {
    return object.GetType() >= GUITextLine::kFirstTypeCode &&
           object.GetType() <= GUITextLine::kLastTypeCode;
  }
};

constexpr char kSetSystemData[] = "GUIITB SetSystemData";
constexpr char kSetSystemDataInvalid[] = "GUIITB SetSystemData:  Failed, Invalid argument list\n";
constexpr char kSetString[] = "GUIT SetString";
constexpr char kWatchProperty[] = "GUISTL WatchProperty";

const ScriptFunction kTextLineFunctions[] = {
    ScriptEntry<WidgetFunction<kSetSystemData, InputTextBox, 2, kNoTexts, SetInputSystemData,
                               kSetSystemDataInvalid>>("GUIITB_SetSystemData"),
    ScriptEntry<WidgetFunction<kSetString, AnyTextLine, 1, kText1, SetString>>("GUIT_SetString"),
    ScriptEntry<WidgetFunction<kWatchProperty, SmartTextLine, 3, kTexts123, WatchProperty>>(
        "GUISTL_WatchProperty"),
};

}  // namespace

const ScriptFamily kGUITextLineFamily = {"GUITextLines", ScriptTiming::WithLuaManager,
                                         kTextLineFunctions};
