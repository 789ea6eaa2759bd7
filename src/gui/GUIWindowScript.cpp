// The windows' script functions: the resizable window's ("GUIRSW_"), the scrollable window's
// ("GUISW_") and the plain window's ("GUIW_").

#include "core/script/ScriptCall.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollableWindow.h"
#include "gui/GUIWidgetScript.h"
#include "gui/GUIWindow.h"

namespace {

void SetBackgroundColor(GUIWindow& window, const ScriptCall& call) {
  window.SetBackgroundColor(call.Integer(1), call.Integer(2), call.Integer(3));
}
void SetScrollablePicture(GUIScrollableWindow& window, const ScriptCall& call) {
  window.setBackgroundPic(call.Text(1));
}
void SetResizePicture(GUIResizeWindow& window, const ScriptCall& call) {
  window.SetBackgroundPic(call.Text(1));
}
template <class Widget>
void SetPictureDimensions(Widget& window, const ScriptCall& call) {
  window.SetPictureDimensions(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4));
}
template <class Widget>
void SetWindowBorderWidth(Widget& window, const ScriptCall& call) {
  window.SetBorderWidth(call.Integer(1));
}

constexpr char kNotAWindow[] = "Active Object is not a GUIWindow";
constexpr char kNotAScrollableWindow[] = "Active Object is not a GUIScrollableWindow";
constexpr char kNotAResizeWindow[] = "Active Object is not a GUIResizeWindow";
using Window = WidgetKind<GUIWindow, kNotAWindow>;
using Scrollable = WidgetKind<GUIScrollableWindow, kNotAScrollableWindow>;
using Resize = WidgetKind<GUIResizeWindow, kNotAResizeWindow>;

constexpr char kRswSetBackgroundPic[] = "GUIRSW SetBackgroundPic";
constexpr char kRswSetWindowDimensions[] = "GUIRSW SetWindowDimensions";
constexpr char kRswSetPictureDimensions[] = "GUIRSW SetPictureDimensions";
constexpr char kRswSetWindowBorderWidth[] = "GUIRSW SetWindowBorderWidth";
constexpr char kSwSetBackgroundPic[] = "GUISW SetBackgroundPic";
constexpr char kSwSetWindowDimensions[] = "GUISW SetWindowDimentions";
constexpr char kSwSetPictureDimensions[] = "GUISW SetPictureDimentions";
constexpr char kSwSetWindowBorderWidth[] = "GUISW SetWindowBorderWidth";
constexpr char kWSetBackgroundColor[] = "GUIW SetBackgroundColor";

const ScriptFunction kWindowFunctions[] = {
    ScriptEntry<WidgetFunction<kRswSetBackgroundPic, Resize, 1, kText1, SetResizePicture>>(
        "GUIRSW_SetBackgroundPic"),
    ScriptEntry<WidgetFunction<kRswSetWindowDimensions, Resize, 4, kNoTexts,
                               SetDimensions<GUIResizeWindow>>>("GUIRSW_SetWindowDimensions"),
    ScriptEntry<WidgetFunction<kRswSetPictureDimensions, Resize, 4, kNoTexts,
                               SetPictureDimensions<GUIResizeWindow>>>(
        "GUIRSW_SetPictureDimensions"),
    ScriptEntry<WidgetFunction<kRswSetWindowBorderWidth, Resize, 1, kNoTexts,
                               SetWindowBorderWidth<GUIResizeWindow>>>(
        "GUIRSW_SetWindowBorderWidth"),
    ScriptEntry<WidgetFunction<kSwSetBackgroundPic, Scrollable, 1, kText1, SetScrollablePicture>>(
        "GUISW_SetBackgroundPic"),
    ScriptEntry<WidgetFunction<kSwSetWindowDimensions, Scrollable, 4, kNoTexts,
                               SetDimensions<GUIScrollableWindow>>>("GUISW_SetWindowDimensions"),
    ScriptEntry<WidgetFunction<kSwSetPictureDimensions, Scrollable, 4, kNoTexts,
                               SetPictureDimensions<GUIScrollableWindow>>>(
        "GUISW_SetPictureDimensions"),
    ScriptEntry<WidgetFunction<kSwSetWindowBorderWidth, Scrollable, 1, kNoTexts,
                               SetWindowBorderWidth<GUIScrollableWindow>>>(
        "GUISW_SetWindowBorderWidth"),
    ScriptEntry<WidgetFunction<kWSetBackgroundColor, Window, 3, kNoTexts, SetBackgroundColor>>(
        "GUIW_SetBackgroundColor"),
};

}  // namespace

const ScriptFamily kGUIWindowFamily = {"GUIWindows", ScriptTiming::WithLuaManager,
                                       kWindowFunctions};
