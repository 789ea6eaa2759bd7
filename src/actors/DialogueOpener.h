#pragma once

#include <cstdint>

class NPCStaticDialogue;

struct WorldPoint {
  int32_t x;
  int32_t y;
};

// What a dialogue NPC asks of the GUI above it: where the mouse is in the world, to compare a
// press or release with its click rectangle, and the dialogue window, to open its dialogue.
class DialogueOpener {
 public:
  virtual ~DialogueOpener() = default;

  // The mouse position in world coordinates.
  virtual WorldPoint MouseInWorld() = 0;
  // Makes the NPC the dialogue NPC and runs the dialogue script at the path (copied first: the
  // script may change the NPC's path or destroy the NPC).
  virtual void Open(NPCStaticDialogue& npc, const char* path) = 0;
};
