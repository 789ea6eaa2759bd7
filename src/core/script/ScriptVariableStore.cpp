#include "core/script/ScriptVariableStore.h"

#include <algorithm>
#include <string>

#include "core/Globals.h"
#include "core/script/EnvironmentScope.h"

void ScriptVariableStore::AddNumber(std::string_view name, float number) {
  variables.push_back(std::make_unique<ScriptVariable>(std::string(name), number));
}

void ScriptVariableStore::AddString(std::string_view name, std::string_view text) {
  variables.push_back(std::make_unique<ScriptVariable>(std::string(name), std::string(text)));
}

void ScriptVariableStore::Delete(std::string_view name) {
  const auto found = FindEntry(name);
  if (found != variables.end()) variables.erase(found);
}

int32_t ScriptVariableStore::GetNumber(std::string_view name) const {
  const ScriptVariable* variable = Find(name);
  return variable != nullptr ? variable->GetNumber() : -100;
}

const char* ScriptVariableStore::GetString(std::string_view name) const {
  const ScriptVariable* variable = Find(name);
  return variable != nullptr ? variable->GetString() : nullptr;
}

bool ScriptVariableStore::SetNumber(std::string_view name, float number) {
  ScriptVariable* variable = Find(name);
  if (variable == nullptr) return false;
  variable->SetNumber(number);
  return true;
}

bool ScriptVariableStore::SetString(std::string_view name, std::string_view text) {
  ScriptVariable* variable = Find(name);
  if (variable == nullptr) return false;
  variable->SetString(std::string(text));
  return true;
}

const char* ScriptVariableStore::GetNameAt(int32_t index) const {
  const ScriptVariable* variable = At(index);
  return variable != nullptr ? variable->GetName().c_str() : nullptr;
}

const char* ScriptVariableStore::GetStringAt(int32_t index) const {
  const ScriptVariable* variable = At(index);
  return variable != nullptr ? variable->GetString() : nullptr;
}

ScriptVariableStore::Entries::const_iterator ScriptVariableStore::FindEntry(
    std::string_view name) const {
  return std::find_if(variables.begin(), variables.end(),
                      [name](const auto& variable) { return variable->GetName() == name; });
}

ScriptVariable* ScriptVariableStore::Find(std::string_view name) const {
  const auto found = FindEntry(name);
  return found != variables.end() ? found->get() : nullptr;
}

const ScriptVariable* ScriptVariableStore::At(int32_t index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return variables[static_cast<size_t>(index)].get();
}

ScriptVariableStore* EnvironmentVariables() {
  return gEnvironmentScope != nullptr ? gEnvironmentScope->GetEnvironmentVariables() : nullptr;
}
