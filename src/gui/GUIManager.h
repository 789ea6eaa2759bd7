#pragma once

#include <cstdint>

#include "actors/ShooterInput.h"
#include "core/KeyPressListener.h"
#include "core/RLL.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUINameIndex.h"
#include "world/WorldClick.h"

class ImageObject;

// Owns the tree of widgets and the GUI's shared state: the top-level list (head = front-most), the
// mouse position and button, the last key, and the pointers that widgets and script functions
// share (active object and list, dragged object, focused input box, last scroll bar and button).
// Mouse events and ticks go through the tree front to back; the frame is drawn back to front.
class GUIManager : public WorldClick, public ShooterInput, public KeyPressListener {
 public:
  // Fills the property router's "GUI" slot for as long as it lives.
  GUIManager();
  // Destroys every widget.
  ~GUIManager();
  GUIManager(const GUIManager&) = delete;
  GUIManager& operator=(const GUIManager&) = delete;

  void SetMousePosition(float x, float y) override {
    mouseX = x;
    mouseY = y;
  }
  float GetMouseX() const { return mouseX; }
  float GetMouseY() const { return mouseY; }
  bool IsMouseButtonHeld() const { return mouseButtonHeld; }
  // The shooter fires while a button is held, toward the mouse.
  bool MouseHeld() override { return mouseButtonHeld; }
  void Aim(float& x, float& y) override {
    x = mouseX;
    y = mouseY;
  }
  void SetLastKey(int32_t key) { lastKey = key; }
  void KeyPressed(int32_t keycode) override { lastKey = keycode; }
  int32_t GetLastKey() const { return lastKey; }

  void SetFocusedInputBox(GUIBaseObject* box) { focusedInputBox = box; }
  GUIBaseObject* GetFocusedInputBox() const { return focusedInputBox; }
  // Whether the focused input box has the keyboard (it and its ancestors are shown) and types
  // with this key; the player's actions then leave the key to it.
  bool InputBoxTakesKey(int32_t keycode) const;
  void SetDraggedObject(GUIBaseObject* object) { draggedObject = object; }
  GUIBaseObject* GetDraggedObject() const { return draggedObject; }
  void SetLastTouchedScrollBar(GUIBaseObject* bar) { lastTouchedScrollBar = bar; }
  GUIBaseObject* GetLastTouchedScrollBar() const { return lastTouchedScrollBar; }
  void SetLastFiredButton(GUIBaseObject* button) { lastFiredButton = button; }
  GUIBaseObject* GetLastFiredButton() const { return lastFiredButton; }
  // Empties each of the four slots above (focused input box, dragged object, last touched scroll
  // bar, last fired button) that names the widget: every widget's destructor calls it.
  void Forget(const GUIBaseObject* widget);

  // 0 press, 1 release, -1 tick. A tick first gives the dragged object its drag step, then reaches
  // every visible widget; a press or release goes front to back until a widget takes it. After a
  // release no drag or press is left under way anywhere. Answers whether a widget took it.
  bool DispatchMouse(int32_t event);
  // A key event (2 down, 3 up) for the focused input box, while it and all its ancestors are shown.
  // A key down makes its key the last key first, so the box types the key of this event.
  void DispatchKey(int32_t event, int32_t keycode);
  // Clears the frame to opaque black and draws every top-level widget from the back to the front.
  void Draw(ImageObject& frame);
  // How many frames Draw has begun (wraps); the frame being drawn during a Draw.
  uint32_t GetFrameCount() const { return frames; }

  // Moves the object to the head of the owner's children (the top level for none). An object not
  // in that list logs the list's warning and nothing moves.
  void BringToFront(GUIBaseObject* owner, GUIBaseObject* object);
  // Pre-order search of the whole tree from the front, for the name and, when one is given, the
  // type code (widgets of that name and another type are passed over). A miss logs
  // "FindGUIObject:  Failed, object %s not found\n" and answers none. The name index answers
  // when one widget matches; only names held several times are searched.
  GUIBaseObject* FindGUIObject(const char* name, int32_t type = GUIBaseObject::kAnyType) const;
  // The same search, silent (for the property router).
  GUIBaseObject* FindQuietly(const char* name, int32_t type = GUIBaseObject::kAnyType) const;
  // "Base": the top level (and no list owner). Otherwise the named object's children, which
  // becomes the list owner; none (with FindGUIObject's line) when there is no such object.
  RLL* GetListOwner(const char* name);
  // Hides every top-level widget but the one named exactly "EnvironmentWindow".
  void HideAllObjects();
  // Creates the dialogue window: the screen's width, the bottom 0.3666667 of its height, at the
  // front of the top level under "DialogueManager", hidden.
  void CreateDialogueManager();

  // Appends the widget at the tail of the active list as the active list owner's child, under the
  // name, and makes it the active object. Takes ownership; the caller has checked the list.
  void AddToActiveList(const char* name, GUIBaseObject* object);

  // The active object := the first of that name in the active list (none when absent or when no
  // list is active). Answers whether one was found.
  bool SetActiveObjectByName(const char* name);
  // The active list := GetListOwner(name); answers whether there is one.
  bool SetActiveObjectList(const char* name);
  // The active list := the top level, then the active object := FindGUIObject(name) and, when
  // found, the active list := its children with it as the owner. Answers whether it was found.
  bool SetActiveObjectAndListFromBase(const char* name);

  RLL& GetTopLevel() { return topLevel; }
  RLL* GetActiveList() const { return activeList; }
  GUIBaseObject* GetActiveListOwner() const { return activeListOwner; }
  GUIBaseObject* GetActiveObject() const { return activeObject; }
  void SetActiveObject(GUIBaseObject* object) { activeObject = object; }

 private:
  void EndEveryPress();

  PropertyOwnerSlot routerSlot;
  // Watches topLevel, so it is made first and gone last.
  GUINameIndex names;
  RLL topLevel;
  bool mouseButtonHeld = false;
  float mouseX = 320.0f;
  float mouseY = 240.0f;
  int32_t lastKey = -1;
  uint32_t frames = 0;
  GUIBaseObject* activeListOwner = nullptr;
  GUIBaseObject* activeObject = nullptr;
  RLL* activeList = nullptr;
  GUIBaseObject* draggedObject = nullptr;
  GUIBaseObject* lastTouchedScrollBar = nullptr;
  GUIBaseObject* lastFiredButton = nullptr;
  GUIBaseObject* focusedInputBox = nullptr;
};

// The GUI manager's functions ("GUI_", "GUIOL_") and those every widget takes ("GUIG_"); the Lua
// manager registers them.
extern const ScriptFamily kGUIFamily;
