// The 21 script-variable functions: seven operations over three scopes ("NPC_", "Env_",
// "Global_"), one row each.

#include <string>

#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/RootEntity.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptVariableStore.h"

namespace {

enum class Scope { NPC, Environment, Global };

enum class Operation { AddNumber, AddString, Delete, GetNumber, GetString, SetNumber, SetString };

struct OperationEntry {
  Operation operation;
  int arguments;
  bool textValue;       // argument 2 is a required text
  bool argumentsFirst;  // checks its arguments before the active NPC (the other NPC ones after)
};

constexpr OperationEntry kAddNumber{Operation::AddNumber, 2, false, true};
constexpr OperationEntry kAddString{Operation::AddString, 2, true, false};
constexpr OperationEntry kDelete{Operation::Delete, 1, false, false};
constexpr OperationEntry kGetNumber{Operation::GetNumber, 1, false, false};
constexpr OperationEntry kGetString{Operation::GetString, 1, false, false};
constexpr OperationEntry kSetNumber{Operation::SetNumber, 2, false, false};
constexpr OperationEntry kSetString{Operation::SetString, 2, true, false};

struct VariableRow {
  const char* name;
  Scope scope;
  const OperationEntry& operation;
};

constexpr VariableRow kVariableRows[] = {
    {"NPC_AddScriptVariableI", Scope::NPC, kAddNumber},
    {"NPC_AddScriptVariableA", Scope::NPC, kAddString},
    {"NPC_DeleteScriptVariable", Scope::NPC, kDelete},
    {"NPC_GetScriptVariableI", Scope::NPC, kGetNumber},
    {"NPC_GetScriptVariableA", Scope::NPC, kGetString},
    {"NPC_SetScriptVariableI", Scope::NPC, kSetNumber},
    {"NPC_SetScriptVariableA", Scope::NPC, kSetString},
    {"Env_AddScriptVariableI", Scope::Environment, kAddNumber},
    {"Env_AddScriptVariableA", Scope::Environment, kAddString},
    {"Env_DeleteScriptVariable", Scope::Environment, kDelete},
    {"Env_GetScriptVariableI", Scope::Environment, kGetNumber},
    {"Env_GetScriptVariableA", Scope::Environment, kGetString},
    {"Env_SetScriptVariableI", Scope::Environment, kSetNumber},
    {"Env_SetScriptVariableA", Scope::Environment, kSetString},
    {"Global_AddScriptVariableI", Scope::Global, kAddNumber},
    {"Global_AddScriptVariableA", Scope::Global, kAddString},
    {"Global_DeleteScriptVariable", Scope::Global, kDelete},
    {"Global_GetScriptVariableI", Scope::Global, kGetNumber},
    {"Global_GetScriptVariableA", Scope::Global, kGetString},
    {"Global_SetScriptVariableI", Scope::Global, kSetNumber},
    {"Global_SetScriptVariableA", Scope::Global, kSetString},
};

// The scope's store, and why there is none when there is none.
Needed<ScriptVariableStore> FindStore(Scope scope) {
  switch (scope) {
    case Scope::NPC: {
      RootEntity* npc = gEntityManager != nullptr ? gEntityManager->GetActiveNPC() : nullptr;
      return {npc != nullptr ? npc->GetVariableList() : nullptr, "Active NPC not set"};
    }
    case Scope::Environment:
      return {EnvironmentVariables(), "manager not created"};
    case Scope::Global:
      return {gGlobalVariables, "manager not created"};
  }
  return {nullptr, "manager not created"};
}

int RunVariableRow(lua_State* state, const VariableRow& row) {
  // The lines name the function with a blank for its first "_" ("NPC GetScriptVariableI").
  std::string label = row.name;
  label[label.find('_')] = ' ';
  ScriptCall call(state, label.c_str());
  const OperationEntry& entry = row.operation;
  const bool storeFirst = row.scope == Scope::NPC && !entry.argumentsFirst;
  auto begin = [&](auto&... texts) {
    return storeFirst ? call.BeginManagerFirst(entry.arguments, FindStore(row.scope), texts...)
                      : call.Begin(entry.arguments, FindStore(row.scope), texts...);
  };
  const char* name;
  const char* text = nullptr;
  ScriptVariableStore* store = entry.textValue ? begin(name, text) : begin(name);
  if (store == nullptr) return 0;

  switch (entry.operation) {
    case Operation::AddNumber:
      store->AddNumber(name, call.Float(2));
      break;
    case Operation::AddString:
      store->AddString(name, text);
      break;
    case Operation::Delete:
      store->Delete(name);
      break;
    case Operation::GetNumber:
      return call.Push(store->GetNumber(name));
    case Operation::GetString:
      return call.PushText(store->GetString(name));
    case Operation::SetNumber:
      store->SetNumber(name, call.Float(2));
      break;
    case Operation::SetString:
      store->SetString(name, text);
      break;
  }
  return call.Push(1.0);
}

constexpr auto kVariableFunctions = ScriptRows<kVariableRows, RunVariableRow>();

}  // namespace

const ScriptFamily kScriptVariableFamily = {"ScriptVariables", ScriptTiming::WithLuaManager,
                                            kVariableFunctions};
