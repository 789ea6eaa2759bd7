// The scenery script functions.

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "world/BackgroundManager.h"
#include "world/BackgroundObject.h"

namespace {

int BackgroundManager_SpawnObject(lua_State* state) {
  ScriptCall call(state, "BackgroundManager SpawnObject");
  const char *name, *image;
  if (BackgroundManager* scenery = call.Begin(7, gBackgroundManager, name, image)) {
    scenery->SpawnObject(name, image, call.Integer(3), call.Integer(4), call.Float(5),
                         call.Float(6), call.Integer(7));
  }
  return 0;
}

int BackgroundManager_SetFillColor(lua_State* state) {
  ScriptCall call(state, "BackgroundManager SetFillColor");
  if (BackgroundManager* scenery = call.Begin(3, gBackgroundManager)) {
    scenery->SetFillColor(call.Integer(1), call.Integer(2), call.Integer(3));
  }
  return 0;
}

int BackgroundManager_DisableFill(lua_State* state) {
  ScriptCall call(state, "BackgroundManager DisableFill");
  if (BackgroundManager* scenery = call.Begin(Arity::Any(), gBackgroundManager)) {
    scenery->DisableFill();
  }
  return 0;
}

// The active object after the count check; logs "no active object" when there is none.
BackgroundObject* ActiveObject(ScriptCall& call, Arity arity) {
  BackgroundManager* scenery = call.Begin(arity, gBackgroundManager);
  if (scenery == nullptr) return nullptr;
  BackgroundObject* object = scenery->GetActiveObject();
  if (object == nullptr) call.Fail("no active object");
  return object;
}

int BackgroundObject_SetSpeed(lua_State* state) {
  ScriptCall call(state, "BackgroundObject SetSpeed");
  if (BackgroundObject* object = ActiveObject(call, 2)) {
    object->SetSpeed(call.Integer(1), call.Integer(2));
  }
  return 0;
}

int BackgroundObject_SetModuloMode(lua_State* state) {
  ScriptCall call(state, "BackgroundObject SetModuloMode");
  if (BackgroundObject* object = ActiveObject(call, Arity::Any())) object->SetModuloMode(true);
  return 0;
}

const ScriptFunction kBackgroundFunctions[] = {
    ScriptEntry<BackgroundManager_SpawnObject>("BackgroundManager_SpawnObject"),
    ScriptEntry<BackgroundManager_SetFillColor>("BackgroundManager_SetFillColor"),
    ScriptEntry<BackgroundManager_DisableFill>("BackgroundManager_DisableFill"),
    ScriptEntry<BackgroundObject_SetSpeed>("BackgroundObject_SetSpeed"),
    ScriptEntry<BackgroundObject_SetModuloMode>("BackgroundObject_SetModuloMode"),
};

}  // namespace

const ScriptFamily kBackgroundFamily = {"Background", ScriptTiming::WithManager,
                                        kBackgroundFunctions};
