#include "core/script/PropertyManager.h"

#include <cstring>

#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/RootEntity.h"
#include "core/script/PropertyHolder.h"
#include "core/script/ScriptCall.h"

namespace {

// Indexed by PropertyOwner.
struct OwnerRow {
  const char* name;
  const char* noInstanceLine;  // none: a missing instance routes nothing, silently
};

const OwnerRow kOwners[kPropertyOwnerCount] = {
    {"Player", nullptr},
    {"GUI", nullptr},
    {"AIManager", nullptr},
    {"ActiveAIDrawingList", "Routing Function:  Failed, no Active Drawing List set\n"},
    {"NPC", "Routing Function:  Failed, no Active NPC set\n"},
    {"Object", "Routing Function:  Failed, no Active Object set\n"},
    {"ChatLog", nullptr},
    {"BackgroundManager", nullptr},
};

}  // namespace

PropertyManager::PropertyManager() {
  SetOwner(PropertyOwner::NPC, [](const char*) -> PropertyHolder* {
    return gEntityManager != nullptr ? gEntityManager->GetActiveNPC() : nullptr;
  });
  RegisterWithLuaManager(RegisterPropertyFunctions);
}

void PropertyManager::SetOwner(PropertyOwner owner, Finder finder) {
  finders[static_cast<size_t>(owner)] = std::move(finder);
}

PropertyRef PropertyManager::Route(const char* owner, const char* object, const char* property) {
  type = PropertyRef::kNone;
  if (owner == nullptr) return PropertyRef();
  for (size_t index = 0; index < finders.size(); ++index) {
    const OwnerRow& row = kOwners[index];
    if (std::strcmp(row.name, owner) != 0) continue;
    const Finder& finder = finders[index];
    if (!finder) return PropertyRef();
    PropertyHolder* holder = finder(object != nullptr ? object : "");
    if (holder == nullptr) {
      if (row.noInstanceLine != nullptr) Log("%s", row.noInstanceLine);
      return PropertyRef();
    }
    if (property == nullptr) return PropertyRef();
    PropertyRef ref = holder->GetPropertyAddress(object != nullptr ? object : "", property);
    type = ref.GetType();
    return ref;
  }
  return PropertyRef();
}
