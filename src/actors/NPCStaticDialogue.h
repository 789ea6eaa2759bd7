#pragma once

#include "actors/NonPlayingCharacter.h"

class DialogueOpener;

// An NPC that opens its dialogue when the user presses and releases the mouse on it. Its queue
// and default script run only on ticks; presses and releases are compared with its click
// rectangle at the mouse's world position, and the dialogue opens through gDialogueOpener.
class NPCStaticDialogue : public NonPlayingCharacter {
 public:
  NPCStaticDialogue();

  // A press (0) or release (1), without a dialogue opener unanswered. A press records whether it
  // fell inside the click rectangle; a release inside after such a press opens the dialogue (with
  // "NPC was clicked but didn't have a dialogue path set.\n" instead when it has none). Every
  // release ends the press. Answers false for both: the queue runs only on ticks.
  bool IsActiveFor(int32_t mode) override;
  void UpdateAppearance() override;

  // Whether the last press that reached the NPCs fell inside the click rectangle.
  bool IsPressed() const { return pressed; }
  void SetPressed(bool on) { pressed = on; }

 private:
  // The press or release, with the opener there.
  void Click(DialogueOpener& opener, int32_t mode);

  bool pressed = false;
};
