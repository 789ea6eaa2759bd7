#pragma once

#include <optional>
#include <string>

#include "actors/AIBasePackage.h"

// Runs a script with a number as its script code on every update, as the AI manager's active AI
// package. The script may destroy the package (clearing its NPC's queue, changing the map), so
// the update touches nothing of the package once the script has started.
class AIAutoScriptPackage : public AIBasePackage {
 public:
  AIAutoScriptPackage();

  void Update() override;
  // A none path clears the script: the package then does nothing.
  void SetScript(const char* path, int32_t number);
  const std::optional<std::string>& GetScript() const { return script; }
  int32_t GetNumber() const { return number; }

 private:
  std::optional<std::string> script;
  int32_t number = -1;
};
