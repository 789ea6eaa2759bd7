#pragma once

#include <lua.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/ScriptFamily.h"
#include "core/script/ScriptPathSource.h"

// Short keys for folder prefixes, so that code and scripts name files without knowing where the
// game's folders lie. A prefix carries its own trailing separator: a path is prefix + file name,
// joined as they are. Keys need not be unique; every look-up reaches the oldest entry of a key.
// "Root" always exists and starts as "UNINITIALIZED" until a script sets it.
class PathManager final : public ScriptPathSource {
 public:
  // Starts with "Root" alone and registers the path script functions on the Lua manager's state,
  // when there is one.
  PathManager();
  PathManager(const PathManager&) = delete;
  PathManager& operator=(const PathManager&) = delete;

  // Appends the key, whether or not it exists already.
  void AddPath(std::string_view key, std::string_view prefix);
  // Replaces the prefix of the oldest entry of the key; nothing when the key is absent.
  void SetPath(std::string_view key, std::string_view prefix);
  // "Root" becomes the program's own folder (empty when that was never recorded).
  void SetRootToLocal();
  // Appends the key with Root's prefix + relative; nothing when "Root" is absent.
  void AddPathFromRoot(std::string_view key, std::string_view relative);
  // Replaces the key's prefix with Root's prefix + relative; nothing unless both exist.
  void SetPathFromRoot(std::string_view key, std::string_view relative);
  // prefix + file; an absent key logs "PathManager failed to find <key>" and answers file alone.
  std::string BuildPath(std::string_view key, std::string_view file) const override;
  // The prefix of the key, none when absent (logs nothing).
  std::optional<std::string> Find(std::string_view key) const;
  // Forgets every key, "Root" included: later look-ups miss as for any absent key, and keys may be
  // added again. Nothing in the program calls it.
  void Destroy();

 private:
  struct Entry {
    std::string key;
    std::string prefix;
  };

  Entry* FindEntry(std::string_view key);
  const Entry* FindEntry(std::string_view key) const;

  std::vector<Entry> paths;
};

// The six path functions; the Lua manager registers them at its creation and the path manager
// again at its own, which changes nothing.
extern const ScriptFamily kPathFamily;
