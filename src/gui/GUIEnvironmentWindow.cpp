#include "gui/GUIEnvironmentWindow.h"

#include "actors/ObjectManager.h"
#include "actors/ShooterMiniGameManager.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "gui/GUIManager.h"
#include "resources/GLUtilities.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"
#include "world/CameraManager.h"
#include "world/MapManager.h"

namespace {
void DrawMapPass(ImageObject* view, Camera* camera, int32_t pass) {
  if (gMapManager != nullptr) gMapManager->Draw(view, camera, pass);
}
}  // namespace

GUIEnvironmentWindow::GUIEnvironmentWindow() { typeCode = kTypeCode; }

bool GUIEnvironmentWindow::OnInput(int32_t, int32_t, int32_t) { return false; }

PropertyRef GUIEnvironmentWindow::GetPropertyAddress(const char*, const char*) {
  return PropertyRef();
}

Camera* GUIEnvironmentWindow::TakeActiveCamera() {
  if (gCameraManager == nullptr) return nullptr;
  if (Camera* camera = gCameraManager->GetActiveCamera()) return camera;
  Log("Display Manager reports there is no active Camera.\n");
  Log("Setting the Active to the Default.\n");
  Camera* fallback = gCameraManager->FindCamera("Default");
  gCameraManager->SetActiveCamera(fallback);
  return fallback;
}

void GUIEnvironmentWindow::Draw() {
  Camera* camera = TakeActiveCamera();
  if (camera == nullptr) return;
  if (gGUIManager != nullptr) {
    camera->FollowPlayerInFrame(gGUIManager->GetFrameCount());
  } else {
    camera->FollowPlayer();
  }
  view = camera->GetImage();
  if (view == nullptr) {
    Log("Camera does not have an active view...\n");
    return;
  }
  DrawWorld(*camera);
  Buffer().SetAsTarget();
  view->DrawScaled(0, 0, camera->GetWidth(), camera->GetHeight(), 0, 0, width, height, 0);
  // Drawn again next frame: the world moves whether or not anything marks the window.
  dirty = true;
}

void GUIEnvironmentWindow::DrawWorld(Camera& camera) {
  view->SetAsTarget();
  view->ClearToBlack();
  // The OpenGL road clears without making the view the target.
  view->SetAsTarget();
  DrawMapPass(view, &camera, 0);
  {
    // The actors draw only images: the OpenGL road gathers the quads of each run of one bitmap.
    const GLHeldDrawing hold;
    if (gShooterMiniGameManager != nullptr) gShooterMiniGameManager->Draw(view, &camera);
    if (gEntityManager != nullptr) gEntityManager->Draw(view, &camera);
    if (gObjectManager != nullptr) gObjectManager->Draw(view, &camera);
  }
  RenderChildren(*view);
  DrawMapPass(view, &camera, 1);
}
