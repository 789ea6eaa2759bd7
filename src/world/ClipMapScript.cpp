// The clip map's script functions: each acts on the map manager's clip map, which exists only
// while the loaded map is one.

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "world/ClipMapKind.h"
#include "world/MapManager.h"

namespace {

// The count check, then the loaded clip map.
DefinedMap* LoadedClipMap(ScriptCall& call, Arity arity) {
  ClipMapKind* loaded = gMapManager != nullptr ? gMapManager->GetLoaded<ClipMapKind>() : nullptr;
  DefinedMap* map = loaded != nullptr ? &loaded->GetMap() : nullptr;
  return call.Begin(arity, Needed<DefinedMap>{map, "map is not created, or in the wrong mode"});
}

int DefinedMap_SetDimensions(lua_State* state) {
  ScriptCall call(state, "DefinedMap SetDimensions");
  if (DefinedMap* map = LoadedClipMap(call, 2))
    map->SetDimensions(call.Integer(1), call.Integer(2));
  return 0;
}

int DefinedMap_ClipArea(lua_State* state) {
  ScriptCall call(state, "DefinedMap ClipArea");
  if (DefinedMap* map = LoadedClipMap(call, 5)) {
    map->ClipArea(call.Number(1) != 0 ? 1 : 0, call.Integer(2), call.Integer(3), call.Integer(4),
                  call.Integer(5));
  }
  return 0;
}

int DefinedMap_ClearClipping(lua_State* state) {
  ScriptCall call(state, "DefinedMap ClearClipping");
  if (DefinedMap* map = LoadedClipMap(call, Arity::Any())) map->ClearClipping();
  return 0;
}

const ScriptFunction kClipMapFunctions[] = {
    ScriptEntry<DefinedMap_SetDimensions>("DefinedMap_SetDimensions"),
    ScriptEntry<DefinedMap_ClipArea>("DefinedMap_ClipArea"),
    ScriptEntry<DefinedMap_ClearClipping>("DefinedMap_ClearClipping"),
};

}  // namespace

const ScriptFamily kClipMapFamily = {"ClipMap", ScriptTiming::WithManager, kClipMapFunctions};
