#pragma once

#include <cstdint>
#include <lua.hpp>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "core/script/ScriptFamily.h"
#include "platform/ContentFile.h"

// Owns the one Lua state of the process and runs every script. Scripts read back the script code
// of the most recent run ("GetScriptCode") and an argument list that one script can hand to the
// script it starts.
class LuaManager {
 public:
  // Opens the state with the standard libraries and registers, in the order given, those of the
  // families registered with the Lua manager: their functions exist from the start.
  explicit LuaManager(std::span<const ScriptFamily* const> families);
  ~LuaManager();
  LuaManager(const LuaManager&) = delete;
  LuaManager& operator=(const LuaManager&) = delete;

  lua_State* GetState() const { return state; }

  // Loads and runs base path + name (plain concatenation) with the given script code. A load error
  // logs "Lua Error during Loading: %s\n" and leaves the script code as it was; a run error logs
  // "Lua Error during Execution: %s\n". A folder, FIFO or device is never read: it is a load
  // error, "cannot open <path>: not a regular file". The Lua stack top is the same afterwards on
  // every path. None for a name does nothing and answers false. The name is copied before the
  // script runs, so the script may change or free the text it came from. The compiled chunk is kept
  // by path and used again while the file's stamp stays the same; any change reads the file again.
  // The stamp is looked at by the first run of the path in a tick and again after any file write
  // that the program or a script makes (gFileWrites); a file modified moments ago is never kept.
  bool ExecuteScript(const char* name, int32_t code);

  // The exact text "NULL" removes the base path; none is ignored.
  void SetBasePath(const char* path);
  const std::optional<std::string>& GetBasePath() const { return basePath; }

  int32_t GetScriptCode() const { return scriptCode; }
  const char* GetScriptString() const { return nullptr; }  // nothing sets it
  bool GetDebugMode() const { return debugMode; }
  void SetDebugMode(bool on) { debugMode = on; }

  // The argument list: a fixed number of slots filled in order; each filled slot holds a float or a
  // text (possibly none). Clearing forgets every entry, so no later read reaches an old one.
  void ClearArguments();
  void AllocateArguments(int32_t slots);
  // Fill the next slot; nothing when every slot is filled. A none text fills a slot with no text.
  void AddNumberArgument(float number);
  void AddStringArgument(const char* text);
  int32_t GetFilledArgumentCount() const { return static_cast<int32_t>(arguments.size()); }
  bool HasArgument(int32_t index) const;
  // A number entry's float; a text entry converted as Lua converts texts (0 when it is not a
  // number); 0 outside the filled entries.
  float GetArgumentNumber(int32_t index) const;
  // A text entry's text; a number entry as Lua writes numbers; none for an entry without text and
  // outside the filled entries.
  std::optional<std::string> GetArgumentString(int32_t index) const;

 private:
  using Argument = std::variant<float, std::optional<std::string>>;

  // When a file was last found to be as its stamp says: the tick, and the file writes by then.
  struct FileCheck {
    uint64_t tick;
    uint64_t writes;
    static FileCheck Now();
    bool operator==(const FileCheck&) const = default;
  };

  // A compiled chunk, kept in the registry, and the stamp of the file it was read from.
  struct CachedChunk {
    ContentStamp stamp;
    int reference;
    FileCheck checked;
  };

  void LogError(const char* format);
  void PushKeptChunk(const CachedChunk& chunk);
  // Pushes the chunk of the path: the kept one while the stamp matches, else the file loaded anew.
  // False, with the load error on the stack, when the file does not load.
  bool PushChunk(const std::string& path, const ContentStamp& stamp);

  lua_State* state;
  std::optional<std::string> basePath;
  bool debugMode = false;
  int32_t scriptCode = 0;
  int32_t argumentSlots = 0;
  std::vector<Argument> arguments;
  std::unordered_map<std::string, CachedChunk> chunks;
};

// The Lua manager's own script functions (script code, random numbers, debug mode, running scripts
// and their arguments).
extern const ScriptFamily kLuaManagerFamily;
