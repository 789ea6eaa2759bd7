#pragma once

#include <cstdint>

class NPCStaticDialogue;

struct WorldPoint {
  int32_t x;
  int32_t y;
};

// The GUI manager's mouse position in world coordinates: minus the screen position of the
// front-most shown environment window under it, scaled from the window to the active camera's
// view, plus the view's top-left corner. With no environment window under the mouse the screen
// stands in for one (no offset, no scale); with no camera the view corner is (0, 0).
WorldPoint MouseInWorld();

// A dialogue NPC's press (0) or release (1). A press records whether it fell inside the NPC's
// click rectangle; a release inside after such a press makes the NPC the dialogue NPC and runs
// its dialogue script with code -100, the dialogue window's last chat response being -2 while it
// runs and -1 after. Every release ends the press. Answers false: the NPC's queue runs only on
// ticks.
bool HandleDialogueClick(NPCStaticDialogue& npc, int32_t mode);
