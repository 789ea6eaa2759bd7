// The keyboard manager's script functions.

#include <string>

#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/script/ScriptCall.h"

namespace {

int KeyboardManager_SetPlayerInputState(lua_State* state) {
  ScriptCall call(state, "KeyboardManager SetPlayerInputState");
  KeyboardManager* keyboard = call.Begin(1, gKeyboardManager);
  if (keyboard == nullptr) return 0;
  if (call.Flag(1)) {
    keyboard->EnablePlayerInput();
  } else {
    keyboard->DisablePlayerInput();
  }
  return 0;
}

// Attaching a script to the keyboard has no effect; only the argument count is checked.
int KeyboardManager_AttachScript(lua_State* state) {
  ScriptCall call(state, "KeyboardManager AttachScript");
  call.Arguments(2);
  return 0;
}

int KeyboardManager_DetachScript(lua_State* state) {
  ScriptCall call(state, "KeyboardManager DetachScript");
  call.Arguments(1);
  return 0;
}

int CFG_SetKey(lua_State* state) {
  ScriptCall call(state, "CFG_SetKey");
  const char* action;
  const char* keyName1;
  const char* keyName2;
  KeyboardManager* keyboard = call.Begin(3, gKeyboardManager, action, keyName1, keyName2);
  if (keyboard == nullptr) return 0;
  const char* missing = nullptr;
  if (!keyboard->SetKey(action, keyName1, keyName2, &missing)) {
    return call.Fail("no key %s found", missing);
  }
  return 0;
}

const ScriptFunction kKeyboardFunctions[] = {
    ScriptEntry<KeyboardManager_SetPlayerInputState>("KeyboardManager_SetPlayerInputState"),
    ScriptEntry<KeyboardManager_AttachScript>("KeyboardManager_AttachScript"),
    ScriptEntry<KeyboardManager_DetachScript>("KeyboardManager_DetachScript"),
    ScriptEntry<CFG_SetKey>("CFG_SetKey"),
};

}  // namespace

const ScriptFamily kKeyboardFamily = {"Keyboard", ScriptTiming::WithManager, kKeyboardFunctions};
