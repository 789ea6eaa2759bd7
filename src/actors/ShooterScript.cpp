// The shooter mini-game's script functions.

#include "actors/ShooterEnemyGnatling.h"
#include "actors/ShooterMiniGameManager.h"
#include "core/Globals.h"
#include "core/script/ScriptCall.h"

namespace {

int SMM_SetActivity(lua_State* state) {
  ScriptCall call(state, "SMM SetActive");
  if (ShooterMiniGameManager* shooter = call.Begin(1, gShooterMiniGameManager)) {
    shooter->SetActive(call.Flag(1));
  }
  return 0;
}

// Works whether or not the mini-game is active; the new enemy waits for it.
int SE_SpawnGnatling(lua_State* state) {
  ScriptCall call(state, "SE SpawnGnatling");
  if (ShooterMiniGameManager* shooter = call.Begin(2, gShooterMiniGameManager)) {
    auto* gnatling = new ShooterEnemyGnatling();
    gnatling->Set(10, 1);
    gnatling->SetRect(call.Integer(1), call.Integer(2), 22, 18);
    shooter->AddEnemy("XGnatling", gnatling);
  }
  return 0;
}

const ScriptFunction kShooterFunctions[] = {
    ScriptEntry<SMM_SetActivity>("SMM_SetActivity"),
    ScriptEntry<SE_SpawnGnatling>("SE_SpawnGnatling"),
};

}  // namespace

const ScriptFamily kShooterMiniGameFamily = {"ShooterMiniGame", ScriptTiming::WithManager,
                                             kShooterFunctions};
