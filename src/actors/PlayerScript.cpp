#include <lua.hpp>

#include "actors/Player.h"
#include "core/Globals.h"
#include "core/script/ScriptCall.h"

namespace {

int Player_SetPosition(lua_State* state) {
  ScriptCall call(state, "Player SetPosition",
                  "Player SetPosition:  Failed, invalid argument lmIst\n");
  if (Player* player = call.Begin(3, gPlayer)) {
    player->SetPosition(call.Float(1), call.Float(2), call.Float(3));
  }
  return 0;
}

int Player_SetGameMode(lua_State* state) {
  ScriptCall call(state, "Player SetGameMode",
                  "Player SetGameMode:  Failed, invalid argument lmIst\n");
  if (Player* player = call.Begin(1, gPlayer)) player->SetGameMode(call.Integer(1));
  return 0;
}

int Player_GetHealth(lua_State* state) {
  ScriptCall call(state, "Player GetHealth");
  Player* player = call.Begin(Arity::Any(), gPlayer);
  if (player == nullptr) return 0;
  const int32_t* health = player->GetPropertyAddress("", "Health").AsInteger();
  return call.Push(health != nullptr ? *health : 0);
}

const ScriptFunction kPlayerFunctions[] = {
    ScriptEntry<Player_SetPosition>("Player_SetPosition"),
    ScriptEntry<Player_SetGameMode>("Player_SetGameMode"),
    ScriptEntry<Player_GetHealth>("Player_GetHealth"),
};

}  // namespace

const ScriptFamily kPlayerFamily = {"Player", ScriptTiming::WithManager, kPlayerFunctions};
