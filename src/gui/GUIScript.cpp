// The GUI's script functions: selecting the active list and object, adding widgets, the functions
// every widget takes, and the windows'. None returns a result. Every one checks, in this order, its
// argument count (and texts), the GUI manager, the active object and, for a widget family, the
// active object's type code, and stops at the first failure with its own line.

#include "gui/GUIScript.h"

#include <memory>
#include <string_view>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptRegistrars.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIManager.h"
#include "gui/GUIObjectFactory.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollableWindow.h"
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

// The active object as the family's widget, after the active-object and type checks.
template <class Widget>
Widget* ActiveWidget(ScriptCall& call, const GUIManager& gui) {
  GUIBaseObject* active = gui.GetActiveObject();
  if (active == nullptr) {
    call.Fail("Active Object not set");
    return nullptr;
  }
  if constexpr (kClassName<Widget> != nullptr) {
    if (active->GetType() != Widget::kTypeCode) {
      call.Fail("Active Object is not a %s", kClassName<Widget>);
      return nullptr;
    }
  }
  return static_cast<Widget*>(active);
}

constexpr int kUncounted = -1;

// A function on the active widget of one family: Count arguments (any for kUncounted), the first
// Texts of them texts, then Act.
template <const char* Label, class Widget, int Count, int Texts,
          void (*Act)(Widget&, const ScriptCall&)>
int WidgetFunction(lua_State* state) {
  static_assert(Texts == 0 || Texts == 1 || Texts == 3);
  ScriptCall call(state, Label);
  const Arity arity = Count == kUncounted ? Arity::Any() : Arity(Count);
  const char* first;
  const char* second;
  const char* third;
  GUIManager* gui;
  if constexpr (Texts == 0) {
    gui = call.Begin(arity, gGUIManager);
  } else if constexpr (Texts == 1) {
    gui = call.Begin(arity, gGUIManager, first);
  } else {
    gui = call.Begin(arity, gGUIManager, first, second, third);
  }
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
  object.SetBorderImages(WindowImage(call.Text(1)), WindowImage(call.Text(2)),
                         WindowImage(call.Text(3)));
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

using Base = GUIBaseObject;
using Scrollable = GUIScrollableWindow;
using Resize = GUIResizeWindow;

const ScriptFunction kGUIFunctions[] = {
    ScriptEntry<HideAllObjects>("GUI_HideAllObjects"),
    ScriptEntry<SetActiveObject>("GUI_SetActiveObject"),
    ScriptEntry<SetActiveObjectList>("GUI_SetActiveObjectList"),
    ScriptEntry<AddObject>("GUIOL_AddObject"),
    ScriptEntry<SetActiveObjectAndListFromBase>("GUI_SetActiveObjectAndListFromBase"),
    ScriptEntry<WidgetFunction<kShow, Base, kUncounted, 0, Show>>("GUIG_Show"),
    ScriptEntry<WidgetFunction<kHide, Base, kUncounted, 0, Hide>>("GUIG_Hide"),
    ScriptEntry<WidgetFunction<kFlip, Base, kUncounted, 0, Flip>>("GUIG_Flip"),
    ScriptEntry<WidgetFunction<kSetLock, Base, kUncounted, 0, SetLock>>("GUIG_SetLock"),
    ScriptEntry<WidgetFunction<kSetDimensions, Base, 4, 0, SetDimensions<Base>>>(
        "GUIG_SetDimensions"),
    ScriptEntry<WidgetFunction<kSetBorderImages, Base, 3, 3, SetBorderImages>>(
        "GUIG_SetBorderImages"),
    ScriptEntry<WidgetFunction<kRswSetBackgroundPic, Resize, 1, 1, SetResizePicture>>(
        "GUIRSW_SetBackgroundPic"),
    ScriptEntry<WidgetFunction<kRswSetWindowDimensions, Resize, 4, 0, SetDimensions<Resize>>>(
        "GUIRSW_SetWindowDimensions"),
    ScriptEntry<
        WidgetFunction<kRswSetPictureDimensions, Resize, 4, 0, SetPictureDimensions<Resize>>>(
        "GUIRSW_SetPictureDimensions"),
    ScriptEntry<
        WidgetFunction<kRswSetWindowBorderWidth, Resize, 1, 0, SetWindowBorderWidth<Resize>>>(
        "GUIRSW_SetWindowBorderWidth"),
    ScriptEntry<WidgetFunction<kSwSetBackgroundPic, Scrollable, 1, 1, SetScrollablePicture>>(
        "GUISW_SetBackgroundPic"),
    ScriptEntry<
        WidgetFunction<kSwSetWindowDimensions, Scrollable, 4, 0, SetDimensions<Scrollable>>>(
        "GUISW_SetWindowDimensions"),
    ScriptEntry<WidgetFunction<kSwSetPictureDimensions, Scrollable, 4, 0,
                               SetPictureDimensions<Scrollable>>>("GUISW_SetPictureDimensions"),
    ScriptEntry<WidgetFunction<kSwSetWindowBorderWidth, Scrollable, 1, 0,
                               SetWindowBorderWidth<Scrollable>>>("GUISW_SetWindowBorderWidth"),
    ScriptEntry<WidgetFunction<kWSetBackgroundColor, GUIWindow, 3, 0, SetBackgroundColor>>(
        "GUIW_SetBackgroundColor"),
};

}  // namespace

namespace {

// Registers the family's functions in the order of the registration table.
void RegisterFamily(lua_State* state, ScriptFamily family) {
  for (const ScriptRegistration& row : ScriptRegistrations()) {
    if (row.registrar != ScriptRegistrar::GUI || row.family != family) continue;
    for (const ScriptFunction& function : kGUIFunctions) {
      if (std::string_view(function.name) == row.name)
        RegisterScriptFunctions(state, {&function, 1});
    }
  }
}

}  // namespace

void RegisterGUIBindings(lua_State* state) { RegisterFamily(state, ScriptFamily::GUI); }

void RegisterGUIWindowBindings(lua_State* state) {
  RegisterFamily(state, ScriptFamily::GUIWindows);
}
