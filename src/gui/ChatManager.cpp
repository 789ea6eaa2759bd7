#include "gui/ChatManager.h"

#include <cctype>
#include <cstring>
#include <optional>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUIManager.h"

ChatManager::ChatManager()
    : routerSlot(PropertyOwner::ChatLog, [this](const char*) -> PropertyHolder* { return this; }) {}

void ChatManager::SetWatchedBox(GUIInputTextBox* box) {
  watched = box;
  watchedAlive = box != nullptr ? box->GetLifetimeToken() : LifetimeToken();
}

GUIInputTextBox* ChatManager::GetWatchedBox() const {
  return watchedAlive.IsAlive() ? watched : nullptr;
}

void ChatManager::Update() {
  GUIInputTextBox* box = GetWatchedBox();
  if (box == nullptr) return;
  std::optional<std::string> line = box->TakeSubmittedString();
  if (!line || line->empty()) return;
  lines.push_front(std::move(*line));
  for (size_t i = 0; i < slots.size(); ++i) slots[i] = i < lines.size() ? &lines[i] : nullptr;
}

PropertyRef ChatManager::GetPropertyAddress(const char*, const char* property) {
  static constexpr char kPrefix[] = "Log|";
  constexpr size_t kPrefixLength = sizeof(kPrefix) - 1;
  if (property == nullptr || std::strncmp(property, kPrefix, kPrefixLength) != 0) {
    return PropertyRef();
  }
  // At most two characters: a sign and a digit, or two digits. Blanks are not skipped.
  const char* at = property + kPrefixLength;
  const char* const end = at + strnlen(at, 2);
  int sign = 1;
  if (at < end && (*at == '-' || *at == '+')) sign = *at++ == '-' ? -1 : 1;
  int number = 0;
  while (at < end && std::isdigit(static_cast<unsigned char>(*at)))
    number = number * 10 + *at++ - '0';
  number *= sign;
  if (number < 0 || number >= kSlotCount) return PropertyRef();
  return PropertyRef::TextSlot(slots[number], GetLifetimeToken());
}

namespace {

int WatchProperty(lua_State* state) {
  ScriptCall call(state, "ChatManager WatchProperty");
  const char* name;
  ChatManager* chat = call.Begin(1, gChatManager, name);
  if (chat == nullptr) return 0;
  GUIManager* gui = call.Require(gGUIManager);
  if (gui == nullptr) return 0;
  GUIBaseObject* found = gui->FindGUIObject(name);
  if (found == nullptr) {
    chat->SetWatchedBox(nullptr);
    return 0;
  }
  if (found->GetType() != GUIInputTextBox::kTypeCode) {
    return call.Fail("%s is not a GUIInputTextBox", name);
  }
  chat->SetWatchedBox(static_cast<GUIInputTextBox*>(found));
  Log("InputBox Linked\n");
  return 0;
}

const ScriptFunction kChatFunctions[] = {
    ScriptEntry<WatchProperty>("ChatManager_WatchProperty"),
};

}  // namespace

const ScriptFamily kChatFamily = {"Chat", ScriptTiming::WithLuaManager, kChatFunctions};
