#include "core/KeyboardManager.h"

#include "core/Globals.h"
#include "core/KeyPressListener.h"
#include "core/script/ScriptCall.h"

namespace {

struct KeyName {
  const char* name;
  int32_t code;
};

// Every key name in list order; the codes are Allegro's keycodes.
// clang-format off
constexpr KeyName kKeyNames[] = {
    {"NONE", -1},
    {"ARROW_UP", ALLEGRO_KEY_UP},
    {"ARROW_RIGHT", ALLEGRO_KEY_RIGHT},
    {"ARROW_DOWN", ALLEGRO_KEY_DOWN},
    {"ARROW_LEFT", ALLEGRO_KEY_LEFT},
    {"LSHIFT", ALLEGRO_KEY_LSHIFT},
    {"RSHIFT", ALLEGRO_KEY_RSHIFT},
    {"TILDE", ALLEGRO_KEY_TILDE},
    {"MINUS", ALLEGRO_KEY_MINUS},
    {"EQUALS", ALLEGRO_KEY_EQUALS},
    {"BACKSPACE", ALLEGRO_KEY_BACKSPACE},
    {"TAB", ALLEGRO_KEY_TAB},
    {"OPENBRACE", ALLEGRO_KEY_OPENBRACE},
    {"CLOSEBRACE", ALLEGRO_KEY_CLOSEBRACE},
    {"ENTER", ALLEGRO_KEY_ENTER},
    {"SEMICOLON", ALLEGRO_KEY_SEMICOLON},
    {"QUOTE", ALLEGRO_KEY_QUOTE},
    {"BACKSLASH", ALLEGRO_KEY_BACKSLASH},
    {"BACKSLASH2", ALLEGRO_KEY_BACKSLASH2},
    {"COMMA", ALLEGRO_KEY_COMMA},
    {"FULLSTOP", ALLEGRO_KEY_FULLSTOP},
    {"SLASH", ALLEGRO_KEY_SLASH},
    {"SPACE", ALLEGRO_KEY_SPACE},
    {"INSERT", ALLEGRO_KEY_INSERT},
    {"DELETE", ALLEGRO_KEY_DELETE},
    {"HOME", ALLEGRO_KEY_HOME},
    {"END", ALLEGRO_KEY_END},
    {"PAGEUP", ALLEGRO_KEY_PGUP},
    {"PAGEDOWN", ALLEGRO_KEY_PGDN},
    {"PADSLASH", ALLEGRO_KEY_PAD_SLASH},
    {"PADASTERISK", ALLEGRO_KEY_PAD_ASTERISK},
    {"PADMINUS", ALLEGRO_KEY_PAD_MINUS},
    {"PADPLUS", ALLEGRO_KEY_PAD_PLUS},
    {"PADDELETE", ALLEGRO_KEY_PAD_DELETE},
    {"PADENTER", ALLEGRO_KEY_PAD_ENTER},
    {"PRINTSCREEN", ALLEGRO_KEY_PRINTSCREEN},
    {"PAUSE", ALLEGRO_KEY_PAUSE},
    {"ABNT_C1", ALLEGRO_KEY_ABNT_C1},
    {"YEN", ALLEGRO_KEY_YEN},
    {"KANA", ALLEGRO_KEY_KANA},
    {"CONVERT", ALLEGRO_KEY_CONVERT},
    {"NOCONVERT", ALLEGRO_KEY_NOCONVERT},
    {"AT", ALLEGRO_KEY_AT},
    {"CIRCUMFLEX", ALLEGRO_KEY_CIRCUMFLEX},
    {"COLON2", ALLEGRO_KEY_COLON2},
    {"KANJI", ALLEGRO_KEY_KANJI},
    {"LCONTROL", ALLEGRO_KEY_LCTRL},
    {"RCONTROL", ALLEGRO_KEY_RCTRL},
    {"ALT", ALLEGRO_KEY_ALT},
    {"ALTGR", ALLEGRO_KEY_ALTGR},
    {"LWINDOWS", ALLEGRO_KEY_LWIN},
    {"RWINDOWS", ALLEGRO_KEY_RWIN},
    {"MENU", ALLEGRO_KEY_MENU},
    {"SCROLLLOCK", ALLEGRO_KEY_SCROLLLOCK},
    {"NUMLOCK", ALLEGRO_KEY_NUMLOCK},
    {"CAPSLOCK", ALLEGRO_KEY_CAPSLOCK},
    {"PADEQUALS", ALLEGRO_KEY_PAD_EQUALS},
    {"BACKQUOTE", ALLEGRO_KEY_BACKQUOTE},
    {"SEMICOLON2", ALLEGRO_KEY_SEMICOLON2},
    {"COMMAND", ALLEGRO_KEY_COMMAND},
    {"ESCAPE", ALLEGRO_KEY_ESCAPE},
    {"A", ALLEGRO_KEY_A},
    {"B", ALLEGRO_KEY_B},
    {"C", ALLEGRO_KEY_C},
    {"D", ALLEGRO_KEY_D},
    {"E", ALLEGRO_KEY_E},
    {"F", ALLEGRO_KEY_F},
    {"G", ALLEGRO_KEY_G},
    {"H", ALLEGRO_KEY_H},
    {"I", ALLEGRO_KEY_I},
    {"J", ALLEGRO_KEY_J},
    {"K", ALLEGRO_KEY_K},
    {"L", ALLEGRO_KEY_L},
    {"M", ALLEGRO_KEY_M},
    {"N", ALLEGRO_KEY_N},
    {"O", ALLEGRO_KEY_O},
    {"P", ALLEGRO_KEY_P},
    {"Q", ALLEGRO_KEY_Q},
    {"R", ALLEGRO_KEY_R},
    {"S", ALLEGRO_KEY_S},
    {"T", ALLEGRO_KEY_T},
    {"U", ALLEGRO_KEY_U},
    {"V", ALLEGRO_KEY_V},
    {"W", ALLEGRO_KEY_W},
    {"X", ALLEGRO_KEY_X},
    {"Y", ALLEGRO_KEY_Y},
    {"Z", ALLEGRO_KEY_Z},
    {"0", ALLEGRO_KEY_0},
    {"PAD0", ALLEGRO_KEY_PAD_0},
    {"1", ALLEGRO_KEY_1},
    {"PAD1", ALLEGRO_KEY_PAD_1},
    {"2", ALLEGRO_KEY_2},
    {"PAD2", ALLEGRO_KEY_PAD_2},
    {"3", ALLEGRO_KEY_3},
    {"PAD3", ALLEGRO_KEY_PAD_3},
    {"4", ALLEGRO_KEY_4},
    {"PAD4", ALLEGRO_KEY_PAD_4},
    {"5", ALLEGRO_KEY_5},
    {"PAD5", ALLEGRO_KEY_PAD_5},
    {"6", ALLEGRO_KEY_6},
    {"PAD6", ALLEGRO_KEY_PAD_6},
    {"7", ALLEGRO_KEY_7},
    {"PAD7", ALLEGRO_KEY_PAD_7},
    {"8", ALLEGRO_KEY_8},
    {"PAD8", ALLEGRO_KEY_PAD_8},
    {"9", ALLEGRO_KEY_9},
    {"PAD9", ALLEGRO_KEY_PAD_9},
    {"F1", ALLEGRO_KEY_F1},
    {"F2", ALLEGRO_KEY_F2},
    {"F3", ALLEGRO_KEY_F3},
    {"F4", ALLEGRO_KEY_F4},
    {"F5", ALLEGRO_KEY_F5},
    {"F6", ALLEGRO_KEY_F6},
    {"F7", ALLEGRO_KEY_F7},
    {"F8", ALLEGRO_KEY_F8},
    {"F9", ALLEGRO_KEY_F9},
    {"F10", ALLEGRO_KEY_F10},
    {"F11", ALLEGRO_KEY_F11},
    {"F12", ALLEGRO_KEY_F12},
};
// clang-format on
static_assert(std::size(kKeyNames) == 119);

struct Action {
  const char* name;
  int32_t key1;
  int32_t key2;
};

constexpr Action kActions[] = {
    {"Up", ALLEGRO_KEY_UP, ALLEGRO_KEY_W},
    {"Down", ALLEGRO_KEY_DOWN, ALLEGRO_KEY_S},
    {"Left", ALLEGRO_KEY_LEFT, ALLEGRO_KEY_A},
    {"Right", ALLEGRO_KEY_RIGHT, ALLEGRO_KEY_D},
    {"RunHold", ALLEGRO_KEY_LSHIFT, ALLEGRO_KEY_RSHIFT},
    {"RunToggle", ALLEGRO_KEY_CAPSLOCK, -1},
    {"TrotToggle", ALLEGRO_KEY_T, -1},
    {"Jump", ALLEGRO_KEY_SPACE, -1},
    {"Buck", ALLEGRO_KEY_Z, -1},
    {"Rise", ALLEGRO_KEY_Z, -1},
    {"Drop", ALLEGRO_KEY_X, -1},
    {"Weapon1", ALLEGRO_KEY_1, -1},
    {"Weapon2", ALLEGRO_KEY_2, -1},
    {"Weapon3", ALLEGRO_KEY_3, -1},
    {"Weapon4", ALLEGRO_KEY_4, -1},
    {"Weapon5", ALLEGRO_KEY_5, -1},
    {"Menu", ALLEGRO_KEY_ESCAPE, -1},
};
static_assert(std::size(kActions) == 17);

// The characters of the keys that type one, plain and shifted. The shifted digits follow the
// layout the game was made for: ")!'£$%^&*(" (163 is the pound sign's byte).
KeyboardManager::CharMap MakeCharMap() {
  KeyboardManager::CharMap map{};
  for (int32_t i = 0; i < 26; ++i) {
    map[ALLEGRO_KEY_A + i] = {static_cast<uint8_t>('a' + i), static_cast<uint8_t>('A' + i)};
  }
  constexpr uint8_t kShiftedDigits[10] = {41, 33, 39, 163, 36, 37, 94, 38, 42, 40};
  for (int32_t d = 0; d < 10; ++d) {
    map[ALLEGRO_KEY_0 + d] = {static_cast<uint8_t>('0' + d), kShiftedDigits[d]};
  }
  map[ALLEGRO_KEY_MINUS] = {'-', '_'};
  map[ALLEGRO_KEY_EQUALS] = {'=', '+'};
  map[ALLEGRO_KEY_OPENBRACE] = {'[', '{'};
  map[ALLEGRO_KEY_CLOSEBRACE] = {']', '}'};
  map[ALLEGRO_KEY_SEMICOLON] = {';', ':'};
  map[ALLEGRO_KEY_QUOTE] = {'\'', '@'};
  map[ALLEGRO_KEY_SPACE] = {' ', ' '};
  return map;
}

bool InRange(int32_t keycode) { return keycode >= 0 && keycode < ALLEGRO_KEY_MAX; }

bool Held(const ALLEGRO_KEYBOARD_STATE& state, int32_t keycode) {
  return InRange(keycode) && al_key_down(&state, keycode);
}

}  // namespace

KeyboardManager::KeyboardManager() : charMap(MakeCharMap()) {
  for (const KeyName& key : kKeyNames) Add(keyNames, keyBindings, key.name, key.code, -1);
  for (const Action& action : kActions) {
    Add(actions, actionBindings, action.name, action.key1, action.key2);
  }
  RegisterWithLuaManager(kKeyboardFamily);
  // The state read at an event is the keyboard as it is when the event is handled, by which time a
  // quick tap is over; the events themselves keep it.
  if (al_is_keyboard_installed()) {
    keyEvents = al_create_event_queue();
    if (keyEvents != nullptr) al_register_event_source(keyEvents, al_get_keyboard_event_source());
  }
}

// Allegro destroys its queues itself when it shuts down.
KeyboardManager::~KeyboardManager() {
  if (keyEvents != nullptr && al_is_system_installed()) al_destroy_event_queue(keyEvents);
}

void KeyboardManager::NoteKeyDown(int32_t keycode) {
  if (!InRange(keycode)) return;
  notedForKeys.set(static_cast<size_t>(keycode));
  notedForActions.set(static_cast<size_t>(keycode));
}

void KeyboardManager::TakeKeyDownEvents() {
  if (keyEvents == nullptr) return;
  ALLEGRO_EVENT event;
  while (al_get_next_event(keyEvents, &event)) {
    if (event.type == ALLEGRO_EVENT_KEY_DOWN) NoteKeyDown(event.keyboard.keycode);
  }
}

void KeyboardManager::Add(RLL& list, Bindings& bindings, const char* name, int32_t key1,
                          int32_t key2) {
  KeyBinding& binding = bindings.emplace_back();
  binding.key1 = key1;
  binding.key2 = key2;
  list.AddTail(name, &binding);
}

void KeyboardManager::UpdateKeys(const ALLEGRO_KEYBOARD_STATE& state) {
  TakeKeyDownEvents();
  UpdateList(keyBindings, true, state, notedForKeys);
}

void KeyboardManager::UpdateActions(const ALLEGRO_KEYBOARD_STATE& state, const KeysTaken& taken) {
  if (FindAction("Menu")->down == 1) gQuit = true;
  TakeKeyDownEvents();
  UpdateList(actionBindings, false, state, notedForActions, taken);
}

void KeyboardManager::UpdateList(Bindings& bindings, bool keyNameList,
                                 const ALLEGRO_KEYBOARD_STATE& state, KeySet& noted,
                                 const KeysTaken& taken) {
  const auto held = [&](int32_t keycode) {
    if (taken && InRange(keycode) && taken(keycode)) return false;
    return Held(state, keycode) || (InRange(keycode) && noted.test(static_cast<size_t>(keycode)));
  };
  if (keyNameList) {
    control = held(ALLEGRO_KEY_LCTRL) || held(ALLEGRO_KEY_RCTRL);
    shift = held(ALLEGRO_KEY_LSHIFT) || held(ALLEGRO_KEY_RSHIFT);
  }
  for (KeyBinding& binding : bindings) {
    if (held(binding.key1) || held(binding.key2)) {
      binding.pressed = binding.up;
      if (binding.pressed == 1 && keyNameList) {
        if (gKeyPressListener != nullptr) gKeyPressListener->KeyPressed(binding.key1);
        if (binding.key1 == ALLEGRO_KEY_CAPSLOCK) capsLock = !capsLock;
      }
      binding.released = 0;
      binding.down = 1;
      binding.up = 0;
    } else {
      binding.pressed = 0;
      binding.released = binding.down;
      binding.down = 0;
      binding.up = 1;
    }
  }
  noted.reset();
}

KeyBinding* KeyboardManager::FindKey(const char* name) const {
  return static_cast<KeyBinding*>(keyNames.Find(name));
}

KeyBinding* KeyboardManager::FindAction(const char* name) const {
  return static_cast<KeyBinding*>(actions.Find(name));
}

uint8_t KeyboardManager::CharacterOf(int32_t keycode) const {
  if (keycode < 0 || keycode >= kKeyCount) return 0;
  return charMap[keycode][shift != capsLock ? 1 : 0];
}

bool KeyboardManager::AnyKeyPressed() const {
  for (const KeyBinding& binding : keyBindings) {
    if (binding.pressed == 1) return true;
  }
  return false;
}

bool KeyboardManager::SetKey(const char* action, const char* keyName1, const char* keyName2,
                             const char** missing) {
  KeyBinding* binding = FindAction(action);
  const KeyBinding* key1 = FindKey(keyName1);
  const KeyBinding* key2 = FindKey(keyName2);
  if (binding == nullptr || key1 == nullptr || key2 == nullptr) {
    if (missing != nullptr)
      *missing = binding == nullptr ? action : key1 == nullptr ? keyName1 : keyName2;
    return false;
  }
  binding->key1 = key1->key1;
  binding->key2 = key2->key1;
  return true;
}
