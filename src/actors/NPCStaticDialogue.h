#pragma once

#include <functional>

#include "actors/NonPlayingCharacter.h"

// An NPC that opens its dialogue when the user presses and releases the mouse on it. Its queue
// and default script run only on ticks; presses and releases go to the click handler, which the
// dialogue window provides.
class NPCStaticDialogue : public NonPlayingCharacter {
 public:
  // Handles a press (0) or release (1) for the NPC; answers whether the NPC's queue runs for it
  // (the dialogue window answers false).
  using ClickHandler = std::function<bool(NPCStaticDialogue& npc, int32_t mode)>;
  // None leaves presses and releases unanswered (false).
  static void SetClickHandler(ClickHandler handler);

  NPCStaticDialogue();

  bool IsActiveFor(int32_t mode) override;
  void UpdateAppearance() override;

  // Whether the last press that reached the NPCs fell inside the click rectangle.
  bool IsPressed() const { return pressed; }
  void SetPressed(bool on) { pressed = on; }

 private:
  bool pressed = false;
};
