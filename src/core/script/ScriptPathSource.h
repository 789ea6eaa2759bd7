#pragma once

#include <string>
#include <string_view>

// Folder prefixes by key, for the scripts that name a script by a path key. The path manager,
// a layer up, answers, through gScriptPathSource.
class ScriptPathSource {
 public:
  // prefix + file; an absent key logs its own line and answers file alone.
  virtual std::string BuildPath(std::string_view key, std::string_view file) const = 0;

 protected:
  ScriptPathSource() = default;
  ~ScriptPathSource() = default;
  ScriptPathSource(const ScriptPathSource&) = default;
  ScriptPathSource& operator=(const ScriptPathSource&) = default;
};
