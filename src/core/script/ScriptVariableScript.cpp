// The 21 script-variable functions: seven operations over three scopes ("NPC_", "Env_",
// "Global_"), all made from the two tables below.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/RootEntity.h"
#include "core/script/ScriptCall.h"
#include "core/script/ScriptRegistrars.h"
#include "core/script/ScriptVariableStore.h"

namespace {

enum class Scope { NPC, Environment, Global };

struct ScopeEntry {
  Scope scope;
  const char* prefix;  // of the script name
  const char* word;    // that names the scope in failure lines
};

constexpr ScopeEntry kScopes[] = {
    {Scope::NPC, "NPC_", "NPC"},
    {Scope::Environment, "Env_", "Env"},
    {Scope::Global, "Global_", "Global"},
};

enum class Operation { AddNumber, AddString, Delete, GetNumber, GetString, SetNumber, SetString };

struct OperationEntry {
  Operation operation;
  const char* name;
  int arguments;
  bool textValue;       // argument 2 is a required text
  bool argumentsFirst;  // checks its arguments before the active NPC (the other NPC ones after)
};

constexpr OperationEntry kOperations[] = {
    {Operation::AddNumber, "AddScriptVariableI", 2, false, true},
    {Operation::AddString, "AddScriptVariableA", 2, true, false},
    {Operation::Delete, "DeleteScriptVariable", 1, false, false},
    {Operation::GetNumber, "GetScriptVariableI", 1, false, false},
    {Operation::GetString, "GetScriptVariableA", 1, false, false},
    {Operation::SetNumber, "SetScriptVariableI", 2, false, false},
    {Operation::SetString, "SetScriptVariableA", 2, true, false},
};

constexpr size_t kScopeCount = std::size(kScopes);
constexpr size_t kOperationCount = std::size(kOperations);

// The scope's store, or none after logging why there is none.
ScriptVariableStore* FindStore(ScriptCall& call, Scope scope) {
  switch (scope) {
    case Scope::NPC: {
      RootEntity* npc = gEntityManager != nullptr ? gEntityManager->GetActiveNPC() : nullptr;
      ScriptVariableStore* store = npc != nullptr ? npc->GetVariableList() : nullptr;
      if (store == nullptr) call.Fail("Active NPC not set");
      return store;
    }
    case Scope::Environment:
      return call.Require(gEnvironmentVariables);
    case Scope::Global:
      return call.Require(gGlobalVariables);
  }
  return nullptr;
}

struct Arguments {
  const char* name = nullptr;
  const char* text = nullptr;
};

bool ReadArguments(ScriptCall& call, const OperationEntry& entry, Arguments& out) {
  if (!call.Exactly(entry.arguments)) return false;
  if (!call.RequireText(1, out.name)) return false;
  return !entry.textValue || call.RequireText(2, out.text);
}

int RunVariableFunction(lua_State* state, const ScopeEntry& scope, const OperationEntry& entry) {
  const std::string name = std::string(scope.word) + " " + entry.name;
  ScriptCall call(state, name.c_str());
  const bool storeFirst = scope.scope == Scope::NPC && !entry.argumentsFirst;
  Arguments arguments;
  ScriptVariableStore* store = nullptr;
  if (storeFirst) {
    store = FindStore(call, scope.scope);
    if (store == nullptr || !ReadArguments(call, entry, arguments)) return 0;
  } else {
    if (!ReadArguments(call, entry, arguments)) return 0;
    store = FindStore(call, scope.scope);
    if (store == nullptr) return 0;
  }

  switch (entry.operation) {
    case Operation::AddNumber:
      store->AddNumber(arguments.name, call.Float(2));
      break;
    case Operation::AddString:
      store->AddString(arguments.name, arguments.text);
      break;
    case Operation::Delete:
      store->Delete(arguments.name);
      break;
    case Operation::GetNumber:
      return call.Push(store->GetNumber(arguments.name));
    case Operation::GetString:
      return call.PushText(store->GetString(arguments.name));
    case Operation::SetNumber:
      store->SetNumber(arguments.name, call.Float(2));
      break;
    case Operation::SetString:
      store->SetString(arguments.name, arguments.text);
      break;
  }
  return call.Push(1.0);
}

template <size_t ScopeIndex, size_t OperationIndex>
int VariableFunction(lua_State* state) {
  return RunVariableFunction(state, kScopes[ScopeIndex], kOperations[OperationIndex]);
}

template <size_t ScopeIndex, size_t... OperationIndex>
constexpr std::array<lua_CFunction, kOperationCount> ScopeFunctions(
    std::index_sequence<OperationIndex...>) {
  return {&GuardedScriptFunction<&VariableFunction<ScopeIndex, OperationIndex>>...};
}

template <size_t... ScopeIndex>
constexpr std::array<std::array<lua_CFunction, kOperationCount>, kScopeCount> AllFunctions(
    std::index_sequence<ScopeIndex...>) {
  return {ScopeFunctions<ScopeIndex>(std::make_index_sequence<kOperationCount>())...};
}

constexpr auto kFunctions = AllFunctions(std::make_index_sequence<kScopeCount>());

}  // namespace

void RegisterScriptVariableFunctions(lua_State* state) {
  std::vector<std::string> names;
  std::vector<ScriptFunction> functions;
  names.reserve(kScopeCount * kOperationCount);
  for (size_t s = 0; s < kScopeCount; ++s) {
    for (size_t o = 0; o < kOperationCount; ++o) {
      names.push_back(std::string(kScopes[s].prefix) + kOperations[o].name);
      functions.push_back({names.back().c_str(), kFunctions[s][o]});
    }
  }
  RegisterScriptFunctions(state, functions);
}
