#pragma once

#include <allegro5/allegro.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <functional>
#include <lua.hpp>
#include <utility>

#include "core/KeyBinding.h"
#include "core/RLL.h"
#include "core/script/ScriptFamily.h"

// Turns Allegro's keyboard state into per-key and per-action states with press and release edges.
// It keeps one binding per key name (119, for text input and key configuration) and one per game
// action (17, each on up to two keys, read by the player), the shift, control and caps-lock state,
// and the keycode-to-character map of text input. Scripts rebind actions with "CFG_SetKey"; the
// "Menu" action ends the game.
class KeyboardManager {
 public:
  static constexpr int32_t kKeyCount = ALLEGRO_KEY_MAX;  // entries of the character map

  // The default key names, actions and character map; registers the keyboard script functions
  // with the Lua manager, when there is one. With the keyboard installed it also listens to the
  // keyboard's key-down events itself (see NoteKeyDown).
  KeyboardManager();
  ~KeyboardManager();
  KeyboardManager(const KeyboardManager&) = delete;
  KeyboardManager& operator=(const KeyboardManager&) = delete;

  // The key counts as held at the next update of each list even when the state says it is up by
  // then, so a tap shorter than a tick is never lost. Keycodes outside Allegro's range are ignored.
  void NoteKeyDown(int32_t keycode);

  // Updates the key-name list (and shift, control, caps lock) from the state, telling
  // gKeyPressListener key 1 of each key name that goes down; the game loop calls it at every key
  // event.
  void UpdateKeys(const ALLEGRO_KEYBOARD_STATE& state);
  // Which keys something else has the keyboard for now (a focused input box types with them).
  using KeysTaken = std::function<bool(int32_t keycode)>;
  // Sets the quit flag when the last update saw "Menu" held, then updates the action list; the
  // first stage of every tick. The keys taken count as not held for the actions, so typing never
  // moves the player.
  void UpdateActions(const ALLEGRO_KEYBOARD_STATE& state, const KeysTaken& taken = nullptr);

  // Values are KeyBinding*, by key name or action name in their fixed order; the bindings live as
  // long as the manager and are changed in place.
  const RLL& GetKeyNameList() const { return keyNames; }
  const RLL& GetActionList() const { return actions; }
  // The first binding of that name (whole, case-sensitive); none when absent or for none.
  KeyBinding* FindKey(const char* name) const;
  KeyBinding* FindAction(const char* name) const;

  // Plain and shifted character of each keycode; 0 where a key gives none.
  using CharMap = std::array<std::array<uint8_t, 2>, kKeyCount>;
  const CharMap& GetCharMap() const { return charMap; }
  // The character a key types now: the shifted column when exactly one of shift and caps lock is
  // on. 0 for keycodes outside the map (the GUI's last key is -1 before any press).
  uint8_t CharacterOf(int32_t keycode) const;
  bool GetShift() const { return shift; }
  bool GetCapsLock() const { return capsLock; }
  bool GetControl() const { return control; }

  // Set by its script function and kept; the player's controls do not consult it.
  bool IsPlayerInputEnabled() const { return playerInput; }
  void EnablePlayerInput() { playerInput = true; }
  void DisablePlayerInput() { playerInput = false; }
  // Whether some key name went down at the last update.
  bool AnyKeyPressed() const;

  // Binds the action to key 1 of each key name ("NONE" gives -1) and answers true. Otherwise
  // nothing changes, and missing (when given) is the first of the three names not found.
  bool SetKey(const char* action, const char* keyName1, const char* keyName2,
              const char** missing = nullptr);

 private:
  using Bindings = std::deque<KeyBinding>;
  using KeySet = std::bitset<ALLEGRO_KEY_MAX>;

  static void Add(RLL& list, Bindings& bindings, const char* name, int32_t key1, int32_t key2);
  // One update of a list; the key-name list also tracks shift, control and caps lock. The keys
  // noted down since the list's last update count as held, and the note is used up.
  void UpdateList(Bindings& bindings, bool keyNameList, const ALLEGRO_KEYBOARD_STATE& state,
                  KeySet& noted, const KeysTaken& taken = nullptr);
  void TakeKeyDownEvents();

  bool playerInput = true;
  Bindings keyBindings;
  Bindings actionBindings;
  RLL keyNames;
  RLL actions;
  CharMap charMap{};
  bool shift = false;
  bool capsLock = false;
  bool control = false;
  ALLEGRO_EVENT_QUEUE* keyEvents = nullptr;
  KeySet notedForKeys;
  KeySet notedForActions;
};

// "KeyboardManager_SetPlayerInputState", "KeyboardManager_AttachScript",
// "KeyboardManager_DetachScript" and "CFG_SetKey"; the keyboard manager's constructor registers
// them.
extern const ScriptFamily kKeyboardFamily;
