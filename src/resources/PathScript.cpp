// The path manager's script functions.

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "resources/PathManager.h"

namespace {

using PathOperation = void (PathManager::*)(std::string_view, std::string_view);

// The four functions that take a key and a prefix (or a prefix relative to Root).
template <PathOperation Operation>
int KeyAndPrefix(ScriptCall& call) {
  const char* key;
  const char* prefix;
  if (!call.Exactly(2) || !call.RequireText(1, key) || !call.RequireText(2, prefix)) return 0;
  PathManager* paths = call.Require(gPathManager);
  if (paths != nullptr) (paths->*Operation)(key, prefix);
  return 0;
}

int Path_SetRootToLocal(lua_State* state) {
  ScriptCall call(state, "Path SetRootToLocal");
  PathManager* paths = call.Require(gPathManager);
  if (paths != nullptr) paths->SetRootToLocal();
  return 0;
}

int Path_AddPath(lua_State* state) {
  ScriptCall call(state, "Path AddPath");
  return KeyAndPrefix<&PathManager::AddPath>(call);
}

int Path_AddPathFromRoot(lua_State* state) {
  ScriptCall call(state, "Path AddPathFromRoot");
  return KeyAndPrefix<&PathManager::AddPathFromRoot>(call);
}

int Path_SetPath(lua_State* state) {
  ScriptCall call(state, "Path SetPath");
  return KeyAndPrefix<&PathManager::SetPath>(call);
}

int Path_SetPathFromRoot(lua_State* state) {
  ScriptCall call(state, "Path SetPathFromRoot");
  return KeyAndPrefix<&PathManager::SetPathFromRoot>(call);
}

int Path_GetPath(lua_State* state) {
  ScriptCall call(state, "Path GetPath");
  const char* key;
  if (!call.Exactly(1) || !call.RequireText(1, key)) return 0;
  PathManager* paths = call.Require(gPathManager);
  if (paths == nullptr) return 0;
  const std::optional<std::string> prefix = paths->Find(key);
  if (!prefix) {
    Log("Path GetPath:  Failed, could not find pathname %s\n", key);
    return 0;
  }
  return call.PushText(prefix->c_str());
}

const ScriptFunction kPathFunctions[] = {
    ScriptEntry<Path_SetRootToLocal>("Path_SetRootToLocal"),
    ScriptEntry<Path_AddPath>("Path_AddPath"),
    ScriptEntry<Path_AddPathFromRoot>("Path_AddPathFromRoot"),
    ScriptEntry<Path_SetPath>("Path_SetPath"),
    ScriptEntry<Path_SetPathFromRoot>("Path_SetPathFromRoot"),
    ScriptEntry<Path_GetPath>("Path_GetPath"),
};

}  // namespace

void RegisterPathFunctions(lua_State* state) { RegisterScriptFunctions(state, kPathFunctions); }
