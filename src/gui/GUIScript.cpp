// The GUI manager's script functions (selecting the active list and object, adding widgets) and
// those every widget takes. Each widget kind's own are in its binding file.

#include <memory>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIManager.h"
#include "gui/GUIObjectFactory.h"
#include "gui/GUIWidgetScript.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

// The widget base.

void Show(GUIBaseObject& object, const ScriptCall&) { object.Show(); }
void Hide(GUIBaseObject& object, const ScriptCall&) { object.Hide(); }
void Flip(GUIBaseObject& object, const ScriptCall&) { object.Flip(); }
void SetLock(GUIBaseObject& object, const ScriptCall& call) { object.SetLock(call.Integer(1)); }

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

using Any = AnyWidget;

const ScriptFunction kGUIFunctions[] = {
    ScriptEntry<HideAllObjects>("GUI_HideAllObjects"),
    ScriptEntry<SetActiveObject>("GUI_SetActiveObject"),
    ScriptEntry<SetActiveObjectList>("GUI_SetActiveObjectList"),
    ScriptEntry<AddObject>("GUIOL_AddObject"),
    ScriptEntry<SetActiveObjectAndListFromBase>("GUI_SetActiveObjectAndListFromBase"),
    ScriptEntry<WidgetFunction<kShow, Any, kUncounted, kNoTexts, Show>>("GUIG_Show"),
    ScriptEntry<WidgetFunction<kHide, Any, kUncounted, kNoTexts, Hide>>("GUIG_Hide"),
    ScriptEntry<WidgetFunction<kFlip, Any, kUncounted, kNoTexts, Flip>>("GUIG_Flip"),
    ScriptEntry<WidgetFunction<kSetLock, Any, kUncounted, kNoTexts, SetLock>>("GUIG_SetLock"),
    ScriptEntry<WidgetFunction<kSetDimensions, Any, 4, kNoTexts, SetDimensions<GUIBaseObject>>>(
        "GUIG_SetDimensions"),
    ScriptEntry<WidgetFunction<kSetBorderImages, Any, 3, kTexts123, SetBorderImages>>(
        "GUIG_SetBorderImages"),
};

}  // namespace

const ScriptFamily kGUIFamily = {"GUI", ScriptTiming::WithLuaManager, kGUIFunctions};
