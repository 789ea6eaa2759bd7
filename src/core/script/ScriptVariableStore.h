#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/script/ScriptFamily.h"
#include "core/script/ScriptVariable.h"

// One scope of script variables (the global scope, the environment, one NPC), in the order they
// were added. Names need not be unique: every look-up by name takes the oldest variable of that
// name, comparing whole names case-sensitively. Missing variables are not errors and log nothing.
class ScriptVariableStore {
 public:
  ScriptVariableStore() = default;
  ScriptVariableStore(const ScriptVariableStore&) = delete;
  ScriptVariableStore& operator=(const ScriptVariableStore&) = delete;

  // Append a new variable, whether or not the name is already used.
  void AddNumber(std::string_view name, float number);
  void AddString(std::string_view name, std::string_view text);
  // Removes and destroys the oldest variable of that name; nothing when there is none.
  void Delete(std::string_view name);
  // The oldest variable's number, or -100 when there is none.
  int32_t GetNumber(std::string_view name) const;
  // The oldest variable's text; none when there is none or it is numeric.
  const char* GetString(std::string_view name) const;
  // Change the oldest variable of that name; false, with nothing changed, when there is none.
  bool SetNumber(std::string_view name, float number);
  bool SetString(std::string_view name, std::string_view text);

  int32_t GetCount() const { return static_cast<int32_t>(variables.size()); }
  // The name and the text of the variable at a position; none outside the list.
  const char* GetNameAt(int32_t index) const;
  const char* GetStringAt(int32_t index) const;
  // Destroys every variable.
  void Clear() { variables.clear(); }

 private:
  using Entries = std::vector<std::unique_ptr<ScriptVariable>>;

  Entries::const_iterator FindEntry(std::string_view name) const;
  ScriptVariable* Find(std::string_view name) const;
  const ScriptVariable* At(int32_t index) const;

  Entries variables;
};

// The environment scope of the "Env_" functions, through gEnvironmentScope. Without one the scope
// is none and those functions report it as not created.
ScriptVariableStore* EnvironmentVariables();

// The script-variable functions: "NPC_", "Env_" and "Global_" followed by "AddScriptVariableI",
// "AddScriptVariableA", "DeleteScriptVariable", "GetScriptVariableI", "GetScriptVariableA",
// "SetScriptVariableI", "SetScriptVariableA"; the Lua manager registers them.
extern const ScriptFamily kScriptVariableFamily;
