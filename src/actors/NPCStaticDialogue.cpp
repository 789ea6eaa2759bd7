#include "actors/NPCStaticDialogue.h"

#include "actors/AIDrawingList.h"
#include "core/Globals.h"

namespace {
NPCStaticDialogue::ClickHandler& Handler() {
  static NPCStaticDialogue::ClickHandler handler;
  return handler;
}
const bool resetRegistered = AddHookReset([] { Handler() = nullptr; });
}  // namespace

void NPCStaticDialogue::SetClickHandler(ClickHandler handler) { Handler() = std::move(handler); }

NPCStaticDialogue::NPCStaticDialogue() { type = kDialogueType; }

bool NPCStaticDialogue::IsActiveFor(int32_t mode) {
  if (mode == -1) {
    redraw = true;
    return true;
  }
  if (mode != 0 && mode != 1) return false;
  // A copy: the handler may run a script that installs another.
  const ClickHandler handler = Handler();
  return handler ? handler(*this, mode) : false;
}

void NPCStaticDialogue::UpdateAppearance() {
  if (drawingList) drawingList->Draw(&appearance, 0, 0, 0);
}
