#include "actors/AIAutoScriptPackage.h"

#include "actors/AIManager.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"

AIAutoScriptPackage::AIAutoScriptPackage() { typeCode = AIType::kAutoScript; }

void AIAutoScriptPackage::Update() {
  if (!script || gLuaManager == nullptr) return;
  // Copies: the package may be gone before the script's name is read for the last time.
  const std::string path = *script;
  const int32_t code = number;
  if (gAIManager != nullptr) gAIManager->SetActiveAIPackage(this);
  gLuaManager->ExecuteScript(path.c_str(), code);
}

void AIAutoScriptPackage::SetScript(const char* path, int32_t newNumber) {
  if (path != nullptr) {
    script = path;
  } else {
    script.reset();
  }
  number = newNumber;
}
