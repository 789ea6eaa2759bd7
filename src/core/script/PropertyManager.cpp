#include "core/script/PropertyManager.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <vector>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/PropertyHolder.h"
#include "core/script/ScriptCall.h"

namespace {

// The owners in their enum's order, which is the order the router tries them.
struct OwnerRow {
  PropertyOwner owner;
  const char* name;
  const char* noInstanceLine;  // none: a missing instance routes nothing, silently
};

constexpr OwnerRow kOwners[] = {
    {PropertyOwner::Player, "Player", nullptr},
    {PropertyOwner::GUI, "GUI", nullptr},
    {PropertyOwner::AIManager, "AIManager", nullptr},
    {PropertyOwner::ActiveAIDrawingList, "ActiveAIDrawingList",
     "Routing Function:  Failed, no Active Drawing List set\n"},
    {PropertyOwner::NPC, "NPC", "Routing Function:  Failed, no Active NPC set\n"},
    {PropertyOwner::Object, "Object", "Routing Function:  Failed, no Active Object set\n"},
    {PropertyOwner::ChatLog, "ChatLog", nullptr},
    {PropertyOwner::BackgroundManager, "BackgroundManager", nullptr},
};

constexpr bool InEnumOrder() {
  for (size_t index = 0; index < std::size(kOwners); ++index) {
    if (static_cast<size_t>(kOwners[index].owner) != index) return false;
  }
  return std::size(kOwners) == kPropertyOwnerCount;
}
static_assert(InEnumOrder(), "one row per owner, in the enum's order");

// The live slots of each owner, oldest first.
std::array<std::vector<const PropertyOwnerSlot*>, kPropertyOwnerCount>& LiveSlots() {
  static std::array<std::vector<const PropertyOwnerSlot*>, kPropertyOwnerCount> slots;
  return slots;
}

}  // namespace

PropertyOwnerSlot::PropertyOwnerSlot(PropertyOwner owner, Finder finder)
    : owner(owner), finder(std::move(finder)) {
  LiveSlots()[static_cast<size_t>(owner)].push_back(this);
}

PropertyOwnerSlot::~PropertyOwnerSlot() {
  std::vector<const PropertyOwnerSlot*>& live = LiveSlots()[static_cast<size_t>(owner)];
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

const PropertyOwnerSlot* PropertyOwnerSlot::Of(PropertyOwner owner) {
  const std::vector<const PropertyOwnerSlot*>& live = LiveSlots()[static_cast<size_t>(owner)];
  return live.empty() ? nullptr : live.back();
}

PropertyRef RouteProperty(const char* owner, const char* object, const char* property) {
  if (gPropertyManager == nullptr) return PropertyRef();
  return gPropertyManager->Route(owner, object, property);
}

PropertyManager::PropertyManager() { RegisterWithLuaManager(kPropertyFamily); }

PropertyRef PropertyManager::Route(const char* owner, const char* object, const char* property) {
  type = PropertyRef::kNone;
  if (owner == nullptr) return PropertyRef();
  for (const OwnerRow& row : kOwners) {
    if (std::strcmp(row.name, owner) != 0) continue;
    const PropertyOwnerSlot* slot = PropertyOwnerSlot::Of(row.owner);
    if (slot == nullptr) return PropertyRef();
    PropertyHolder* holder = slot->Find(object != nullptr ? object : "");
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
