#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "core/KeyPressListener.h"
#include "core/KeyboardManager.h"
#include "support/GlobalsFixture.h"
#include "support/KeyState.h"
#include "support/LuaFixture.h"

namespace {

class KeyboardManagerTest : public GlobalsFixture {
 protected:
  const KeyBinding& Key(const char* name) {
    const KeyBinding* binding = keyboard.FindKey(name);
    EXPECT_NE(binding, nullptr) << name;
    return *binding;
  }
  const KeyBinding& Action(const char* name) {
    const KeyBinding* binding = keyboard.FindAction(name);
    EXPECT_NE(binding, nullptr) << name;
    return *binding;
  }

  KeyboardManager keyboard;
  const ALLEGRO_KEYBOARD_STATE none = KeysHeld({});
};

TEST_F(KeyboardManagerTest, KeyboardManager_HoldsTheKeyNamesAndActionsInOrder) {
  const RLL& names = keyboard.GetKeyNameList();
  ASSERT_EQ(names.GetCount(), 119);
  std::set<std::string> unique;
  std::set<int32_t> codes;
  for (int32_t i = 0; i < names.GetCount(); ++i) {
    unique.insert(names.GetNameAt(i));
    const auto* binding = static_cast<const KeyBinding*>(names.GetAt(i));
    codes.insert(binding->key1);
    EXPECT_EQ(binding->key2, -1) << names.GetNameAt(i);
    EXPECT_LT(binding->key1, KeyboardManager::kKeyCount);
  }
  EXPECT_EQ(unique.size(), 119u);
  EXPECT_EQ(codes.size(), 119u);

  struct Named {
    int32_t index;
    const char* name;
    int32_t code;
  };
  const Named spots[] = {
      {0, "NONE", -1},       {1, "ARROW_UP", 84}, {5, "LSHIFT", 215}, {27, "PAGEUP", 80},
      {55, "CAPSLOCK", 226}, {60, "ESCAPE", 59},  {61, "A", 1},       {86, "Z", 26},
      {87, "0", 27},         {88, "PAD0", 37},    {105, "9", 36},     {106, "PAD9", 46},
      {107, "F1", 47},       {118, "F12", 58},
  };
  for (const Named& spot : spots) {
    EXPECT_STREQ(names.GetNameAt(spot.index), spot.name);
    EXPECT_EQ(Key(spot.name).key1, spot.code) << spot.name;
  }

  const RLL& actions = keyboard.GetActionList();
  ASSERT_EQ(actions.GetCount(), 17);
  const struct {
    const char* name;
    int32_t key1;
    int32_t key2;
  } defaults[] = {
      {"Up", 84, 23},        {"Down", 85, 19},       {"Left", 82, 1},        {"Right", 83, 4},
      {"RunHold", 215, 216}, {"RunToggle", 226, -1}, {"TrotToggle", 20, -1}, {"Jump", 75, -1},
      {"Buck", 26, -1},      {"Rise", 26, -1},       {"Drop", 24, -1},       {"Weapon1", 28, -1},
      {"Weapon2", 29, -1},   {"Weapon3", 30, -1},    {"Weapon4", 31, -1},    {"Weapon5", 32, -1},
      {"Menu", 59, -1},
  };
  for (int32_t i = 0; i < 17; ++i) {
    EXPECT_STREQ(actions.GetNameAt(i), defaults[i].name);
    EXPECT_EQ(Action(defaults[i].name).key1, defaults[i].key1) << defaults[i].name;
    EXPECT_EQ(Action(defaults[i].name).key2, defaults[i].key2) << defaults[i].name;
  }
  EXPECT_EQ(keyboard.FindAction("menu"), nullptr);
  EXPECT_EQ(keyboard.FindKey(nullptr), nullptr);
}

TEST_F(KeyboardManagerTest, KeyboardManager_FirstPressOfTheRunGivesNoPressedEdge) {
  const ALLEGRO_KEYBOARD_STATE a = KeysHeld({ALLEGRO_KEY_A});
  struct Step {
    const ALLEGRO_KEYBOARD_STATE* state;
    KeyBinding expected;  // key1, key2, pressed, released, down, up
  };
  const Step steps[] = {
      {&a, {1, -1, 0, 0, 1, 0}},     // up starts at 0: no edge
      {&a, {1, -1, 0, 0, 1, 0}},     //
      {&none, {1, -1, 0, 1, 0, 1}},  // released edge
      {&none, {1, -1, 0, 0, 0, 1}},  //
      {&a, {1, -1, 1, 0, 1, 0}},     // pressed edge, once
      {&a, {1, -1, 0, 0, 1, 0}},
  };
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(n++);
    keyboard.UpdateKeys(*step.state);
    const KeyBinding& got = Key("A");
    EXPECT_EQ(got.pressed, step.expected.pressed);
    EXPECT_EQ(got.released, step.expected.released);
    EXPECT_EQ(got.down, step.expected.down);
    EXPECT_EQ(got.up, step.expected.up);
    EXPECT_EQ(keyboard.AnyKeyPressed(), step.expected.pressed == 1);
  }
  // Key events update only the key names; the actions wait for the tick.
  EXPECT_EQ(Action("Left").down, 0);
}

// The GUI's last key: told once per press edge of a key name, never by the action list.
TEST_F(KeyboardManagerTest, KeyboardManager_KeyPressListenerHearsEachPressedEdgeOnce) {
  struct Heard : KeyPressListener {
    std::vector<int32_t> keys;
    void KeyPressed(int32_t keycode) override { keys.push_back(keycode); }
  } heard;
  gKeyPressListener = &heard;
  const ALLEGRO_KEYBOARD_STATE b = KeysHeld({ALLEGRO_KEY_B});
  for (const ALLEGRO_KEYBOARD_STATE* state : {&none, &b, &b, &none, &b}) {
    keyboard.UpdateKeys(*state);
    keyboard.UpdateActions(*state);
  }
  EXPECT_EQ(heard.keys, (std::vector<int32_t>{ALLEGRO_KEY_B, ALLEGRO_KEY_B}));
  gKeyPressListener = nullptr;
}

TEST_F(KeyboardManagerTest, KeyboardManager_ActionIsHeldOnEitherKey) {
  keyboard.UpdateActions(none);
  keyboard.UpdateActions(KeysHeld({ALLEGRO_KEY_W}));
  EXPECT_EQ(Action("Up").pressed, 1);
  keyboard.UpdateActions(KeysHeld({ALLEGRO_KEY_UP}));
  EXPECT_EQ(Action("Up").pressed, 0);
  EXPECT_EQ(Action("Up").down, 1);
  keyboard.UpdateActions(none);
  EXPECT_EQ(Action("Up").released, 1);
  EXPECT_EQ(Action("Down").released, 0);
}

TEST_F(KeyboardManagerTest, KeyboardManager_BuckAndRiseShareZUntilOneIsRebound) {
  keyboard.UpdateActions(none);
  keyboard.UpdateActions(KeysHeld({ALLEGRO_KEY_Z}));
  EXPECT_EQ(Action("Buck").pressed, 1);
  EXPECT_EQ(Action("Rise").pressed, 1);

  ASSERT_TRUE(keyboard.SetKey("Buck", "X", "NONE"));
  EXPECT_EQ(Action("Rise").key1, ALLEGRO_KEY_Z);
  keyboard.UpdateActions(KeysHeld({ALLEGRO_KEY_Z}));
  EXPECT_EQ(Action("Buck").down, 0);
  EXPECT_EQ(Action("Rise").down, 1);
}

TEST_F(KeyboardManagerTest, KeyboardManager_MenuSetsQuitAtTheStartOfTheNextTick) {
  const ALLEGRO_KEYBOARD_STATE escape = KeysHeld({ALLEGRO_KEY_ESCAPE});
  keyboard.UpdateActions(escape);  // sees Menu held
  EXPECT_FALSE(gQuit);
  keyboard.UpdateActions(none);  // the next tick starts with Menu down
  EXPECT_TRUE(gQuit);
}

// A key that went down and came up again before the state was read still gives one press and one
// release on each list: the key-name list at the next key events, the actions at the next ticks.
TEST_F(KeyboardManagerTest, KeyboardManager_KeyTappedBetweenTwoReadsIsNotLost) {
  keyboard.UpdateKeys(none);
  keyboard.UpdateActions(none);
  keyboard.NoteKeyDown(ALLEGRO_KEY_ESCAPE);
  keyboard.UpdateKeys(none);  // the key-down event, read when the key is up already
  EXPECT_EQ(Key("ESCAPE").pressed, 1);
  EXPECT_EQ(Key("ESCAPE").down, 1);
  EXPECT_TRUE(keyboard.AnyKeyPressed());
  keyboard.UpdateKeys(none);  // the key-up event
  EXPECT_EQ(Key("ESCAPE").released, 1);
  EXPECT_EQ(Key("ESCAPE").down, 0);

  keyboard.UpdateActions(none);
  EXPECT_EQ(Action("Menu").pressed, 1);
  EXPECT_FALSE(gQuit);
  keyboard.UpdateActions(none);
  EXPECT_TRUE(gQuit);
  EXPECT_EQ(Action("Menu").released, 1);
  keyboard.UpdateActions(none);  // a note counts once
  EXPECT_EQ(Action("Menu").released, 0);
  EXPECT_EQ(Action("Menu").down, 0);
}

// A note adds nothing to a key that is held anyway, a first press of the run still gives no
// pressed edge, and keycodes outside the keyboard are ignored.
TEST_F(KeyboardManagerTest, KeyboardManager_NotedKeysKeepTheEdgeRules) {
  const ALLEGRO_KEYBOARD_STATE a = KeysHeld({ALLEGRO_KEY_A});
  keyboard.NoteKeyDown(ALLEGRO_KEY_A);
  keyboard.UpdateKeys(none);
  EXPECT_EQ(Key("A").pressed, 0);  // no update has seen it up
  EXPECT_EQ(Key("A").down, 1);
  keyboard.UpdateKeys(none);
  keyboard.NoteKeyDown(ALLEGRO_KEY_A);
  keyboard.UpdateKeys(a);
  EXPECT_EQ(Key("A").pressed, 1);
  keyboard.NoteKeyDown(ALLEGRO_KEY_A);
  keyboard.UpdateKeys(a);
  EXPECT_EQ(Key("A").pressed, 0);  // held throughout: one press
  EXPECT_EQ(Key("A").down, 1);

  keyboard.NoteKeyDown(-1);
  keyboard.NoteKeyDown(ALLEGRO_KEY_MAX);
  keyboard.NoteKeyDown(INT32_MAX);
  keyboard.UpdateKeys(none);
  keyboard.UpdateKeys(none);
  EXPECT_FALSE(keyboard.AnyKeyPressed());
  EXPECT_EQ(Key("NONE").down, 0);
}

TEST_F(KeyboardManagerTest, KeyboardManager_ShiftAndCapsLockChooseTheColumnTogether) {
  const ALLEGRO_KEYBOARD_STATE capsHeld = KeysHeld({ALLEGRO_KEY_CAPSLOCK});
  struct Step {
    ALLEGRO_KEYBOARD_STATE state;
    bool capsLock;
    uint8_t letterA;
    uint8_t digit3;
  };
  const Step steps[] = {
      {none, false, 'a', '3'},
      {KeysHeld({ALLEGRO_KEY_RSHIFT}), false, 'A', 163},
      {capsHeld, true, 'A', 163},  // caps lock's pressed edge toggles it
      {capsHeld, true, 'A', 163},  // held: no new edge
      {KeysHeld({ALLEGRO_KEY_LSHIFT}), true, 'a', '3'},
      {none, true, 'A', 163},
      {capsHeld, false, 'a', '3'},
  };
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(n++);
    keyboard.UpdateKeys(step.state);
    EXPECT_EQ(keyboard.GetCapsLock(), step.capsLock);
    EXPECT_EQ(keyboard.CharacterOf(ALLEGRO_KEY_A), step.letterA);
    EXPECT_EQ(keyboard.CharacterOf(ALLEGRO_KEY_3), step.digit3);
  }
}

TEST_F(KeyboardManagerTest, KeyboardManager_CharacterMapAndItsBounds) {
  struct Case {
    int32_t keycode;
    uint8_t plain;
    uint8_t shifted;
  };
  const Case cases[] = {
      {ALLEGRO_KEY_Z, 'z', 'Z'},         {ALLEGRO_KEY_0, '0', ')'},
      {ALLEGRO_KEY_2, '2', '\''},        {ALLEGRO_KEY_9, '9', '('},
      {ALLEGRO_KEY_MINUS, '-', '_'},     {ALLEGRO_KEY_EQUALS, '=', '+'},
      {ALLEGRO_KEY_OPENBRACE, '[', '{'}, {ALLEGRO_KEY_CLOSEBRACE, ']', '}'},
      {ALLEGRO_KEY_SEMICOLON, ';', ':'}, {ALLEGRO_KEY_QUOTE, '\'', '@'},
      {ALLEGRO_KEY_SPACE, ' ', ' '},     {ALLEGRO_KEY_PAD_1, 0, 0},
      {ALLEGRO_KEY_ENTER, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyboard.GetCharMap()[c.keycode][0], c.plain) << c.keycode;
    EXPECT_EQ(keyboard.GetCharMap()[c.keycode][1], c.shifted) << c.keycode;
  }
  for (int32_t outside : {-1, 227, 100000}) EXPECT_EQ(keyboard.CharacterOf(outside), 0);
}

TEST_F(KeyboardManagerTest, KeyboardManager_ControlFollowsEitherControlKey) {
  keyboard.UpdateKeys(KeysHeld({ALLEGRO_KEY_RCTRL}));
  EXPECT_TRUE(keyboard.GetControl());
  EXPECT_FALSE(keyboard.GetShift());
  keyboard.UpdateKeys(none);
  EXPECT_FALSE(keyboard.GetControl());
}

class KeyboardScriptTest : public LuaFixture {
 protected:
  KeyboardScriptTest() { gKeyboardManager = &keyboard; }

  KeyboardManager keyboard;  // registers its functions on the fixture's Lua manager
};

TEST_F(KeyboardScriptTest, CFG_SetKey_BindsBothKeysByName) {
  ASSERT_TRUE(Run("CFG_SetKey('Jump', 'SPACE', 'NONE') CFG_SetKey('Menu', 'Q', 'ESCAPE')"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(keyboard.FindAction("Jump")->key1, ALLEGRO_KEY_SPACE);
  EXPECT_EQ(keyboard.FindAction("Jump")->key2, -1);
  EXPECT_EQ(keyboard.FindAction("Menu")->key1, ALLEGRO_KEY_Q);
  EXPECT_EQ(keyboard.FindAction("Menu")->key2, ALLEGRO_KEY_ESCAPE);
}

TEST_F(KeyboardScriptTest, CFG_SetKey_FailuresChangeNothing) {
  ExpectFailures({
      {"CFG_SetKey()", "CFG_SetKey:  Failed, invalid argument list\n"},
      {"CFG_SetKey('Jump', 'A')", "CFG_SetKey:  Failed, invalid argument list\n"},
      {"CFG_SetKey('Jump', 'A', 'B', 'C')", "CFG_SetKey:  Failed, invalid argument list\n"},
      {"CFG_SetKey(nil, 'A', 'B')", "CFG_SetKey:  Failed, invalid argument list\n"},
      {"CFG_SetKey('Jump', nil, 'B')", "CFG_SetKey:  Failed, invalid argument list\n"},
      {"CFG_SetKey('Jump', 'A', nil)", "CFG_SetKey:  Failed, invalid argument list\n"},
      {"CFG_SetKey('Jump', {}, 'B')", "CFG_SetKey:  Failed, invalid argument list\n"},
      {"CFG_SetKey('Fly', 'A', 'B')", "CFG_SetKey:  Failed, no key Fly found\n"},
      {"CFG_SetKey('Fly', 'a', 'b')", "CFG_SetKey:  Failed, no key Fly found\n"},
      {"CFG_SetKey('Jump', 'space', 'NONE')", "CFG_SetKey:  Failed, no key space found\n"},
      {"CFG_SetKey('Jump', 'A', 'b')", "CFG_SetKey:  Failed, no key b found\n"},
      {"CFG_SetKey('Jump', '%s%n', 'b')", "CFG_SetKey:  Failed, no key %s%n found\n"},
  });
  EXPECT_EQ(keyboard.FindAction("Jump")->key1, ALLEGRO_KEY_SPACE);
  EXPECT_EQ(keyboard.FindAction("Jump")->key2, -1);
}

TEST_F(KeyboardScriptTest, KeyboardManager_ScriptFunctionsCheckTheirArgumentCounts) {
  ExpectFailures({
      {"KeyboardManager_SetPlayerInputState()",
       "KeyboardManager SetPlayerInputState:  Failed, invalid argument list\n"},
      {"KeyboardManager_SetPlayerInputState(0, 1)",
       "KeyboardManager SetPlayerInputState:  Failed, invalid argument list\n"},
      {"KeyboardManager_AttachScript('x')",
       "KeyboardManager AttachScript:  Failed, invalid argument list\n"},
      {"KeyboardManager_AttachScript('x', 1)", ""},
      {"KeyboardManager_DetachScript()",
       "KeyboardManager DetachScript:  Failed, invalid argument list\n"},
      {"KeyboardManager_DetachScript(nil)", ""},
  });
  ASSERT_TRUE(Run("KeyboardManager_SetPlayerInputState(0)"));
  EXPECT_FALSE(keyboard.IsPlayerInputEnabled());
  ASSERT_TRUE(Run("KeyboardManager_SetPlayerInputState(-0.5)"));
  EXPECT_TRUE(keyboard.IsPlayerInputEnabled());
}

TEST_F(KeyboardScriptTest, KeyboardManager_ScriptFunctionsWithoutTheManagerLogAndGoOn) {
  gKeyboardManager = nullptr;
  ExpectFailures({
      {"CFG_SetKey('Jump', 'A', 'B')", "CFG_SetKey:  Failed, manager not created\n"},
      {"KeyboardManager_SetPlayerInputState(1)",
       "KeyboardManager SetPlayerInputState:  Failed, manager not created\n"},
  });
}

}  // namespace
