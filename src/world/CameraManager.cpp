#include "world/CameraManager.h"

#include <cstring>

#include "world/Camera.h"

CameraManager::CameraManager(const char* name, int32_t x, int32_t y, int32_t w, int32_t h) {
  Camera* camera = AddCamera(name, x, y, w, h);
  if (name != nullptr && std::strcmp(name, "Default") == 0) active = camera;
}

CameraManager::~CameraManager() { Clear(); }

Camera* CameraManager::AddCamera(const char* name, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (name == nullptr) return nullptr;
  auto* camera = new Camera(x, y, w, h);
  cameras.AddTail(name, camera);
  return camera;
}

void CameraManager::AddExistingCamera(const char* name, Camera* camera) {
  if (camera == nullptr || name == nullptr) return;
  cameras.AddTail(name, camera);
}

void CameraManager::RemoveCamera(const char* name) {
  auto* camera = static_cast<Camera*>(cameras.Remove(name));
  if (camera == nullptr) return;
  if (camera == active) active = nullptr;
  delete camera;
}

Camera* CameraManager::FindCamera(const char* name) const {
  return static_cast<Camera*>(cameras.Find(name));
}

Camera* CameraManager::GetCamera(int32_t index) const {
  return static_cast<Camera*>(cameras.GetAt(index));
}

void CameraManager::Clear() {
  for (void* camera : cameras.Values()) delete static_cast<Camera*>(camera);
  cameras.Clear();
  active = nullptr;
}
