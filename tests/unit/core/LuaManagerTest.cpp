#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "resources/PathManager.h"
#include "support/LuaFixture.h"

namespace {

using LuaManagerTest = LuaFixture;

TEST_F(LuaManagerTest, BasePathIsPrefixedPlainlyAndOnlyExactNULLRemovesIt) {
  WriteScript("x.lua", "where = 'none'");
  WriteScript("Data/Scriptsx.lua", "where = 'Data/Scripts'");
  WriteScript("nullx.lua", "where = 'null'");
  WriteScript("NULL x.lua", "where = 'NULL blank'");
  ASSERT_TRUE(Run(R"(
    LM_SetBasePath("Data/Scripts") LM_ExecuteScript("x.lua") first = where
    LM_SetBasePath("null") LM_ExecuteScript("x.lua") second = where
    LM_SetBasePath("NULL ") LM_ExecuteScript("x.lua") third = where
    LM_SetBasePath("NULL") LM_ExecuteScript("x.lua") fourth = where
  )"));
  EXPECT_EQ(Text("first"), "Data/Scripts");
  EXPECT_EQ(Text("second"), "null");
  EXPECT_EQ(Text("third"), "NULL blank");
  EXPECT_EQ(Text("fourth"), "none");
  EXPECT_FALSE(lua.GetBasePath().has_value());
  EXPECT_EQ(log.Text(), "");
}

TEST_F(LuaManagerTest, BackslashesInTheBasePathAndNameSeparateFolders) {
  WriteScript("Data/Scripts/x.lua", "where = 'found'");
  ASSERT_TRUE(Run(R"(
    LM_SetBasePath("Data\\")
    LM_ExecuteScript("Scripts\\x.lua")
  )"));
  EXPECT_EQ(Text("where"), "found");
  EXPECT_EQ(log.Text(), "");
}

TEST_F(LuaManagerTest, MissingFileLogsLoadingErrorAndKeepsScriptCode) {
  ASSERT_TRUE(Run(R"(
    LM_ExecuteScript("missing.lua", 9)
    code = GetScriptCode()
  )",
                  5));
  EXPECT_EQ(Number("code"), 5);
  EXPECT_EQ(log.Text(),
            "Lua Error during Loading: cannot open missing.lua: No such file or directory\n");
}

TEST_F(LuaManagerTest, ExecuteScriptFormsChooseNameAndTruncatedCode) {
  WriteScript("code.lua", "seen = GetScriptCode()");
  struct Case {
    const char* call;
    double code;
  };
  const Case cases[] = {
      {"LM_ExecuteScript('code.lua')", -1},
      {"LM_ExecuteScript('code.lua', 2.9)", 2},
      {"LM_ExecuteScript('code.lua', -2.9)", -2},
      {"LM_ExecuteScript('code.lua', '12')", 12},
      {"LM_ExecuteScript('code.lua', 7, 'ignored', 8)", 7},
      {"LM_ExecuteScriptWithArguments('code.lua', '')", 0},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Run(std::string("seen = nil ") + c.call)) << c.call;
    EXPECT_EQ(Number("seen"), c.code) << c.call;
  }
  EXPECT_EQ(log.Text(), "");
}

TEST_F(LuaManagerTest, ThreeArgumentFormNeedsThePathManager) {
  WriteScript("code.lua", "seen = GetScriptCode()");
  ASSERT_TRUE(Run("LM_ExecuteScript('Scripts', 'code.lua', 4)"));
  EXPECT_TRUE(IsNil("seen"));
  EXPECT_EQ(log.Text(), "LM ExecuteScript:  Failed, manager not created\n");
}

TEST_F(LuaManagerTest, ThreeArgumentFormRunsTheKeyedPathUnderTheBasePath) {
  PathManager paths;
  gPathManager = &paths;
  gScriptPathSource = &paths;
  WriteScript("Data/Scripts/code.lua", "seen = GetScriptCode()");
  WriteScript("Base/Data/Scripts/code.lua", "seen = 100 + GetScriptCode()");
  WriteScript("code.lua", "seen = 200 + GetScriptCode()");
  ASSERT_TRUE(Run(R"(
    Path_AddPath("Scripts", "Data/Scripts/")
    LM_ExecuteScript("Scripts", "code.lua", 4.7) keyed = seen
    LM_ExecuteScript("Unknown", "code.lua", 1) unknown = seen
    LM_SetBasePath("Base/")
    LM_ExecuteScript("Scripts", "code.lua", 2) based = seen
  )"));
  EXPECT_EQ(Number("keyed"), 4);
  EXPECT_EQ(Number("unknown"), 201);  // the path manager's line, then the name alone
  EXPECT_EQ(Number("based"), 102);
  EXPECT_EQ(log.Text(), "PathManager failed to find Unknown\n");
}

TEST_F(LuaManagerTest, NestedRunLeavesTheInnerScriptsCode) {
  WriteScript("inner.lua", "inner = GetScriptCode()");
  ASSERT_TRUE(Run(R"(
    before = GetScriptCode()
    LM_ExecuteScript("inner.lua", 3)
    after = GetScriptCode()
  )",
                  7));
  EXPECT_EQ(Number("before"), 7);
  EXPECT_EQ(Number("inner"), 3);
  EXPECT_EQ(Number("after"), 3);
  EXPECT_EQ(lua.GetScriptCode(), 3);
}

TEST_F(LuaManagerTest, StackTopIsRestoredOnEveryPath) {
  struct Case {
    const char* name;
    const char* code;  // none: the file is not written
    bool ran;
    const char* logged;
  };
  const Case cases[] = {
      {"values.lua", "return 1, 2, 3", true, ""},
      {"syntax.lua", "x = = 1", false,
       "Lua Error during Loading: syntax.lua:1: unexpected symbol near '='\n"},
      {"runtime.lua", "error('boom')", false, "Lua Error during Execution: runtime.lua:1: boom\n"},
      {"table.lua", "error({})", false,
       "Lua Error during Execution: (error object is a table value)\n"},
      {"nilerror.lua", "error(nil)", false,
       "Lua Error during Execution: (error object is a nil value)\n"},
      {"absent.lua", nullptr, false,
       "Lua Error during Loading: cannot open absent.lua: No such file or directory\n"},
  };
  lua_pushinteger(State(), 42);  // something of the caller's own on the stack
  for (const Case& c : cases) {
    if (c.code != nullptr) WriteScript(c.name, c.code);
    log.Clear();
    const int top = lua_gettop(State());
    EXPECT_EQ(lua.ExecuteScript(c.name, 0), c.ran) << c.name;
    EXPECT_EQ(lua_gettop(State()), top) << c.name;
    EXPECT_EQ(log.Text(), c.logged) << c.name;
  }
  EXPECT_EQ(lua_tointeger(State(), -1), 42);
}

TEST_F(LuaManagerTest, ArgumentListIsTypedByTheTypesText) {
  WriteScript("args.lua", R"(
    n0 = LM_GetScriptArgumentNumber(0)
    s1 = LM_GetScriptArgumentString(1)
    n2 = LM_GetScriptArgumentNumber(2)
    s2 = LM_GetScriptArgumentString(2)
    sminus = LM_GetScriptArgumentString(-1)
    s0 = LM_GetScriptArgumentString(0)
  )");
  ASSERT_TRUE(Run("LM_ExecuteScriptWithArguments('args.lua', 'NXA', 5, true, 't')"));
  EXPECT_EQ(Number("n0"), 5);
  EXPECT_EQ(Text("s1"), "t");
  EXPECT_EQ(Number("n2"), 0);
  EXPECT_EQ(Text("s2"), "ARGUMENT WAS OUT OF RANGE");
  EXPECT_EQ(Text("sminus"), "ARGUMENT WAS OUT OF RANGE");
  EXPECT_EQ(Text("s0"), "5");  // a number entry read as text
  EXPECT_EQ(log.Text(), "");
}

TEST_F(LuaManagerTest, ArgumentEntriesKeepFloatsTextsAndMissingTexts) {
  WriteScript("args.lua", R"(
    tenth = string.format('%.15g', LM_GetScriptArgumentNumber(0))
    numeric = LM_GetScriptArgumentNumber(1)
    missing = LM_GetScriptArgumentString(2)
    missingNumber = LM_GetScriptArgumentNumber(3)
    textless = LM_GetScriptArgumentNumber(4)
  )");
  // 'A' of a number keeps its text; 'A' and 'N' past the last argument read as missing.
  ASSERT_TRUE(Run("LM_ExecuteScriptWithArguments('args.lua', 'NAANA', 0.1, 12, {})"));
  EXPECT_EQ(Text("tenth"), "0.100000001490116");
  EXPECT_EQ(Number("numeric"), 12);
  EXPECT_TRUE(IsNil("missing"));
  EXPECT_EQ(Number("missingNumber"), 0);
  EXPECT_EQ(Number("textless"), 0);
  EXPECT_EQ(lua.GetFilledArgumentCount(), 5);
}

TEST_F(LuaManagerTest, ClearedArgumentListLeavesNothingToRead) {
  lua.AllocateArguments(2);
  lua.AddNumberArgument(1.5f);
  lua.AddStringArgument("kept");
  lua.AddStringArgument("one too many");
  EXPECT_EQ(lua.GetFilledArgumentCount(), 2);
  lua.ClearArguments();
  lua.AddNumberArgument(3.0f);  // no slots after clearing
  EXPECT_EQ(lua.GetFilledArgumentCount(), 0);
  EXPECT_FALSE(lua.HasArgument(0));
  EXPECT_FALSE(lua.GetArgumentString(1).has_value());
  EXPECT_EQ(lua.GetArgumentNumber(0), 0.0f);
  ASSERT_TRUE(Run("s = LM_GetScriptArgumentString(0) n = LM_GetScriptArgumentNumber(1)"));
  EXPECT_EQ(Text("s"), "ARGUMENT WAS OUT OF RANGE");
  EXPECT_EQ(Number("n"), 0);
}

TEST_F(LuaManagerTest, RandomNumbersStayWithinEveryPairOfBounds) {
  ASSERT_TRUE(Run(R"(
    function within(low, high, a, b)
      for i = 1, 200 do
        local r = Get_Random_Number(a, b)
        if r == nil or r < low or r > high or r ~= math.floor(r) then return false end
      end
      return true
    end
    same = within(3, 3, 3, 3)
    die = within(1, 6, 1, 6)
    reversed = within(1, 6, 6, 1)
    adjacent = within(4, 5, 5, 4)
    truncated = within(1, 2, 1.9, 2.9)
    widest = within(-2147483648, 2147483647, -2147483648, 2147483647)
    saturated = within(-2147483648, 2147483647, -1e300, 1e300)
  )"));
  for (const char* result :
       {"same", "die", "reversed", "adjacent", "truncated", "widest", "saturated"}) {
    EXPECT_EQ(Text(result), "boolean") << result;
    lua_getglobal(State(), result);
    EXPECT_TRUE(lua_toboolean(State(), -1)) << result;
    lua_pop(State(), 1);
  }
  EXPECT_EQ(log.Text(), "");
}

TEST_F(LuaManagerTest, ScriptStringIsNilAndDebugModeOnlyLogsAndFlags) {
  ASSERT_TRUE(Run("s = GetScriptString() Activate_Debug_Mode()"));
  EXPECT_TRUE(IsNil("s"));
  EXPECT_TRUE(lua.GetDebugMode());
  ASSERT_TRUE(Run("Deactivate_Debug_Mode()"));
  EXPECT_FALSE(lua.GetDebugMode());
  EXPECT_EQ(log.Text(), "Activating Lua debug mode\nDeactivating Lua debug mode\n");
}

TEST_F(LuaManagerTest, InvalidArgumentListsLogTheirLineAndReturnNothing) {
  const ScriptFailure cases[] = {
      {"Get_Random_Number(1)", "Get Random Number:  Failed, invalid argument list\n"},
      {"Get_Random_Number(1, 2, 3)", "Get Random Number:  Failed, invalid argument list\n"},
      {"LM_ExecuteScript()", "LM ExecuteScript:  Failed, invalid argument list\n"},
      {"LM_ExecuteScript(nil, 3)", "LM ExecuteScript:  Failed, invalid argument list\n"},
      {"LM_ExecuteScript({})", "LM ExecuteScript:  Failed, invalid argument list\n"},
      {"LM_ExecuteScript(nil, 'x.lua', 1)", "LM ExecuteScript:  Failed, invalid argument list\n"},
      {"LM_SetBasePath()", "LM SetBasePath  Failed, invalid argument list\n"},
      {"LM_SetBasePath('a', 'b')", "LM SetBasePath  Failed, invalid argument list\n"},
      {"LM_SetBasePath(nil)", "LM SetBasePath  Failed, invalid argument list\n"},
      {"LM_ExecuteScriptWithArguments('x.lua')",
       "LM_ExecuteScriptWithArguments:  Failed, invalid argument list\n"},
      {"LM_ExecuteScriptWithArguments('x.lua', nil)",
       "LM_ExecuteScriptWithArguments:  Failed, invalid argument list\n"},
      {"LM_GetScriptArgumentNumber()",
       "LM_GetScriptArgumentNumber:  Failed, invalid argument list\n"},
      {"LM_GetScriptArgumentString(1, 2)",
       "LM_GetScriptArgumentString:  Failed, invalid argument list\n"},
  };
  ExpectFailures(cases);
  EXPECT_FALSE(lua.GetBasePath().has_value());
}

TEST_F(LuaManagerTest, FunctionsWithoutTheirManagerSayItIsNotCreated) {
  // The functions stay registered on the state while no Lua manager is installed.
  gLuaManager = nullptr;
  lua_State* state = State();
  ASSERT_EQ(luaL_dostring(state, "code = GetScriptCode() LM_ExecuteScript('x.lua')"), 0);
  EXPECT_EQ(log.Text(),
            "GetScriptCode:  Failed, manager not created\n"
            "LM ExecuteScript:  Failed, manager not created\n");
}

// A nil name must never reach the loader, which would read the program's standard input.
TEST_F(LuaManagerTest, NilScriptNameReturnsAtOnceWithoutReadingStandardInput) {
  // A run without standard input (fd 0 closed) gets /dev/null in its place, so that the pipe
  // below cannot take fd 0 itself; it is closed again at the end.
  const bool hadInput = fcntl(STDIN_FILENO, F_GETFD) != -1;
  if (!hadInput) {
    ASSERT_EQ(open("/dev/null", O_RDONLY), STDIN_FILENO);
  }
  const int savedInput = dup(STDIN_FILENO);
  ASSERT_GE(savedInput, 0);
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const std::string waiting = "stdinWasRun = true\n";
  ASSERT_EQ(write(pipeEnds[1], waiting.data(), waiting.size()),
            static_cast<ssize_t>(waiting.size()));
  close(pipeEnds[1]);
  dup2(pipeEnds[0], STDIN_FILENO);
  close(pipeEnds[0]);

  const bool ran = Run("LM_ExecuteScript(nil) after = true");
  const bool direct = lua.ExecuteScript(nullptr, 1);
  char buffer[64] = {};
  const ssize_t unread = read(STDIN_FILENO, buffer, sizeof buffer);
  const bool inputOpen = fcntl(STDIN_FILENO, F_GETFD) != -1;

  dup2(savedInput, STDIN_FILENO);
  close(savedInput);
  if (!hadInput) close(STDIN_FILENO);
  clearerr(stdin);

  EXPECT_TRUE(ran);
  EXPECT_FALSE(direct);
  EXPECT_TRUE(inputOpen);
  EXPECT_EQ(std::string(buffer, unread > 0 ? static_cast<size_t>(unread) : 0), waiting);
  EXPECT_TRUE(IsNil("stdinWasRun"));
  EXPECT_EQ(Text("after"), "boolean");
  EXPECT_EQ(log.Text(), "LM ExecuteScript:  Failed, invalid argument list\n");
}

// A finalizer would run unprotected at whatever allocation collects its object, inside any script
// function: the scripts' state offers no way to make one.
TEST_F(LuaManagerTest, ScriptsCannotMakeAFinalizerWithNewproxy) {
  EXPECT_TRUE(Run("absent = tostring(newproxy == nil)"));
  EXPECT_EQ(Text("absent"), "true");
  EXPECT_FALSE(Run(R"(
    local proxy = newproxy(true)
    getmetatable(proxy).__gc = function() finalized = true end
  )"));
  EXPECT_TRUE(Run("collectgarbage('collect')"));
  EXPECT_TRUE(IsNil("finalized"));
  EXPECT_EQ(log.Text(),
            "Lua Error during Execution: test.lua:2: attempt to call global 'newproxy' (a nil "
            "value)\n");
}

// Every road a script has to a userdata's metatable, or to the close function the collector calls
// for a file handle, given a finalizer; then file handles are made and collected.
TEST_F(LuaManagerTest, ScriptsCannotGiveFileHandlesAFinalizer) {
  const struct {
    const char* road;
    const char* attempt;
  } roads[] = {
      {"getmetatable", "getmetatable(io.stdout).__gc = finalizer"},
      {"the handle's __index", "io.stdout.__index.__gc = finalizer"},
      {"debug.getmetatable", "debug.getmetatable(io.stdout).__gc = finalizer"},
      {"debug.setmetatable", "keep = io.tmpfile() debug.setmetatable(keep, {__gc = finalizer})"},
      {"debug.getregistry", "debug.getregistry()['FILE*'].__gc = finalizer"},
      {"debug.getfenv", "debug.getfenv(io.open).__close = finalizer"},
      {"debug.setfenv", "keep = io.tmpfile() debug.setfenv(keep, {__close = finalizer})"},
      {"setmetatable", "setmetatable(io.stdout, {__gc = finalizer})"},
      {"setfenv", "setfenv(io.open, {__close = finalizer})"},
  };
  for (const auto& road : roads) {
    // A state of its own for each: one open road would leave the next ones' results meaningless.
    LuaManager own{{}};
    WriteScript("road.lua", std::string("finalizer = function() finalized = true end\n") +
                                "pcall(function() " + road.attempt + " end)\n" +
                                "keep = nil for i = 1, 3 do io.tmpfile() end\n" +
                                "collectgarbage('collect')");
    EXPECT_TRUE(own.ExecuteScript("road.lua", -1)) << road.road;
    lua_getglobal(own.GetState(), "finalized");
    EXPECT_TRUE(lua_isnil(own.GetState(), -1)) << road.road;
    lua_pop(own.GetState(), 1);
  }
  EXPECT_EQ(log.Text(), "");
}

TEST_F(LuaManagerTest, FilesAndStringsStillWorkForScripts) {
  ASSERT_TRUE(Run(R"(
    local f = io.tmpfile()
    opened = io.type(f)
    f:write("one\n", ("two"):upper(), "\n")
    f:seek("set")
    local lines = {}
    for line in f:lines() do lines[#lines + 1] = line end
    read = table.concat(lines, ",")
    named = tostring(f):sub(1, 6)
    f:close()
    closed = io.type(f)
    formatted = string.format("%03d", 7) .. ("ab"):rep(2)
    stringIndex = tostring(getmetatable("").__index == string)
  )"));
  EXPECT_EQ(Text("opened"), "file");
  EXPECT_EQ(Text("read"), "one,TWO");
  EXPECT_EQ(Text("named"), "file (");
  EXPECT_EQ(Text("closed"), "closed file");
  EXPECT_EQ(Text("formatted"), "007abab");
  EXPECT_EQ(Text("stringIndex"), "true");
  EXPECT_EQ(log.Text(), "");
}

// Script files as a game has them: written long before they run, so their chunks are kept.
class ScriptCacheTest : public LuaFixture {
 protected:
  using Time = std::filesystem::file_time_type;

  // Writes the script and sets its modification time.
  void WriteAt(const std::string& file, const std::string& code, Time when) {
    std::filesystem::last_write_time(dir.Write(file, code), when);
  }
  // Runs the file; answers its global "value" (0 when the run failed) and whether the chunk that
  // ran is the one that ran last time.
  std::pair<double, bool> RunFile(const std::string& file) {
    Run("value = nil");
    lua.ExecuteScript(file.c_str(), 0);
    const double value = Number("value");
    Run("same = tostring(kept ~= nil and kept == chunk) kept = chunk");
    return {value, Text("same") == "true"};
  }

  // The game loop starts the next tick: files edited from outside since are seen from then on.
  static void NextTick() { ++gTickCount; }

  const Time past = Time::clock::now() - std::chrono::hours(1);
};

TEST_F(ScriptCacheTest, AnEditedScriptIsReadAgainAndAnUntouchedOneIsNot) {
  const char* marker = " chunk = debug.getinfo(1, 'f').func";
  struct Case {
    const char* edit;
    const char* code;                // the new contents (value is what the file sets)
    std::chrono::nanoseconds moved;  // from the first write's time; none: written just now
    bool reread;
  };
  const std::chrono::nanoseconds now{-1};
  const Case cases[] = {
      {"untouched", "value = 1", std::chrono::nanoseconds(0), false},
      {"another size, the same time", "value = 22", std::chrono::nanoseconds(0), true},
      {"the same size, 1 ns later", "value = 33", std::chrono::nanoseconds(1), true},
      {"the same size, written just now", "value = 44", now, true},
      {"the same size again, just now", "value = 45", now, true},
  };
  WriteAt("edit.lua", std::string("value = 1") + marker, past);
  ASSERT_EQ(RunFile("edit.lua").first, 1);
  double expected = 1;
  for (const Case& c : cases) {
    const std::string code = c.code + std::string(marker);
    if (c.moved == now) {
      dir.Write("edit.lua", code);
    } else if (std::string(c.edit) != "untouched") {
      WriteAt("edit.lua", code, past + c.moved);
    }
    if (c.reread) expected = std::stod(std::string(c.code).substr(8));
    NextTick();
    const auto [value, same] = RunFile("edit.lua");
    EXPECT_EQ(value, expected) << c.edit;
    EXPECT_EQ(same, !c.reread) << c.edit;
  }
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ScriptCacheTest, FailingAndDeletedScriptsLogTheirLineOnEveryRun) {
  WriteAt("fails.lua", "value = 1", past);
  ASSERT_EQ(RunFile("fails.lua").first, 1);
  struct Case {
    const char* code;  // none: the file is deleted
    const char* logged;
  };
  const Case cases[] = {
      {"value = = 2", "Lua Error during Loading: fails.lua:1: unexpected symbol near '='\n"},
      {"value = 3 error('late')", "Lua Error during Execution: fails.lua:1: late\n"},
      {nullptr, "Lua Error during Loading: cannot open fails.lua: No such file or directory\n"},
  };
  for (const Case& c : cases) {
    if (c.code != nullptr) {
      WriteAt("fails.lua", c.code, past);
    } else {
      std::filesystem::remove(dir.Path() / "fails.lua");
    }
    NextTick();
    for (int run = 0; run < 3; ++run) {
      log.Clear();
      const int top = lua_gettop(State());
      EXPECT_FALSE(lua.ExecuteScript("fails.lua", 0)) << c.logged;
      EXPECT_EQ(lua_gettop(State()), top);
      EXPECT_EQ(log.Text(), c.logged) << "run " << run;
    }
  }
  WriteAt("fails.lua", "value = 4", past);
  NextTick();
  EXPECT_EQ(RunFile("fails.lua").first, 4);
}

// Within a tick a kept script's file is looked at by its first run only: an edit from outside is
// seen from the next tick on. A file modified moments ago is looked at on every run.
TEST_F(ScriptCacheTest, WithinATickAKeptScriptIsLookedAtOnlyByItsFirstRun) {
  const std::string marker = " chunk = debug.getinfo(1, 'f').func";
  WriteAt("edit.lua", "value = 1" + marker, past);
  EXPECT_EQ(RunFile("edit.lua").first, 1);
  WriteAt("edit.lua", "value = 22" + marker, past);
  for (int run = 0; run < 3; ++run) EXPECT_EQ(RunFile("edit.lua"), std::make_pair(1.0, true));
  NextTick();
  EXPECT_EQ(RunFile("edit.lua").first, 22);
  WriteAt("edit.lua", "value = 3" + marker, past);
  EXPECT_EQ(RunFile("edit.lua"), std::make_pair(22.0, true));

  NextTick();
  dir.Write("edit.lua", "value = 4");
  EXPECT_EQ(RunFile("edit.lua").first, 4);
  dir.Write("edit.lua", "value = 5");
  EXPECT_EQ(RunFile("edit.lua").first, 5);
  dir.Write("edit.lua", "value = 66");
  EXPECT_EQ(RunFile("edit.lua").first, 66);
  EXPECT_EQ(log.Text(), "");
}

// Every way a script has to write, rename or remove a file, then run the script of that file in
// the same tick, right after a run of its old text: the run sees what was written.
TEST_F(ScriptCacheTest, AScriptThatWritesAScriptFileRunsWhatItWroteInTheSameTick) {
  struct Case {
    const char* road;
    const char* write;  // leaves "target.lua" setting value to 2, or removes it
    const char* logged;
  };
  const Case cases[] = {
      {"io.open", "local f = io.open('target.lua', 'w') f:write('value = 2') f:close()", ""},
      {"io.open, appending",
       "local f = io.open('target.lua', 'a+') f:write(' value = 2') f:close()", ""},
      {"io.output", "io.output('target.lua') io.write('value = 2') io.close() io.output(io.stdout)",
       ""},
      {"a handle opened ticks ago, flushed",
       "held:seek('set') held:write('value = 2') LM_ExecuteScript('target.lua') held:flush()", ""},
      {"a handle opened ticks ago, collected",
       "held:seek('set') held:write('value = 2') LM_ExecuteScript('target.lua') held = nil "
       "collectgarbage('collect')",
       ""},
      {"os.rename", "os.rename('other.lua', 'target.lua')", ""},
      {"os.execute", "os.execute('printf \"value = 2\" > target.lua')", ""},
      {"os.remove", "os.remove('target.lua')",
       "Lua Error during Loading: cannot open target.lua: No such file or directory\n"},
  };
  for (const Case& c : cases) {
    WriteAt("target.lua", "value = 1", past);
    WriteAt("other.lua", "value = 2", past);
    ASSERT_TRUE(Run("held = io.open('target.lua', 'r+')"));
    NextTick();
    EXPECT_EQ(RunFile("target.lua").first, 1) << c.road;
    log.Clear();
    EXPECT_TRUE(Run(std::string(c.write) + " value = nil LM_ExecuteScript('target.lua')"))
        << c.road;
    EXPECT_EQ(Number("value"), std::string(c.logged).empty() ? 2 : 0) << c.road;
    EXPECT_EQ(log.Text(), c.logged) << c.road;
    Run("if held then held:close() held = nil end");
  }
}

// The counted library functions answer, and fail, exactly as Lua's own do.
TEST_F(ScriptCacheTest, CountedFileFunctionsAnswerAsTheLibrarysOwn) {
  const char* calls[] = {
      "pcall(io.open)",
      "pcall(function() io.open() end)",
      "pcall(function() local o = io.open o({}) end)",
      "io.open('missing/none.txt', 'w')",
      "io.open('missing.txt')",
      "pcall(function() io.output({}) end)",
      "pcall(function() io.output('missing/none.txt') end)",
      "pcall(function() io.lines('missing.txt') end)",
      "pcall(function() io.stdout.write(1) end)",
      "pcall(function() local f = io.tmpfile() f:close() f:write('x') end)",
      "pcall(function() io.tmpfile():seek('nowhere') end)",
      "pcall(function() local t = {write = io.stdout.write} t:write('x') end)",
      "io.tmpfile():write('x')",
      "os.rename('missing.txt', 'other.txt')",
      "pcall(function() os.rename() end)",
      "os.remove('missing.txt')",
      "pcall(function() os.remove({}) end)",
      "os.execute('exit 3')",
  };
  const auto answers = [](lua_State* state, const char* call) {
    const std::string chunk = "local answers = {" + std::string(call) +
                              "} for i = 1, #answers do answers[i] = tostring(answers[i]) end "
                              "return table.concat(answers, ' | ')";
    if (luaL_dostring(state, chunk.c_str()) != 0) return std::string("failed: ") + call;
    std::string text = lua_tostring(state, -1);
    lua_pop(state, 1);
    return text;
  };
  lua_State* plain = luaL_newstate();
  luaL_openlibs(plain);
  for (const char* call : calls) EXPECT_EQ(answers(State(), call), answers(plain, call));
  lua_close(plain);
}

TEST_F(ScriptCacheTest, AKeptChunkRunsInTheGlobalsEveryRun) {
  // The chunk swaps its own environment; a fresh load would not see the swap.
  WriteAt("env.lua", "runs = (runs or 0) + 1 code = GetScriptCode() setfenv(1, {})", past);
  for (int32_t code : {5, 6, 7}) EXPECT_TRUE(lua.ExecuteScript("env.lua", code));
  EXPECT_EQ(Number("runs"), 3);
  EXPECT_EQ(Number("code"), 7);
  EXPECT_EQ(log.Text(), "");
}

}  // namespace
