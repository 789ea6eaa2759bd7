#include "world/MapKind.h"

#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "resources/PathManager.h"
#include "world/CameraManager.h"

std::string MapPath(const char* key, const std::string& file) {
  return gPathManager != nullptr ? gPathManager->BuildPath(key, file) : file;
}

void RunMapScript(const std::string& path, int32_t code) {
  if (gLuaManager != nullptr) gLuaManager->ExecuteScript(path.c_str(), code);
}

Camera* DefaultMapCamera() {
  return gCameraManager != nullptr ? gCameraManager->GetCamera(0) : nullptr;
}
