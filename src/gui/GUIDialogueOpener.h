#pragma once

#include "actors/DialogueOpener.h"

// The dialogue window as the dialogue NPCs reach it, through the GUI manager's mouse and widgets.
class GUIDialogueOpener : public DialogueOpener {
 public:
  // The GUI manager's mouse position minus the screen position of the front-most shown
  // environment window under it, scaled from the window to the active camera's view, plus the
  // view's top-left corner. With no environment window under the mouse the screen stands in for
  // one (no offset, no scale); with no camera the view corner is (0, 0); with no GUI manager,
  // (0, 0).
  WorldPoint MouseInWorld() override;
  // The NPC becomes the dialogue NPC and its script runs with code -100, the dialogue window's
  // last chat response being -2 while it runs and -1 after (when the window outlives it). With
  // no dialogue window, "Couldn't find Dialogue Manager\n" and nothing else.
  void Open(NPCStaticDialogue& npc, const char* path) override;
};
