#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <lua.hpp>
#include <string>

#include "core/Lifetime.h"
#include "core/RootObject.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"

class GUIInputTextBox;

// The chat log: every line submitted in the watched input box, newest first, and the ten newest
// routed under the owner "ChatLog" as "Log|0" (the newest) to "Log|9". The log is never trimmed;
// only the ten newest are reachable.
class ChatManager : public RootObject, public PropertyHolder {
 public:
  static constexpr int32_t kSlotCount = 10;

  // Fills the router's "ChatLog" slot for as long as it lives.
  ChatManager();
  ChatManager(const ChatManager&) = delete;
  ChatManager& operator=(const ChatManager&) = delete;

  // None unlinks. A box that is destroyed unlinks itself.
  void SetWatchedBox(GUIInputTextBox* box);
  GUIInputTextBox* GetWatchedBox() const;

  // Takes the watched box's submitted line, if any, as the newest line; an empty one makes none.
  void Update();

  // "Log|" followed by a number read from at most two characters (a sign and digits; none reads
  // 0): 0 to 9 answer the slot of that line, a text that is none until the line exists. The
  // object is not looked at. Anything else answers none.
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

  size_t GetLineCount() const { return lines.size(); }
  // The line at the index counted from the newest.
  const std::string& GetLine(size_t index) const { return lines[index]; }

 private:
  GUIInputTextBox* watched = nullptr;
  LifetimeToken watchedAlive;
  // Newest first; the entries never move, so the slots may point into it.
  std::deque<std::string> lines;
  std::array<const std::string*, kSlotCount> slots{};
  PropertyOwnerSlot routerSlot;
};

// "ChatManager_WatchProperty"; the Lua manager registers it.
extern const ScriptFamily kChatFamily;
