// The image container manager's script functions.

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "resources/ExternalImageManager.h"

namespace {

// Both open functions take exactly the container's path.
template <void (ExternalImageManager::*Open)(const char*)>
int OpenContainer(lua_State* state, const char* name) {
  ScriptCall call(state, name);
  const char* path;
  if (ExternalImageManager* manager = call.Begin(1, gExternalImageManager, path)) {
    (manager->*Open)(path);
  }
  return 0;
}

int EIM_OpenFile(lua_State* state) {
  return OpenContainer<&ExternalImageManager::OpenFile>(state, "EIM_OpenFile");
}

int EIM_OpenFileUncompressed(lua_State* state) {
  return OpenContainer<&ExternalImageManager::OpenFileUncompressed>(state,
                                                                    "EIM_OpenFileUncompressed");
}

int EIM_CloseFile(lua_State* state) {
  ScriptCall call(state, "EIM_CloseFile");
  if (auto* manager = call.Begin(Arity::Any(), gExternalImageManager)) manager->CloseFile();
  return 0;
}

const ScriptFunction kExternalImageManagerFunctions[] = {
    ScriptEntry<EIM_OpenFile>("EIM_OpenFile"),
    ScriptEntry<EIM_OpenFileUncompressed>("EIM_OpenFileUncompressed"),
    ScriptEntry<EIM_CloseFile>("EIM_CloseFile"),
};

}  // namespace

const ScriptFamily kImageContainerFamily = {"ImageContainers", ScriptTiming::WithManager,
                                            kExternalImageManagerFunctions};
