// The NPC script functions. All but NPCM_AddNPC and SetActiveNPCA act on the entity registry's
// active NPC.

#include <cstring>
#include <string>

#include "actors/AIAutoScriptPackage.h"
#include "actors/AIBasePathPackage.h"
#include "actors/AIFollowingPackage.h"
#include "actors/AIFrameSetter.h"
#include "actors/AIManager.h"
#include "actors/AISlideBouncePathPackage.h"
#include "actors/AISlidePathPackage.h"
#include "actors/NPCBaseEnemy.h"
#include "actors/NPCStaticDialogue.h"
#include "actors/NonPlayingCharacter.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "core/script/ScriptCall.h"

namespace {

NonPlayingCharacter* ActiveNPC(const EntityManager& entities) {
  return dynamic_cast<NonPlayingCharacter*>(entities.GetActiveNPC());
}

int NPCM_AddNPC(lua_State* state) {
  ScriptCall call(state, "NPCM AddNPC");
  const char* name;
  EntityManager* entities = call.Begin(Arity::AtLeast(1), gEntityManager, name);
  if (entities == nullptr) return 0;
  const char* kind = call.Text(2);
  NonPlayingCharacter* npc = nullptr;
  if (kind != nullptr && std::strcmp(kind, "DialogueNPC") == 0) {
    npc = new NPCStaticDialogue();
  } else if (kind != nullptr && std::strcmp(kind, "EnemyNPC") == 0) {
    npc = new NPCBaseEnemy();
  } else {
    Log("NPCM AddNPC:  Failed, NPC Type was invalid\n");
    return 0;
  }
  npc->SetInternalName(name);
  entities->RegisterPointer("NPC", name, npc);
  entities->SetActiveEntity(npc);
  if (call.Count() > 2 && gLuaManager != nullptr) {
    if (const char* script = call.Text(3)) {
      gLuaManager->ExecuteScript(script, 1);
    }
  }
  return 0;
}

int SetActiveNPCI(lua_State*) {
  Log("Warning:  Do not use SetActiveNPCI.  Function is deprecated.\n");
  return 0;
}

int SetActiveNPCA(lua_State* state) {
  ScriptCall call(state, "SetActiveNPCA");
  const char* name;
  EntityManager* entities = call.Begin(1, gEntityManager, name);
  if (entities == nullptr) return 0;
  RootEntity* npc = entities->FindNPC(name);
  entities->SetActiveEntity(npc);
  if (npc == nullptr) call.Warn("NPC %s was not found", name);
  return 0;
}

// ---- the functions on the active NPC that share one shape ----

struct NPCRow {
  const char* name;
  const char* label;
  const char* invalidLine;
  int count;
  int textArgument;  // the argument that must be a text, 0 for none
  void (*apply)(NonPlayingCharacter& npc, const ScriptCall& call, const char* text);
};

constexpr NPCRow kNPCRows[] = {
    {"NPC_SetDialoguePath", "NPC SetDialoguePath",
     "NPC SetDialoguePath:  Failed, incorrect argument list\n", 1, 1,
     [](NonPlayingCharacter& npc, const ScriptCall&, const char* path) {
       npc.SetDialoguePath(path);
     }},
    {"NPC_SetDefaultScript", "NPC SetDefaultScript",
     "NPC SetDefaultScript:  Failed, incorrect argument list\n", 1, 1,
     [](NonPlayingCharacter& npc, const ScriptCall&, const char* path) {
       npc.SetDefaultScript(path);
     }},
    {"NPC_SetCoordinateData", "NPC SetCoordinateData",
     "NPC SetCoordinateData:  Failed, incorrect argument list\n", 6, 0,
     [](NonPlayingCharacter& npc, const ScriptCall& call, const char*) {
       npc.SetCentre(call.Integer(1), call.Integer(2), call.Integer(3));
       npc.SetSize(call.Integer(4), call.Integer(5), call.Integer(6));
       npc.RecomputeBounds();
     }},
    {"NPC_SetPositionData", "NPC SetPositionData",
     "NPC SetPositionData:  Failed, incorrect argument list\n", 3, 0,
     [](NonPlayingCharacter& npc, const ScriptCall& call, const char*) {
       npc.SetCentre(call.Integer(1), call.Integer(2), call.Integer(3));
       npc.RecomputeBounds();
     }},
    {"NPC_SetDisplayData", "NPC SetDisplayData",
     "NPC SetDisplayData:  Failed, incorrect argument list\n", 4, 0,
     [](NonPlayingCharacter& npc, const ScriptCall& call, const char*) {
       npc.SetDisplayData(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4));
     }},
    {"NPC_AllocateStateVariables", "NPC AllocateStateVariables",
     "NPC AllocateStateVariables:  Failed, incorrect argument list\n", 1, 0,
     [](NonPlayingCharacter& npc, const ScriptCall& call, const char*) {
       npc.AllocateStateVariables(call.Integer(1));
     }},
    {"NPC_SetStateVariable", "NPC SetStateVariable",
     "NPC SetStateVariable:  Failed, incorrect argument list\n", 3, 2,
     [](NonPlayingCharacter& npc, const ScriptCall& call, const char* name) {
       npc.SetStateVariable(call.Integer(1), name, call.Integer(3));
     }},
};

int RunNPCRow(lua_State* state, const NPCRow& row) {
  ScriptCall call(state, row.label, row.invalidLine);
  const char* text = nullptr;
  if (!call.Arguments(row.count)) return 0;
  if (row.textArgument != 0 && (text = call.Text(row.textArgument)) == nullptr) {
    return call.FailInvalid();
  }
  EntityManager* entities = call.Require(gEntityManager);
  if (entities == nullptr) return 0;
  NonPlayingCharacter* npc =
      call.Require(Needed<NonPlayingCharacter>{ActiveNPC(*entities), "Active NPC not set"});
  if (npc != nullptr) row.apply(*npc, call, text);
  return 0;
}

constexpr auto kNPCRowFunctions = ScriptRows<kNPCRows, RunNPCRow>();

// ---- NPC_PushAI ----

// Routes the names through the NPC in the order given, each logging its own miss.
struct Routed {
  explicit Routed(NonPlayingCharacter& npc) : npc(npc) {}
  uint8_t* Flag(const char* name) { return npc.GetPropertyAddress(name).AsByte(); }
  float* Float(const char* name) { return npc.GetPropertyAddress(name).AsFloat(); }
  int32_t* Integer(const char* name) { return npc.GetPropertyAddress(name).AsInteger(); }
  Dimensions* Box() {
    return npc.GetPropertyAddress("Dimensions").ObjectAs<Dimensions>(PropertyRef::kDimensions);
  }
  NonPlayingCharacter& npc;
};

AIBasePackage* BuildBasicPathing(NonPlayingCharacter& npc, const ScriptCall& call) {
  Routed routed(npc);
  uint8_t* idle = routed.Flag(call.Text(4));
  uint8_t* moving = routed.Flag(call.Text(5));
  float* speed = routed.Float("Speed");
  Dimensions* body = routed.Box();
  int32_t* timer = routed.Integer("AnimTimer");
  int32_t* direction = routed.Integer("AnimDirection");
  auto* package = new AIBasePathPackage();
  package->SyncWith(idle, moving, speed, body, timer, direction);
  package->SetTarget(call.Integer(6), call.Integer(7));
  return package;
}

AIBasePackage* BuildSlidePathing(NonPlayingCharacter& npc, const ScriptCall&) {
  auto* package = new AISlidePathPackage();
  package->SyncWith(Routed(npc).Box());
  return package;
}

AIBasePackage* BuildSlideBouncePathing(NonPlayingCharacter& npc, const ScriptCall&) {
  Routed routed(npc);
  Dimensions* body = routed.Box();
  int32_t* facing = routed.Integer("FlipFlag");
  auto* package = new AISlideBouncePathPackage();
  package->SyncWith(body, facing);
  return package;
}

AIBasePackage* BuildFollowTarget(NonPlayingCharacter& npc, const ScriptCall& call) {
  Routed routed(npc);
  uint8_t* idle = routed.Flag(call.Text(4));
  uint8_t* walking = routed.Flag(call.Text(5));
  uint8_t* running = routed.Flag(call.Text(6));
  float* speed = routed.Float("Speed");
  float* fastSpeed = routed.Float("FastSpeed");
  Dimensions* body = routed.Box();
  int32_t* timer = routed.Integer("AnimTimer");
  int32_t* direction = routed.Integer("AnimDirection");
  auto* package = new AIFollowingPackage();
  package->SyncWith(idle, walking, running, speed, fastSpeed, body, timer, direction);
  return package;
}

AIBasePackage* BuildForceFrame(NonPlayingCharacter& npc, const ScriptCall& call) {
  Routed routed(npc);
  int32_t* timer = routed.Integer("AnimTimer");
  int32_t* direction = routed.Integer("AnimDirection");
  auto* package = new AIFrameSetter();
  package->SyncWith(timer, direction);
  package->SetValues(call.Integer(4), call.Integer(5));
  return package;
}

AIBasePackage* BuildFireScript(NonPlayingCharacter&, const ScriptCall& call) {
  auto* package = new AIAutoScriptPackage();
  package->SetScript(call.Text(4), call.Integer(5));
  return package;
}

struct PushKind {
  const char* name;
  int count;
  int firstText, lastText;  // the arguments that must be texts (0, 0 for none)
  AIBasePackage* (*build)(NonPlayingCharacter& npc, const ScriptCall& call);
};

constexpr PushKind kPushKinds[] = {
    {"Basic Pathing", 7, 4, 5, &BuildBasicPathing},
    {"Slide Pathing", 3, 0, 0, &BuildSlidePathing},
    {"Slide Bounce Pathing", 3, 0, 0, &BuildSlideBouncePathing},
    {"Follow Target", 6, 4, 6, &BuildFollowTarget},
    {"Force Frame", 5, 0, 0, &BuildForceFrame},
    {"Fire Script", 5, 4, 4, &BuildFireScript},
};

bool KindArgumentsFit(const PushKind& kind, const ScriptCall& call) {
  if (call.Count() != kind.count) return false;
  for (int i = kind.firstText; i != 0 && i <= kind.lastText; ++i) {
    if (call.Text(i) == nullptr) return false;
  }
  return true;
}

int NPC_PushAI(lua_State* state) {
  ScriptCall call(state, "NPC PushAI");
  if (call.Count() < 3) {
    Log("NPC PushAI:  Failed, not enough arguments to determine type\n");
    return 0;
  }
  EntityManager* entities = call.Require(gEntityManager);
  if (entities == nullptr) return 0;
  NonPlayingCharacter* npc = ActiveNPC(*entities);
  if (npc == nullptr) return call.Fail("Active NPC not set");
  const int32_t duration = call.Integer(2);
  const bool hold = duration == -1;
  const char* kindName = call.Text(3);
  const PushKind* kind = nullptr;
  for (const PushKind& candidate : kPushKinds) {
    if (kindName != nullptr && std::strcmp(candidate.name, kindName) == 0) kind = &candidate;
  }
  if (kind == nullptr) {
    return call.Fail("could not find type %s", kindName != nullptr ? kindName : "(null)");
  }
  if (!KindArgumentsFit(*kind, call)) {
    Log("NPC PushAI:  -%s- Failed, invalid argument list\n", kind->name);
    return 0;
  }
  AIBasePackage* package = kind->build(*npc, call);
  npc->PushAI(call.Text(1), duration, package, hold);
  if (gAIManager != nullptr) gAIManager->SetActiveAIPackage(package);
  return 0;
}

int NPC_ClearAIQueue(lua_State* state) {
  ScriptCall call(state, "NPC ClearAIQueue");
  EntityManager* entities = call.Begin(Arity::Any(), gEntityManager);
  if (entities == nullptr) return 0;
  NonPlayingCharacter* npc =
      call.Require(Needed<NonPlayingCharacter>{ActiveNPC(*entities), "Active NPC not set"});
  if (npc != nullptr) npc->ClearAIQueue();
  return 0;
}

int NPCBE_SetHitReactionScript(lua_State* state) {
  ScriptCall call(state, "NPCBE SetHitReactionScript");
  const char* path;
  EntityManager* entities = call.Begin(1, gEntityManager, path);
  if (entities == nullptr) return 0;
  NonPlayingCharacter* npc = ActiveNPC(*entities);
  if (npc == nullptr) {
    Log("NPCBE SetHitReactionScript: Active NPC was not set\n");
    return 0;
  }
  auto* enemy = dynamic_cast<NPCBaseEnemy*>(npc);
  if (enemy == nullptr || npc->GetNPCType() != NonPlayingCharacter::kEnemyType) {
    Log("NPCBE SetHitReactionScript: Active NPC was not an enemy\n");
    return 0;
  }
  enemy->SetHitReactionScript(path);
  return 0;
}

constexpr ScriptFunction kLeadingFunctions[] = {
    ScriptEntry<NPCM_AddNPC>("NPCM_AddNPC"),
    ScriptEntry<SetActiveNPCI>("SetActiveNPCI"),
    ScriptEntry<SetActiveNPCA>("SetActiveNPCA"),
};

constexpr ScriptFunction kTrailingFunctions[] = {
    ScriptEntry<NPC_PushAI>("NPC_PushAI"),
    ScriptEntry<NPC_ClearAIQueue>("NPC_ClearAIQueue"),
    ScriptEntry<NPCBE_SetHitReactionScript>("NPCBE_SetHitReactionScript"),
};

constexpr auto kNPCFunctions =
    JoinScriptFunctions<kLeadingFunctions, kNPCRowFunctions, kTrailingFunctions>();

}  // namespace

const ScriptFamily kNPCFamily = {"NPCs", ScriptTiming::WithLuaManager, kNPCFunctions};
