#include "core/script/ScriptVariable.h"

#include <utility>

#include "core/Convert.h"

ScriptVariable::ScriptVariable(std::string name, float number)
    : name(std::move(name)), number(number) {}

ScriptVariable::ScriptVariable(std::string name, std::string text)
    : name(std::move(name)), text(std::move(text)) {}

int32_t ScriptVariable::GetNumber() const { return IsNumber() ? ToInt32(number) : 0; }

void ScriptVariable::SetNumber(float value) {
  text.reset();
  number = value;
}

void ScriptVariable::SetString(std::string value) {
  text = std::move(value);
  number = 0.0f;
}
