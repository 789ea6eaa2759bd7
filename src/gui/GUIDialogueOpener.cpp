#include "gui/GUIDialogueOpener.h"

#include <string>

#include "actors/NPCStaticDialogue.h"
#include "core/Convert.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIDialogueManager.h"
#include "gui/GUIEnvironmentWindow.h"
#include "gui/GUIManager.h"
#include "world/Camera.h"
#include "world/CameraManager.h"

namespace {

struct ScreenRect {
  int64_t left, top, width, height;
};

ScreenRect OnScreen(const GUIBaseObject& widget) {
  ScreenRect rect{widget.GetLeft(), widget.GetTop(), widget.GetWidth(), widget.GetHeight()};
  for (const GUIBaseObject* up = widget.GetParent(); up != nullptr; up = up->GetParent()) {
    rect.left += up->GetLeft();
    rect.top += up->GetTop();
  }
  return rect;
}

// Front to back, parents before their children, as a click is offered.
const GUIBaseObject* EnvironmentWindowAt(const RLL& list, int64_t x, int64_t y) {
  for (void* value : list.Values()) {
    const auto* widget = static_cast<const GUIBaseObject*>(value);
    if (!widget->IsShown()) continue;
    const ScreenRect rect = OnScreen(*widget);
    if (widget->GetType() == GUIEnvironmentWindow::kTypeCode && rect.left <= x &&
        x <= rect.left + rect.width && rect.top <= y && y <= rect.top + rect.height) {
      return widget;
    }
    if (const GUIBaseObject* inner = EnvironmentWindowAt(widget->GetChildren(), x, y)) {
      return inner;
    }
  }
  return nullptr;
}

int64_t Scaled(int64_t offset, int64_t viewSize, int64_t windowSize) {
  return windowSize > 0 && viewSize > 0 ? offset * viewSize / windowSize : offset;
}

}  // namespace

WorldPoint GUIDialogueOpener::MouseInWorld() {
  if (gGUIManager == nullptr) return {0, 0};
  const int64_t x = ToInt32(gGUIManager->GetMouseX());
  const int64_t y = ToInt32(gGUIManager->GetMouseY());
  const Camera* camera = gCameraManager != nullptr ? gCameraManager->GetActiveCamera() : nullptr;
  int64_t worldX = x;
  int64_t worldY = y;
  if (const GUIBaseObject* window = EnvironmentWindowAt(gGUIManager->GetTopLevel(), x, y)) {
    const ScreenRect rect = OnScreen(*window);
    worldX = Scaled(x - rect.left, camera != nullptr ? camera->GetWidth() : 0, rect.width);
    worldY = Scaled(y - rect.top, camera != nullptr ? camera->GetHeight() : 0, rect.height);
  }
  if (camera != nullptr) {
    worldX += camera->GetViewX();
    worldY += camera->GetViewY();
  }
  return {ToInt32(static_cast<double>(worldX)), ToInt32(static_cast<double>(worldY))};
}

void GUIDialogueOpener::Open(NPCStaticDialogue& npc, const char* path) {
  GUIDialogueManager* window = FindDialogueManager();
  if (window == nullptr) {
    Log("Couldn't find Dialogue Manager\n");
    return;
  }
  if (gEntityManager != nullptr) gEntityManager->SetDialogueNPC(&npc);
  const LifetimeToken windowAlive = window->GetLifetimeToken();
  window->SetLastChatResponse(-2);
  if (gLuaManager != nullptr) {
    gLuaManager->ExecuteScript(path, GUIDialogueManager::kDialogueScriptCode);
  }
  if (windowAlive.IsAlive()) window->SetLastChatResponse(-1);
}
