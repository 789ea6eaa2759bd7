#include "program/ProgramLoop.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

#include "actors/AIManager.h"
#include "actors/ObjectManager.h"
#include "actors/Player.h"
#include "actors/ShooterMiniGameManager.h"
#include "core/DeferredCallList.h"
#include "core/DisplayManager.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/Log.h"
#include "core/TimerManager.h"
#include "gui/ChatManager.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIManager.h"
#include "resources/ImageObject.h"
#include "world/BackgroundManager.h"
#include "world/MapManager.h"
#include "world/TriggerManager.h"

namespace {

// A stage that acts on one manager, skipped while the manager does not exist.
template <class Manager, class Step>
TickStage Stage(const char* name, Manager*& manager, Step step) {
  return {name, [&manager, step](const TickTime& time) {
            if (manager != nullptr) step(*manager, time);
          }};
}

}  // namespace

std::vector<TickStage> ProgramTickStages() {
  // One row per stage, in tick order:
  //   keyboard actions, timers, background, shooter mini-game, player, triggers (0.0), objects,
  //   entities, AI, GUI mouse (-1), chat, map (-1, -1, -1), deferred calls.
  return {
      Stage("KeyboardManager::UpdateActions", gKeyboardManager,
            [](KeyboardManager& keyboard, const TickTime&) {
              keyboard.UpdateActions(gKeyboardState, [](int32_t keycode) {
                return gGUIManager != nullptr && gGUIManager->InputBoxTakesKey(keycode);
              });
            }),
      Stage("TimerManager::Tick", gTimerManager,
            [](TimerManager& timers, const TickTime&) { timers.Tick(); }),
      Stage("BackgroundManager::Update", gBackgroundManager,
            [](BackgroundManager& scenery, const TickTime&) { scenery.Update(); }),
      Stage("ShooterMiniGameManager::Update", gShooterMiniGameManager,
            [](ShooterMiniGameManager& shooter, const TickTime&) { shooter.Update(); }),
      Stage("Player::Update", gPlayer, [](Player& player, const TickTime&) { player.Update(); }),
      Stage("TriggerManager::Update", gTriggerManager,
            [](TriggerManager& triggers, const TickTime&) { triggers.Update(0.0f); }),
      Stage("ObjectManager::Update", gObjectManager,
            [](ObjectManager& objects, const TickTime&) { objects.Update(); }),
      Stage("EntityManager::Update", gEntityManager,
            [](EntityManager& entities, const TickTime&) { entities.Update(); }),
      Stage("AIManager::Update", gAIManager, [](AIManager& ai, const TickTime&) { ai.Update(); }),
      Stage("GUIManager::DispatchMouse", gGUIManager,
            [](GUIManager& gui, const TickTime&) { gui.DispatchMouse(GUIBaseObject::kTick); }),
      Stage("ChatManager::Update", gChatManager,
            [](ChatManager& chat, const TickTime&) { chat.Update(); }),
      Stage("MapManager::HandleEvent", gMapManager,
            [](MapManager& map, const TickTime&) { map.HandleEvent(MapManager::kTick, -1, -1); }),
      // The rest of the tick's time goes to the deferred calls; at least one runs every tick.
      Stage("DeferredCallList::Run", gDeferredCallList,
            [](DeferredCallList& calls, const TickTime& time) { calls.Run(time.Budget(), true); }),
  };
}

std::vector<DrawStage> ProgramDrawStages() {
  // One row per stage, in drawing order. The whole frame is the GUI manager's draw, which clears
  // the back buffer to black and brings the world in through the environment window; the wrapper
  // of the back buffer lives for this frame only.
  return {
      {"GUIManager::Draw",
       [] {
         if (gGUIManager == nullptr) {
           al_clear_to_color(al_map_rgb(0, 0, 0));
           return;
         }
         ImageObject frame;
         frame.Wrap(al_get_backbuffer(gDisplay), &gOpenGLMode);
         gGUIManager->Draw(frame);
       }},
  };
}

// The OpenGL quads of a frame lie at growing depths from 0, so the depth starts again every pass.
void ProgramHandlers::BeginPass() { gGLQuadDepth = 0.0f; }

void ProgramHandlers::ReadKeyboard() { al_get_keyboard_state(&gKeyboardState); }

void ProgramHandlers::UpdateKeys() {
  if (gKeyboardManager != nullptr) gKeyboardManager->UpdateKeys(gKeyboardState);
}

// The GUI manager's focused input box, mouse position and mouse dispatch are reached here once it
// exists. Until then no GUI object takes a press, and every press goes to the map manager.
void ProgramHandlers::FocusedInput(int32_t inputEvent, int32_t keycode) {
  if (gGUIManager != nullptr) gGUIManager->DispatchKey(inputEvent, keycode);
}
void ProgramHandlers::SetMousePosition(float x, float y) {
  if (gGUIManager != nullptr) gGUIManager->SetMousePosition(x, y);
}
bool ProgramHandlers::DispatchMouse(int32_t mode) {
  return gGUIManager != nullptr && gGUIManager->DispatchMouse(mode);
}
float ProgramHandlers::GetMouseX() {
  return gGUIManager != nullptr ? gGUIManager->GetMouseX() : 0.0f;
}
float ProgramHandlers::GetMouseY() {
  return gGUIManager != nullptr ? gGUIManager->GetMouseY() : 0.0f;
}
void ProgramHandlers::MapEvent(int32_t mode, int32_t x, int32_t y) {
  if (gMapManager != nullptr) gMapManager->HandleEvent(mode, x, y);
}

void ProgramHandlers::DrawFrame() {
  if (gDisplayManager != nullptr) gDisplayManager->DrawFrame(drawStages);
}

void RunPrimaryGameLoop() {
  gQuit = false;
  al_start_timer(gTimer);
  Log("Begin primary game loop\n");
  if (gOpenGLMode) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, gScreenWidth, 0.0, gScreenHeight, 0.0, 1280.0);
  }
  AllegroEventSource events(gEventQueue);
  ProgramHandlers handlers;
  GameLoop loop(events, handlers, ProgramTickStages());
  loop.Run();
}
