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
  if (PathManager* paths = call.Begin(2, gPathManager, key, prefix)) {
    (paths->*Operation)(key, prefix);
  }
  return 0;
}

int Path_SetRootToLocal(lua_State* state) {
  ScriptCall call(state, "Path SetRootToLocal");
  if (PathManager* paths = call.Begin(Arity::Any(), gPathManager)) paths->SetRootToLocal();
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
  PathManager* paths = call.Begin(1, gPathManager, key);
  if (paths == nullptr) return 0;
  const std::optional<std::string> prefix = paths->Find(key);
  return prefix ? call.PushText(prefix->c_str()) : call.Fail("could not find pathname %s", key);
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

const ScriptFamily kPathFamily = {"Paths", ScriptTiming::WithBoth, kPathFunctions};
