// The map manager's script functions.

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "resources/DataLibrary.h"
#include "world/MapManager.h"
#include "world/WorldLinks.h"

namespace {

// The count check comes first, then the manager.
MapManager* ReadMapCall(ScriptCall& call, int arguments) {
  if (!call.Exactly(arguments)) return nullptr;
  return call.Require(gMapManager);
}

int MapM_SetBackgroundDisplayState(lua_State* state) {
  ScriptCall call(state, "MapM SetBackgroundDisplayState");
  if (MapManager* map = ReadMapCall(call, 1)) map->SetBackgroundDisplayState(call.Number(1) != 0);
  return 0;
}

int MapM_SetMapDisplayState(lua_State* state) {
  ScriptCall call(state, "MapM SetMapDisplayState");
  if (MapManager* map = ReadMapCall(call, 1)) map->SetMapDisplayState(call.Number(1) != 0);
  return 0;
}

int MapM_TransitionMap(lua_State* state) {
  ScriptCall call(state, "MapM TransitionMap");
  const char* name;
  if (!call.Exactly(1) || !call.RequireText(1, name)) return 0;
  // Copied: the load runs scripts, and Lua may collect the argument's text meanwhile.
  const std::string target = name;
  if (MapManager* map = call.Require(gMapManager)) map->TransitionMap(target.c_str());
  return 0;
}

int MapM_SetMapLoadTarget(lua_State* state) {
  ScriptCall call(state, "MapM SetMapLoadTarget");
  const char* name;
  if (!call.Exactly(1) || !call.RequireText(1, name)) return 0;
  if (MapManager* map = call.Require(gMapManager)) map->SetMapLoadTarget(name);
  return 0;
}

int MapM_SetDefaultPosition(lua_State* state) {
  ScriptCall call(state, "MapM SetDefaultPosition");
  if (!call.Exactly(2)) return 0;
  // Only the first map's script, which runs inside start-up, places the player.
  if (!gInitialising) return 0;
  const WorldLinks& links = GetWorldLinks();
  if (links.setPlayerPosition) links.setPlayerPosition(call.Integer(1), call.Integer(2));
  return 0;
}

int MapM_SetTextureFileHeading(lua_State* state) {
  ScriptCall call(state, "MapM_SetTextureFileHeading");
  const char *section, *catalogue, *heading;
  if (!call.Exactly(3) || !call.RequireText(1, section) || !call.RequireText(2, catalogue) ||
      !call.RequireText(3, heading)) {
    return 0;
  }
  MapManager* map = call.Require(gMapManager);
  if (map == nullptr || call.Require(gDataLibrary) == nullptr) return 0;
  DataHeading* found = gDataLibrary->GetHeading(section, catalogue, heading);
  if (found == nullptr) return call.Fail("Heading not found");
  map->SetTextureFileHeading(found);
  return 0;
}

int MapM_BuildLookupList(lua_State* state) {
  ScriptCall call(state, "MapM BuildLookupList");
  if (MapManager* map = call.Require(gMapManager)) map->BuildLookupList();
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

void RegisterMapFunctions(lua_State* state) { RegisterScriptFunctions(state, kMapFunctions); }
