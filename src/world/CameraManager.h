#pragma once

#include <cstdint>
#include <lua.hpp>

#include "core/RLL.h"
#include "core/script/ScriptFamily.h"

class Camera;

// The named cameras, in insertion order, and the active one that scripts and the environment window
// use. The list holds the cameras; this manager destroys them.
class CameraManager {
 public:
  // One camera of that name and rectangle; it is active when its name is "Default".
  CameraManager(const char* name, int32_t x, int32_t y, int32_t w, int32_t h);
  ~CameraManager();
  CameraManager(const CameraManager&) = delete;
  CameraManager& operator=(const CameraManager&) = delete;

  // Appends a new camera; names need not be unique.
  Camera* AddCamera(const char* name, int32_t x, int32_t y, int32_t w, int32_t h);
  // Appends the camera (the manager owns it from now on); nothing for none.
  void AddExistingCamera(const char* name, Camera* camera);
  // Destroys the first camera of that name; the active camera is cleared when it was that one.
  // Nothing when no camera has the name.
  void RemoveCamera(const char* name);
  // First of that name from the head; none when absent.
  Camera* FindCamera(const char* name) const;
  // None for an index outside the list.
  Camera* GetCamera(int32_t index) const;
  int32_t GetCount() const { return cameras.GetCount(); }
  void Clear();

  Camera* GetActiveCamera() const { return active; }
  void SetActiveCamera(Camera* camera) { active = camera; }

 private:
  RLL cameras;
  Camera* active = nullptr;
};

// "CM_AddCamera", "CM_RemoveCamera", "CM_SetActiveCamera", "Cam_SetBoundaries"; the Lua manager
// registers them.
extern const ScriptFamily kCameraFamily;
