// The GUI's script functions: selecting the active list and object, adding widgets, the functions
// every widget takes, and the windows'. None returns a result. Every one checks, in this order, its
// argument count (and texts), the GUI manager, the active object and, for a widget family, the
// active object's type code, and stops at the first failure with its own line.

#include "gui/GUIScript.h"

#include <bit>
#include <memory>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptRegistrars.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIDropMenu.h"
#include "gui/GUIImage.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUIList.h"
#include "gui/GUIManager.h"
#include "gui/GUIObjectFactory.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollBar.h"
#include "gui/GUIScrollableWindow.h"
#include "gui/GUISmartImage.h"
#include "gui/GUISmartTextLine.h"
#include "gui/GUITextLine.h"
#include "gui/GUIWindow.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

// The class name a family's wrong-type line ends with; none for functions that take any widget.
template <class Widget>
constexpr const char* kClassName = nullptr;
template <>
constexpr const char* kClassName<GUIWindow> = "GUIWindow";
template <>
constexpr const char* kClassName<GUIScrollableWindow> = "GUIScrollableWindow";
template <>
constexpr const char* kClassName<GUIResizeWindow> = "GUIResizeWindow";
template <>
constexpr const char* kClassName<GUIButton> = "GUIButton";
template <>
constexpr const char* kClassName<GUIInputTextBox> = "GUIInputTextBox";
template <>
constexpr const char* kClassName<GUISmartTextLine> = "GUISmartTextLine";
template <>
constexpr const char* kClassName<GUIImage> = "GUIImage";
template <>
constexpr const char* kClassName<GUISmartImage> = "SmartImage";
template <>
constexpr const char* kClassName<GUICheckBox> = "GUICheckBox";
template <>
constexpr const char* kClassName<GUIColorBox> = "GUIColorBox";
template <>
constexpr const char* kClassName<GUIDropMenu> = "GUIDropMenu";
template <>
constexpr const char* kClassName<GUIList> = "GUIList";

// The text lines take the whole family of text widgets, with a line of their own.
template <class Widget>
bool OfFamily(const GUIBaseObject& object) {
  if constexpr (std::is_same_v<Widget, GUITextLine>) {
    return object.GetType() >= GUITextLine::kFirstTypeCode &&
           object.GetType() <= GUITextLine::kLastTypeCode;
  } else {
    return object.GetType() == Widget::kTypeCode;
  }
}

// The active object as the family's widget, after the active-object and type checks.
template <class Widget>
Widget* ActiveWidget(ScriptCall& call, const GUIManager& gui) {
  GUIBaseObject* active = gui.GetActiveObject();
  if (active == nullptr) {
    call.Fail("Active Object not set");
    return nullptr;
  }
  if constexpr (std::is_same_v<Widget, GUITextLine>) {
    if (!OfFamily<Widget>(*active)) {
      call.Fail("object is not a Text Line");
      return nullptr;
    }
  } else if constexpr (std::is_same_v<Widget, GUIScrollBar>) {
    if (!OfFamily<Widget>(*active)) {
      call.Fail("Active Object was not a GUIScrollbar");
      return nullptr;
    }
  } else if constexpr (kClassName<Widget> != nullptr) {
    if (!OfFamily<Widget>(*active)) {
      call.Fail("Active Object is not a %s", kClassName<Widget>);
      return nullptr;
    }
  }
  return static_cast<Widget*>(active);
}

constexpr int kUncounted = -1;

// Which arguments are required texts, one bit each from argument 1.
constexpr unsigned kNoTexts = 0b0000;
constexpr unsigned kText1 = 0b0001;
constexpr unsigned kTexts123 = 0b0111;
constexpr unsigned kTexts13 = 0b0101;
constexpr unsigned kTexts1234 = 0b1111;
constexpr unsigned kTexts234567 = 0b1111110;

// Begin with a slot for each argument up to the last required text: a text where Texts has its
// bit, a skipped argument elsewhere.
template <unsigned Texts, size_t... Index>
GUIManager* BeginWithTexts(ScriptCall& call, Arity arity, std::index_sequence<Index...>) {
  std::tuple<std::conditional_t<((Texts >> Index) & 1u) != 0, const char*, const SkipArgument>...>
      slots{};
  return std::apply([&](auto&... slot) { return call.Begin(arity, gGUIManager, slot...); }, slots);
}

// A function on the active widget of one family: Count arguments (any for kUncounted), the texts
// of Texts, then Act. A family whose invalid-argument line has its own wording passes it whole.
template <const char* Label, class Widget, int Count, unsigned Texts,
          void (*Act)(Widget&, const ScriptCall&), const char* InvalidLine = nullptr,
          const char* Separator = ScriptCall::kTwoBlanks>
int WidgetFunction(lua_State* state) {
  ScriptCall call(state, Label, InvalidLine, Separator);
  const Arity arity = Count == kUncounted ? Arity::Any() : Arity(Count);
  GUIManager* gui =
      BeginWithTexts<Texts>(call, arity, std::make_index_sequence<std::bit_width(Texts)>());
  if (gui == nullptr) return 0;
  if (Widget* widget = ActiveWidget<Widget>(call, *gui)) Act(*widget, call);
  return 0;
}

// The widget base.

void Show(GUIBaseObject& object, const ScriptCall&) { object.Show(); }
void Hide(GUIBaseObject& object, const ScriptCall&) { object.Hide(); }
void Flip(GUIBaseObject& object, const ScriptCall&) { object.Flip(); }
void SetLock(GUIBaseObject& object, const ScriptCall& call) { object.SetLock(call.Integer(1)); }

template <class Widget>
void SetDimensions(Widget& object, const ScriptCall& call) {
  object.SetDimensions(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4));
}

ImageObject* WindowImage(const char* name) {
  return gDataLibrary != nullptr
             ? gDataLibrary->GetEntry<ImageObject>("Images", "GUI", "Windows", name)
             : nullptr;
}

void SetBorderImages(GUIBaseObject& object, const ScriptCall& call) {
  // One look-up per statement: the library's warnings come out in the arguments' order.
  ImageObject* corner = WindowImage(call.Text(1));
  ImageObject* horizontal = WindowImage(call.Text(2));
  ImageObject* vertical = WindowImage(call.Text(3));
  object.SetBorderImages(corner, horizontal, vertical);
}

// The windows.

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

// The buttons, text lines, images and boxes.

void SetButtonImages(GUIButton& button, const ScriptCall& call) {
  button.SetImages(call.Text(1), call.Text(2), call.Text(3));
}
void SetButtonDisplayData(GUIButton& button, const ScriptCall& call) {
  button.SetDisplayData(call.Integer(1), call.Integer(2));
}
void SetButtonScriptData(GUIButton& button, const ScriptCall& call) {
  button.SetScriptData(call.Text(1), call.Integer(2));
}
void SetButtonFunction(GUIButton& button, const ScriptCall& call) {
  button.SetFunction(call.Text(1));
}
void SetString(GUITextLine& line, const ScriptCall& call) { line.SetString(call.Text(1)); }
void SetInputSystemData(GUIInputTextBox& box, const ScriptCall& call) {
  box.SetSystemData(call.Integer(1), call.Flag(2));
}
void WatchProperty(GUISmartTextLine& line, const ScriptCall& call) {
  line.WatchProperty(call.Text(1), call.Text(2), call.Text(3));
}
void SetImage(GUIImage& image, const ScriptCall& call) { image.SetImage(call.Text(1)); }
void SetSmartImage(GUISmartImage& image, const ScriptCall& call) {
  image.SetImage(call.Text(1), call.Text(2), call.Text(3));
}
void SetFiringData(GUICheckBox& box, const ScriptCall& call) {
  box.SetFiringData(call.Text(1), call.Integer(2), call.Text(3), call.Integer(4));
}
void SetColorData(GUIColorBox& box, const ScriptCall& call) {
  box.SetColorData(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4));
}

// The scroll bars, lists and drop menus.

void SetScrollData(GUIScrollBar& bar, const ScriptCall& call) {
  bar.SetScrollData(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4),
                    call.Flag(5));
}
void SetListSize(GUIList& list, const ScriptCall& call) { list.SetListSize(call.Integer(1)); }
void SetListEntry(GUIList& list, const ScriptCall& call) {
  list.SetListEntry(call.Integer(1), call.Text(2), call.Text(3), call.Text(4), call.Text(5),
                    call.Text(6), call.Text(7));
}
void AddField(GUIDropMenu& menu, const ScriptCall& call) { menu.AddField(call.Text(1)); }
void AddEntry(GUIDropMenu& menu, const ScriptCall& call) {
  menu.AddEntry(call.Text(1), call.Text(2), call.Text(3), call.Text(4), call.Integer(5),
                call.Flag(6));
}
void ModifyEntry(GUIDropMenu& menu, const ScriptCall& call) {
  menu.ModifyEntry(call.Text(1), call.Text(2), call.Text(3), call.Text(4), call.Integer(5),
                   call.Flag(6));
}

// The GUI manager's.

int HideAllObjects(lua_State* state) {
  ScriptCall call(state, "GUI HideAllObjects");
  if (GUIManager* gui = call.Begin(Arity::Any(), gGUIManager)) gui->HideAllObjects();
  return 0;
}

int SetActiveObject(lua_State* state) {
  ScriptCall call(state, "GUI SetActiveObject");
  const char* name;
  GUIManager* gui = call.Begin(1, gGUIManager, name);
  if (gui == nullptr) return 0;
  if (gui->GetActiveList() == nullptr) return call.Fail("Active Object List was not set");
  if (!gui->SetActiveObjectByName(name)) call.Warn("Object %s not found", name);
  return 0;
}

int SetActiveObjectList(lua_State* state) {
  ScriptCall call(state, "GUI SetActiveObjectList");
  const char* name;
  GUIManager* gui = call.Begin(1, gGUIManager, name);
  if (gui != nullptr && !gui->SetActiveObjectList(name)) {
    call.Warn("list owner %s not found", name);
  }
  return 0;
}

int AddObject(lua_State* state) {
  ScriptCall call(state, "GUIOL AddObject",
                  "GUIOL AddObject:  Failed, not enough args to determine type\n");
  const char* name;
  const char* typeName;
  GUIManager* gui = call.Begin(Arity::AtLeast(2), gGUIManager, name, typeName);
  if (gui == nullptr) return 0;
  if (gui->GetActiveList() == nullptr) {
    Log("GUIOL AddObject: Failed, Active Object List not set\n");
    return 0;
  }
  std::unique_ptr<GUIBaseObject> object = CreateGUIObject(typeName);
  if (object == nullptr) return call.Fail("could not discern type %s", typeName);
  gui->AddToActiveList(name, object.release());
  return 0;
}

int SetActiveObjectAndListFromBase(lua_State* state) {
  ScriptCall call(state, "GUI SetActiveObjectAndListFromBase");
  const char* name;
  GUIManager* gui = call.Begin(1, gGUIManager, name);
  if (gui != nullptr && !gui->SetActiveObjectAndListFromBase(name)) {
    call.Warn("object %s not found", name);
  }
  return 0;
}

constexpr char kShow[] = "GUIG Show";
constexpr char kHide[] = "GUIG Hide";
constexpr char kFlip[] = "GUIG Flip";
constexpr char kSetLock[] = "GUIG SetLock";
constexpr char kSetDimensions[] = "GUIG SetDimensions";
constexpr char kSetBorderImages[] = "GUIG SetBorderImages";
constexpr char kRswSetBackgroundPic[] = "GUIRSW SetBackgroundPic";
constexpr char kRswSetWindowDimensions[] = "GUIRSW SetWindowDimensions";
constexpr char kRswSetPictureDimensions[] = "GUIRSW SetPictureDimensions";
constexpr char kRswSetWindowBorderWidth[] = "GUIRSW SetWindowBorderWidth";
constexpr char kSwSetBackgroundPic[] = "GUISW SetBackgroundPic";
constexpr char kSwSetWindowDimensions[] = "GUISW SetWindowDimentions";
constexpr char kSwSetPictureDimensions[] = "GUISW SetPictureDimentions";
constexpr char kSwSetWindowBorderWidth[] = "GUISW SetWindowBorderWidth";
constexpr char kWSetBackgroundColor[] = "GUIW SetBackgroundColor";
constexpr char kBSetImages[] = "GUIB SetImages";
constexpr char kBSetDisplayData[] = "GUIB SetDisplayData";
constexpr char kBSetScriptData[] = "GUIB SetScriptData";
constexpr char kBSetFunctionData[] = "GUIB SetFunctionData";
constexpr char kCBSetFiringData[] = "GUICB SetFiringData";
constexpr char kColBSetColorData[] = "GUIColB SetColorData";
constexpr char kDMAddField[] = "GUIDM AddField";
constexpr char kDMAddEntry[] = "GUIDM AddEntry";
constexpr char kDMModifyEntry[] = "GUIDM ModifyEntry";
constexpr char kLSetListSize[] = "GUIL SetListSize";
constexpr char kLSetListEntry[] = "GUIL SetListEntry";
constexpr char kSBSetScrollData[] = "GUISB SetScrollData";
// One blank after the colon in every line of its own.
constexpr char kISetImage[] = "GUII SetImage";
constexpr char kSISetImage[] = "GUISI SetImage";
constexpr char kITBSetSystemData[] = "GUIITB SetSystemData";
constexpr char kITBSetSystemDataInvalid[] =
    "GUIITB SetSystemData:  Failed, Invalid argument list\n";
constexpr char kTSetString[] = "GUIT SetString";
constexpr char kSTLWatchProperty[] = "GUISTL WatchProperty";

using Base = GUIBaseObject;
using Scrollable = GUIScrollableWindow;
using Resize = GUIResizeWindow;

const ScriptFunction kGUIFunctions[] = {
    ScriptEntry<HideAllObjects>("GUI_HideAllObjects"),
    ScriptEntry<SetActiveObject>("GUI_SetActiveObject"),
    ScriptEntry<SetActiveObjectList>("GUI_SetActiveObjectList"),
    ScriptEntry<AddObject>("GUIOL_AddObject"),
    ScriptEntry<SetActiveObjectAndListFromBase>("GUI_SetActiveObjectAndListFromBase"),
    ScriptEntry<WidgetFunction<kShow, Base, kUncounted, kNoTexts, Show>>("GUIG_Show"),
    ScriptEntry<WidgetFunction<kHide, Base, kUncounted, kNoTexts, Hide>>("GUIG_Hide"),
    ScriptEntry<WidgetFunction<kFlip, Base, kUncounted, kNoTexts, Flip>>("GUIG_Flip"),
    ScriptEntry<WidgetFunction<kSetLock, Base, kUncounted, kNoTexts, SetLock>>("GUIG_SetLock"),
    ScriptEntry<WidgetFunction<kSetDimensions, Base, 4, kNoTexts, SetDimensions<Base>>>(
        "GUIG_SetDimensions"),
    ScriptEntry<WidgetFunction<kSetBorderImages, Base, 3, kTexts123, SetBorderImages>>(
        "GUIG_SetBorderImages"),
    ScriptEntry<WidgetFunction<kBSetImages, GUIButton, 3, kTexts123, SetButtonImages>>(
        "GUIB_SetImages"),
    ScriptEntry<WidgetFunction<kBSetDisplayData, GUIButton, 2, kNoTexts, SetButtonDisplayData>>(
        "GUIB_SetDisplayData"),
    ScriptEntry<WidgetFunction<kBSetScriptData, GUIButton, 2, kText1, SetButtonScriptData>>(
        "GUIB_SetScriptData"),
    ScriptEntry<WidgetFunction<kBSetFunctionData, GUIButton, 1, kText1, SetButtonFunction>>(
        "GUIB_SetFunctionData"),
    ScriptEntry<WidgetFunction<kCBSetFiringData, GUICheckBox, 4, kTexts13, SetFiringData>>(
        "GUICB_SetFiringData"),
    ScriptEntry<WidgetFunction<kDMAddField, GUIDropMenu, 1, kText1, AddField>>("GUIDM_AddField"),
    ScriptEntry<WidgetFunction<kDMAddEntry, GUIDropMenu, 6, kTexts1234, AddEntry>>(
        "GUIDM_AddEntry"),
    ScriptEntry<WidgetFunction<kDMModifyEntry, GUIDropMenu, 6, kTexts1234, ModifyEntry>>(
        "GUIDM_ModifyEntry"),
    ScriptEntry<WidgetFunction<kColBSetColorData, GUIColorBox, 4, kNoTexts, SetColorData>>(
        "GUIColB_SetColorData"),
    ScriptEntry<
        WidgetFunction<kISetImage, GUIImage, 1, kText1, SetImage, nullptr, ScriptCall::kOneBlank>>(
        "GUII_SetImage"),
    ScriptEntry<WidgetFunction<kSISetImage, GUISmartImage, 3, kTexts123, SetSmartImage>>(
        "GUISI_SetImage"),
    ScriptEntry<WidgetFunction<kLSetListSize, GUIList, 1, kNoTexts, SetListSize>>(
        "GUIL_SetListSize"),
    ScriptEntry<WidgetFunction<kLSetListEntry, GUIList, 7, kTexts234567, SetListEntry>>(
        "GUIL_SetListEntry"),
    ScriptEntry<WidgetFunction<kSBSetScrollData, GUIScrollBar, 5, kNoTexts, SetScrollData>>(
        "GUISB_SetScrollData"),
    ScriptEntry<WidgetFunction<kITBSetSystemData, GUIInputTextBox, 2, kNoTexts, SetInputSystemData,
                               kITBSetSystemDataInvalid>>("GUIITB_SetSystemData"),
    ScriptEntry<WidgetFunction<kTSetString, GUITextLine, 1, kText1, SetString>>("GUIT_SetString"),
    ScriptEntry<WidgetFunction<kSTLWatchProperty, GUISmartTextLine, 3, kTexts123, WatchProperty>>(
        "GUISTL_WatchProperty"),
    ScriptEntry<WidgetFunction<kRswSetBackgroundPic, Resize, 1, kText1, SetResizePicture>>(
        "GUIRSW_SetBackgroundPic"),
    ScriptEntry<
        WidgetFunction<kRswSetWindowDimensions, Resize, 4, kNoTexts, SetDimensions<Resize>>>(
        "GUIRSW_SetWindowDimensions"),
    ScriptEntry<WidgetFunction<kRswSetPictureDimensions, Resize, 4, kNoTexts,
                               SetPictureDimensions<Resize>>>("GUIRSW_SetPictureDimensions"),
    ScriptEntry<WidgetFunction<kRswSetWindowBorderWidth, Resize, 1, kNoTexts,
                               SetWindowBorderWidth<Resize>>>("GUIRSW_SetWindowBorderWidth"),
    ScriptEntry<WidgetFunction<kSwSetBackgroundPic, Scrollable, 1, kText1, SetScrollablePicture>>(
        "GUISW_SetBackgroundPic"),
    ScriptEntry<
        WidgetFunction<kSwSetWindowDimensions, Scrollable, 4, kNoTexts, SetDimensions<Scrollable>>>(
        "GUISW_SetWindowDimensions"),
    ScriptEntry<WidgetFunction<kSwSetPictureDimensions, Scrollable, 4, kNoTexts,
                               SetPictureDimensions<Scrollable>>>("GUISW_SetPictureDimensions"),
    ScriptEntry<WidgetFunction<kSwSetWindowBorderWidth, Scrollable, 1, kNoTexts,
                               SetWindowBorderWidth<Scrollable>>>("GUISW_SetWindowBorderWidth"),
    ScriptEntry<WidgetFunction<kWSetBackgroundColor, GUIWindow, 3, kNoTexts, SetBackgroundColor>>(
        "GUIW_SetBackgroundColor"),
};

}  // namespace

void RegisterGUIFamily(lua_State* state, ScriptFamily family) {
  for (const ScriptRegistration& row : ScriptRegistrations()) {
    if (row.registrar != ScriptRegistrar::GUI || row.family != family) continue;
    for (const ScriptFunction& function : kGUIFunctions) {
      if (std::string_view(function.name) == row.name)
        RegisterScriptFunctions(state, {&function, 1});
    }
  }
}

void RegisterGUIBindings(lua_State* state) { RegisterGUIFamily(state, ScriptFamily::GUI); }
