// The camera script functions.

#include <cstring>

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "world/Camera.h"
#include "world/CameraManager.h"

namespace {

int CM_AddCamera(lua_State* state) {
  ScriptCall call(state, "CM AddCamera");
  const char* name;
  if (CameraManager* cameras = call.Begin(5, gCameraManager, name)) {
    cameras->AddCamera(name, call.Integer(2), call.Integer(3), call.Integer(4), call.Integer(5));
  }
  return 0;
}

int CM_RemoveCamera(lua_State* state) {
  ScriptCall call(state, "CM RemoveCamera");
  const char* name;
  if (!call.Arguments(1, name)) return 0;
  if (std::strcmp(name, "Default") == 0) {
    Log("CM RemoveCamera:  Cannot remove the Default Camera\n");
    return 0;
  }
  if (CameraManager* cameras = call.Require(gCameraManager)) cameras->RemoveCamera(name);
  return 0;
}

int CM_SetActiveCamera(lua_State* state) {
  ScriptCall call(state, "CM SetActiveCamera");
  const char* name;
  CameraManager* cameras = call.Begin(1, gCameraManager, name);
  if (cameras == nullptr) return 0;
  Camera* camera = cameras->FindCamera(name);
  if (camera == nullptr) return call.Fail("could not find camera %s", name);
  cameras->SetActiveCamera(camera);
  return 0;
}

int Cam_SetBoundaries(lua_State* state) {
  ScriptCall call(state, "Cam SetBoundaries");
  CameraManager* cameras = call.Begin(4, gCameraManager);
  if (cameras == nullptr) return 0;
  Camera* camera = cameras->GetActiveCamera();
  if (camera == nullptr) return call.Fail("Active Camera not set");
  camera->SetBoundaries(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4));
  return 0;
}

const ScriptFunction kCameraFunctions[] = {
    ScriptEntry<CM_AddCamera>("CM_AddCamera"),
    ScriptEntry<CM_RemoveCamera>("CM_RemoveCamera"),
    ScriptEntry<CM_SetActiveCamera>("CM_SetActiveCamera"),
    ScriptEntry<Cam_SetBoundaries>("Cam_SetBoundaries"),
};

}  // namespace

const ScriptFamily kCameraFamily = {"Cameras", ScriptTiming::WithLuaManager, kCameraFunctions};
