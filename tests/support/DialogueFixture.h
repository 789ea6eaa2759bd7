#pragma once

#include <memory>
#include <string>

#include "actors/NPCStaticDialogue.h"
#include "core/EntityManager.h"
#include "gui/GUIDialogueManager.h"
#include "support/WidgetFixture.h"
#include "world/CameraManager.h"

// A conversation as start-up leaves it, at 800 x 600: the widget fixture's managers, the entity
// registry, the "Default" camera over the screen, and the dialogue window (hidden) made after the
// library holds its pane (a solid 800 x 220 picture), the dialogue font (Allegro's built-in one),
// the response bubble (a solid 12 x 12 picture) and two portraits, "Face" (48 x 48) and the
// background "Sky" (64 x 64).
class DialogueFixture : public WidgetFixture {
 protected:
  static constexpr Rgba kPane{10, 20, 30, 255};
  static constexpr Rgba kBubble{0, 0, 200, 255};
  static constexpr Rgba kFace{0, 90, 0, 255};
  static constexpr Rgba kSky{50, 0, 0, 255};
  static constexpr Rgba kText{215, 171, 20, 255};

  DialogueFixture();
  ~DialogueFixture() override;

  // A dialogue NPC registered under the name, centred at (x, y), whose dialogue is the script.
  NPCStaticDialogue* AddDialogueNPC(const char* name, int32_t x, int32_t y, const char* script);
  // A dialogue script that appends "<script code>:<last chat response> " to the global "ran".
  void WriteDialogueScript(const std::string& file, const std::string& more = "");

  std::unique_ptr<EntityManager> entities;
  std::unique_ptr<CameraManager> cameras;
  GUIDialogueManager* window = nullptr;
};
