#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <cstdint>
#include <lua.hpp>
#include <memory>
#include <vector>

#include "core/script/ScriptFamily.h"
#include "gui/ChatBubble.h"
#include "gui/GUIBaseObject.h"

class ImageObject;
class PortraitHolder;

// The conversation box: a pane picture, a portrait over a portrait background on the left and
// twelve lines on the right, any of which may be a response. Scripts fill it; a click on a
// response stores its code as the last chat response and, unless the code is -3 (which hides the
// window), runs the dialogue NPC's script again with code -100.
//
// Layout from the window's top-left corner: the pane at (0, 0), the portraits at (11, 13), line i
// at (225, 13 + 16 i); releases pick lines within x 225 to 676 and y 13 to 204.
class GUIDialogueManager : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3040;
  static constexpr int32_t kLinesLeft = 225;
  static constexpr int32_t kLinesTop = 13;
  static constexpr int32_t kPickWidth = 451;
  static constexpr int32_t kPickBottom = 204;
  static constexpr int32_t kPortraitX = 11;
  static constexpr int32_t kPortraitY = 13;
  // A plain line's code, the one that hides the window, and the code of the dialogue script.
  static constexpr int32_t kPlainLine = -1;
  static constexpr int32_t kCloseCode = -3;
  static constexpr int32_t kDialogueScriptCode = -100;

  // The pane and the font are looked up in the data library once, here; twelve shown lines of " ".
  GUIDialogueManager();
  ~GUIDialogueManager() override;

  // Appends a shown plain line.
  void AddLine(const char* text);
  // The line at the index from the top; nothing when there is none.
  void SetLineText(int32_t index, const char* text);
  void SetLineResponse(int32_t index, const char* text, int32_t code);
  // That line's code; -1 when there is no such line or it is plain.
  int32_t GetResponseValue(int32_t index) const;
  // Hides every line.
  void ClearLines();
  void RemoveLine(int32_t index);
  const ChatBubble* GetLine(int32_t index) const;
  int32_t GetLineCount() const { return static_cast<int32_t>(lines.size()); }

  // Images/Portraits/Corvella/<name>; a miss leaves no portrait and logs
  // "Scanning for portrait FAILED\n".
  void SetPortrait(const char* name);
  // Images/Portraits/Backgrounds/<name>; a miss leaves none and logs
  // "Scanning for background FAILED\n".
  void SetPortraitBackground(const char* name);
  const PortraitHolder* GetPortrait() const { return portrait; }
  const PortraitHolder* GetPortraitBackground() const { return portraitBackground; }

  void SetLastChatResponse(int32_t code) { lastChatResponse = code; }
  int32_t GetLastChatResponse() const { return lastChatResponse; }
  bool IsPressed() const { return pressed; }

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  void EndPress() override { pressed = false; }
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

 private:
  // The code of a release at (x, y) in the parent's coordinates: handled (consumed) or passed on.
  bool PickAt(int32_t x, int32_t y);

  ImageObject* pane = nullptr;
  PortraitHolder* portraitBackground = nullptr;
  PortraitHolder* portrait = nullptr;
  ALLEGRO_FONT* font = nullptr;
  ALLEGRO_COLOR textColour;
  std::vector<std::unique_ptr<ChatBubble>> lines;
  int32_t lastChatResponse = kPlainLine;
  bool pressed = false;
  int32_t lineHeight = 16;
};

// The first widget named "DialogueManager" that is a dialogue window (a widget of that name and
// another type is passed over); none, with the GUI manager's
// "FindGUIObject:  Failed, object DialogueManager not found\n", when there is none or no GUI
// manager.
GUIDialogueManager* FindDialogueManager();

// The dialogue functions: "SetPortrait", "SetPortraitBackground", "SetDialogueLine",
// "SetDialogueLineIncr", "SetDialogueResponse", "SetDialogueResponseIncr", "GetLastChatResponse",
// "ClearDialogue"; the Lua manager registers them.
extern const ScriptFamily kDialogueFamily;
