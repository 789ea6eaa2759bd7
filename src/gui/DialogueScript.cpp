// The dialogue functions. Each finds the dialogue window at every call, after its argument checks
// and the GUI manager's; a miss logs the GUI manager's search line, then the function's own.

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "gui/GUIDialogueManager.h"
#include "gui/GUIManager.h"

namespace {

struct DialogueRow {
  const char* name;
  const char* label;
  Arity arity;
  // Which argument is the required text: 0 none, 1 the first, 2 the second.
  int textArgument;
  const char* missingReason;
  // Answers the number of results.
  int (*act)(GUIDialogueManager& window, ScriptCall& call, const char* text);
};

constexpr const char* kNoWindow = "no Dialogue Manager found";

int RunDialogueRow(lua_State* state, const DialogueRow& row) {
  ScriptCall call(state, row.label);
  const char* text = nullptr;
  GUIManager* gui = nullptr;
  if (row.textArgument == 0) {
    gui = call.Begin(row.arity, gGUIManager);
  } else if (row.textArgument == 1) {
    gui = call.Begin(row.arity, gGUIManager, text);
  } else {
    gui = call.Begin(row.arity, gGUIManager, kSkipArgument, text);
  }
  if (gui == nullptr) return 0;
  GUIDialogueManager* window = FindDialogueManager();
  if (window == nullptr) return call.Fail("%s", row.missingReason);
  return row.act(*window, call, text);
}

// Line numbers are truncated; the Incr forms answer the line after, so a script can fill lines in
// turn.
int NextLine(ScriptCall& call) { return call.Push(static_cast<double>(call.Integer(1)) + 1.0); }

constexpr DialogueRow kDialogueRows[] = {
    {"SetPortrait", "SetPortrait", 1, 1, kNoWindow,
     [](GUIDialogueManager& window, ScriptCall&, const char* name) {
       window.SetPortrait(name);
       return 0;
     }},
    {"SetPortraitBackground", "SetPortraitBackground", 1, 1, kNoWindow,
     [](GUIDialogueManager& window, ScriptCall&, const char* name) {
       window.SetPortraitBackground(name);
       return 0;
     }},
    {"SetDialogueLine", "SetDialogueLine", 2, 2, kNoWindow,
     [](GUIDialogueManager& window, ScriptCall& call, const char* text) {
       window.SetLineText(call.Integer(1), text);
       return 0;
     }},
    {"SetDialogueLineIncr", "SetDialogueLineIncr", 2, 2, kNoWindow,
     [](GUIDialogueManager& window, ScriptCall& call, const char* text) {
       window.SetLineText(call.Integer(1), text);
       return NextLine(call);
     }},
    {"SetDialogueResponse", "SetDialogueResponse", 3, 2, kNoWindow,
     [](GUIDialogueManager& window, ScriptCall& call, const char* text) {
       window.SetLineResponse(call.Integer(1), text, call.Integer(3));
       return 0;
     }},
    {"SetDialogueResponseIncr", "SetDialogueResponseIncr", 3, 2, kNoWindow,
     [](GUIDialogueManager& window, ScriptCall& call, const char* text) {
       window.SetLineResponse(call.Integer(1), text, call.Integer(3));
       return NextLine(call);
     }},
    {"GetLastChatResponse", "GetLastChatResponse", Arity::Any(), 0, kNoWindow,
     [](GUIDialogueManager& window, ScriptCall& call, const char*) {
       return call.Push(window.GetLastChatResponse());
     }},
    {"ClearDialogue", "ClearDialogue", Arity::Any(), 0, "could not find DialogueManager!",
     [](GUIDialogueManager& window, ScriptCall&, const char*) {
       window.ClearLines();
       return 0;
     }},
};

constexpr auto kDialogueFunctions = ScriptRows<kDialogueRows, RunDialogueRow>();

}  // namespace

const ScriptFamily kDialogueFamily = {"Dialogue", ScriptTiming::WithLuaManager, kDialogueFunctions};
