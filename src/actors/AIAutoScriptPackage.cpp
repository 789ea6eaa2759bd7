#include "actors/AIAutoScriptPackage.h"

#include "actors/AIManager.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"

AIAutoScriptPackage::AIAutoScriptPackage() { typeCode = AIType::kAutoScript; }

void AIAutoScriptPackage::Update() {
  if (!script || gLuaManager == nullptr) return;
  if (gAIManager != nullptr) gAIManager->SetActiveAIPackage(this);
  gLuaManager->ExecuteScript(script->c_str(), number);
}

void AIAutoScriptPackage::SetScript(const char* path, int32_t newNumber) {
  script = OptionalText(path);
  number = newNumber;
}
