#include "actors/NPCStaticDialogue.h"

#include "actors/AIDrawingList.h"
#include "actors/DialogueOpener.h"
#include "core/Globals.h"
#include "core/Log.h"

NPCStaticDialogue::NPCStaticDialogue() { type = kDialogueType; }

bool NPCStaticDialogue::IsActiveFor(int32_t mode) {
  if (mode == -1) {
    redraw = true;
    return true;
  }
  if ((mode == 0 || mode == 1) && gDialogueOpener != nullptr) Click(*gDialogueOpener, mode);
  return false;
}

void NPCStaticDialogue::Click(DialogueOpener& opener, int32_t mode) {
  RecomputeBounds();
  const WorldPoint mouse = opener.MouseInWorld();
  const bool inside = IsInClickRect(mouse.x, mouse.y);
  if (mode == 0) {
    pressed = inside;
    return;
  }
  // A release ends the press: a later release with no press on the NPC (the press taken by a
  // widget) must not open the dialogue.
  const bool clicked = pressed && inside;
  pressed = false;
  if (!clicked) return;
  const char* path = GetDialoguePath();
  if (path == nullptr) {
    Log("NPC was clicked but didn't have a dialogue path set.\n");
    return;
  }
  opener.Open(*this, path);
}

void NPCStaticDialogue::UpdateAppearance() {
  if (drawingList) drawingList->Draw(&appearance, 0, 0, 0);
}
