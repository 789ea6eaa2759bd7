#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

// The image push button. A click (a press and a release inside it) runs its script with its
// script code, or calls one of the built-in actions; either way the click is consumed. It shows
// its pressed image while pressed, its hover image while the mouse is over it, else its normal
// image, and is marked for redrawing on every event it hears.
class GUIButton : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3010;

  // A built-in action: answers whether it found something to act on.
  using Action = bool (*)();

  GUIButton();

  // Each from Images/GUI/Buttons; a missing one (or no data library) draws nothing in its state.
  void SetImages(const char* normal, const char* hover, const char* pressed);
  void SetDisplayData(int32_t value, int32_t flags);
  // Script mode: a click runs the script with the code.
  void SetScriptData(const char* name, int32_t code);
  // Function mode: a click calls the action of that name; a name not in the table gives none.
  void SetFunction(const char* name);
  // The action whose name equals the text exactly; none for any other text and for none.
  static Action FindAction(const char* name);

  // Whether a press and a release inside both happened; clears both.
  bool TakeReleased();

  int32_t GetDisplayValue() const { return displayValue; }
  int32_t GetDrawFlags() const { return drawFlags; }
  bool IsPressed() const { return pressed; }
  const std::optional<std::string>& GetScriptName() const { return scriptName; }
  int32_t GetScriptCode() const { return scriptCode; }
  Action GetAction() const { return action; }

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;
  void EndPress() override;

 private:
  // The image of the state the button is in.
  const ImageObject* Shown() const;

  int32_t displayValue = 0;
  bool pressed = false;
  bool hover = false;
  bool releasedInside = false;
  int32_t drawFlags = 0;
  ImageObject* hoverImage = nullptr;
  ImageObject* normalImage = nullptr;
  ImageObject* pressedImage = nullptr;
  Action action = nullptr;
  bool scriptMode = false;
  std::optional<std::string> scriptName;
  int32_t scriptCode = -1;
};

// The buttons' script functions ("GUIB_"); the Lua manager registers them.
extern const ScriptFamily kGUIButtonFamily;
