#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One named script variable holding either a number (a float) or a text.
class ScriptVariable {
 public:
  ScriptVariable(std::string name, float number);
  ScriptVariable(std::string name, std::string text);

  const std::string& GetName() const { return name; }
  bool IsNumber() const { return !text.has_value(); }
  // The number truncated toward zero, saturating at the int32 limits; 0 for a text variable.
  int32_t GetNumber() const;
  // The text; none for a numeric variable.
  const char* GetString() const { return text ? text->c_str() : nullptr; }

  // Makes the variable numeric, dropping any text.
  void SetNumber(float value);
  // Makes the variable a text variable with the number 0.
  void SetString(std::string value);

 private:
  std::string name;
  float number = 0.0f;
  std::optional<std::string> text;
};
