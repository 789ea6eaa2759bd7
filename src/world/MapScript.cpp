// The map manager's script functions.

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "resources/DataLibrary.h"
#include "world/MapManager.h"
#include "world/WorldPlayer.h"

namespace {

int MapM_SetBackgroundDisplayState(lua_State* state) {
  ScriptCall call(state, "MapM SetBackgroundDisplayState");
  if (MapManager* map = call.Begin(1, gMapManager))
    map->SetBackgroundDisplayState(call.Number(1) != 0);
  return 0;
}

int MapM_SetMapDisplayState(lua_State* state) {
  ScriptCall call(state, "MapM SetMapDisplayState");
  if (MapManager* map = call.Begin(1, gMapManager)) map->SetMapDisplayState(call.Number(1) != 0);
  return 0;
}

int MapM_TransitionMap(lua_State* state) {
  ScriptCall call(state, "MapM TransitionMap");
  const char* name;
  MapManager* map = call.Begin(1, gMapManager, name);
  if (map == nullptr) return 0;
  // Copied: the load runs scripts, and Lua may collect the argument's text meanwhile.
  const std::string target = name;
  map->TransitionMap(target.c_str());
  return 0;
}

int MapM_SetMapLoadTarget(lua_State* state) {
  ScriptCall call(state, "MapM SetMapLoadTarget");
  const char* name;
  if (MapManager* map = call.Begin(1, gMapManager, name)) map->SetMapLoadTarget(name);
  return 0;
}

int MapM_SetDefaultPosition(lua_State* state) {
  ScriptCall call(state, "MapM SetDefaultPosition");
  if (!call.Arguments(2)) return 0;
  // Only the first map's script, which runs inside start-up, places the player.
  if (!gInitialising) return 0;
  if (gWorldPlayer != nullptr) {
    gWorldPlayer->SetPosition(static_cast<float>(call.Integer(1)),
                              static_cast<float>(call.Integer(2)), 0);
  }
  return 0;
}

int MapM_SetTextureFileHeading(lua_State* state) {
  ScriptCall call(state, "MapM_SetTextureFileHeading");
  const char *section, *catalogue, *heading;
  MapManager* map = call.Begin(3, gMapManager, section, catalogue, heading);
  if (map == nullptr || call.Require(gDataLibrary) == nullptr) return 0;
  DataHeading* found = gDataLibrary->GetHeading(section, catalogue, heading);
  if (found == nullptr) return call.Fail("Heading not found");
  map->SetTextureFileHeading(found);
  return 0;
}

int MapM_BuildLookupList(lua_State* state) {
  ScriptCall call(state, "MapM BuildLookupList");
  if (MapManager* map = call.Begin(Arity::Any(), gMapManager)) map->BuildLookupList();
  return 0;
}

const ScriptFunction kMapFunctions[] = {
    ScriptEntry<MapM_SetBackgroundDisplayState>("MapM_SetBackgroundDisplayState"),
    ScriptEntry<MapM_SetMapDisplayState>("MapM_SetMapDisplayState"),
    ScriptEntry<MapM_TransitionMap>("MapM_TransitionMap"),
    ScriptEntry<MapM_SetMapLoadTarget>("MapM_SetMapLoadTarget"),
    ScriptEntry<MapM_SetDefaultPosition>("MapM_SetDefaultPosition"),
    ScriptEntry<MapM_SetTextureFileHeading>("MapM_SetTextureFileHeading"),
    ScriptEntry<MapM_BuildLookupList>("MapM_BuildLookupList"),
};

}  // namespace

const ScriptFamily kMapFamily = {"Map", ScriptTiming::WithManager, kMapFunctions};
