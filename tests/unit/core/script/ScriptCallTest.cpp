#include <gtest/gtest.h>

#include <string>

#include "core/script/ScriptCall.h"
#include "support/LuaFixture.h"

namespace {

// The manager the test functions act on; each test sets it or leaves it none.
struct Counter {
  int calls = 0;
};
Counter* gCounter = nullptr;

// Two texts then the manager, in the standard order.
int Kit_Standard(lua_State* state) {
  ScriptCall call(state, "Kit Standard");
  const char* a;
  const char* b;
  Counter* counter = call.Begin(2, gCounter, a, b);
  if (counter == nullptr) return 0;
  ++counter->calls;
  return call.PushText(std::string(a) + b);
}

// The manager before anything else.
int Kit_ManagerFirst(lua_State* state) {
  ScriptCall call(state, "Kit ManagerFirst");
  const char* a;
  Counter* counter = call.BeginManagerFirst(1, gCounter, a);
  return counter != nullptr ? call.Push(++counter->calls) : 0;
}

// A number, then a required text; one or three arguments.
int Kit_Skip(lua_State* state) {
  ScriptCall call(state, "Kit Skip", "Kit Skip  Failed, invalid argument list\n");
  const char* text;
  if (!call.Arguments(Arity::Either(2, 4), kSkipArgument, text)) return 0;
  return call.PushText(text);
}

int Kit_AtLeast(lua_State* state) {
  ScriptCall call(state, "Kit AtLeast");
  if (!call.Arguments(Arity::AtLeast(1))) return 0;
  return call.Push(call.Count());
}

// Fails with the script's own text as a reason.
int Kit_Echo(lua_State* state) {
  ScriptCall call(state, "Kit Echo");
  const char* text;
  if (!call.Arguments(1, text)) return 0;
  call.Warn("saw %s", text);
  return call.Fail("no thing %s found", text);
}

// Argument 1 read as a switch (1 or 0).
int Kit_Flag(lua_State* state) {
  ScriptCall call(state, "Kit Flag");
  return call.Push(call.Flag(1) ? 1 : 0);
}

const ScriptFunction kKitFunctions[] = {
    ScriptEntry<Kit_Standard>("Kit_Standard"), ScriptEntry<Kit_ManagerFirst>("Kit_ManagerFirst"),
    ScriptEntry<Kit_Skip>("Kit_Skip"),         ScriptEntry<Kit_AtLeast>("Kit_AtLeast"),
    ScriptEntry<Kit_Echo>("Kit_Echo"),         ScriptEntry<Kit_Flag>("Kit_Flag"),
};

const ScriptFamily kKitFamily = {"Kit", ScriptTiming::WithManager, kKitFunctions};

class ScriptCallTest : public LuaFixture {
 protected:
  ScriptCallTest() { RegisterWithLuaManager(kKitFamily); }
  ~ScriptCallTest() override { gCounter = nullptr; }

  Counter counter;
};

TEST_F(ScriptCallTest, BeginChecksCountThenTextsThenManager) {
  // No manager: each call is wrong in the first way the order reaches.
  const ScriptFailure withoutManager[] = {
      {"Kit_Standard('a')", "Kit Standard:  Failed, invalid argument list\n"},
      {"Kit_Standard('a', 'b', 'c')", "Kit Standard:  Failed, invalid argument list\n"},
      {"Kit_Standard('a', nil)", "Kit Standard:  Failed, invalid argument list\n"},
      {"Kit_Standard({}, 'b')", "Kit Standard:  Failed, invalid argument list\n"},
      {"Kit_Standard('a', 'b')", "Kit Standard:  Failed, manager not created\n"},
      {"Kit_ManagerFirst()", "Kit ManagerFirst:  Failed, manager not created\n"},
      {"Kit_ManagerFirst(true)", "Kit ManagerFirst:  Failed, manager not created\n"},
  };
  ExpectFailures(withoutManager);

  gCounter = &counter;
  const ScriptFailure withManager[] = {
      {"Kit_Standard('a', true)", "Kit Standard:  Failed, invalid argument list\n"},
      {"Kit_ManagerFirst()", "Kit ManagerFirst:  Failed, invalid argument list\n"},
      {"Kit_ManagerFirst(true)", "Kit ManagerFirst:  Failed, invalid argument list\n"},
  };
  ExpectFailures(withManager);
  EXPECT_EQ(counter.calls, 0);

  log.Clear();
  ASSERT_TRUE(Run("joined = Kit_Standard('a', 7)  n = Kit_ManagerFirst('x')"));
  EXPECT_EQ(Text("joined"), "a7");
  EXPECT_EQ(Number("n"), 2);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ScriptCallTest, AritiesAndSkippedArguments) {
  const ScriptFailure cases[] = {
      {"Kit_Skip('a')", "Kit Skip  Failed, invalid argument list\n"},
      {"Kit_Skip(1, 'a', 3)", "Kit Skip  Failed, invalid argument list\n"},
      {"Kit_Skip(1, nil)", "Kit Skip  Failed, invalid argument list\n"},
      {"Kit_AtLeast()", "Kit AtLeast:  Failed, invalid argument list\n"},
  };
  ExpectFailures(cases);
  log.Clear();
  ASSERT_TRUE(Run(R"(
    two = Kit_Skip({}, 'second')
    four = Kit_Skip(nil, 5, nil, nil)
    many = Kit_AtLeast(nil, nil, nil)
  )"));
  EXPECT_EQ(Text("two"), "second");
  EXPECT_EQ(Text("four"), "5");
  EXPECT_EQ(Number("many"), 3);
  EXPECT_EQ(log.Text(), "");
}

// On for every number but 0; what reads as no number (NaN, a word, a boolean, nothing) is off.
TEST_F(ScriptCallTest, FlagIsOnForAnyNumberButZero) {
  const struct {
    const char* argument;
    bool on;
  } cases[] = {
      {"1", true},      {"-1", true},    {"0.5", true},    {"-0.5", true},   {"1/0", true},
      {"1e-300", true}, {"'1'", true},   {"' 2 '", true},  {"'0x10'", true}, {"0", false},
      {"-0", false},    {"0/0", false},  {"'0'", false},   {"'nan'", false}, {"'yes'", false},
      {"''", false},    {"true", false}, {"false", false}, {"nil", false},   {"{}", false},
      {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argument);
    ASSERT_TRUE(Run(std::string("on = Kit_Flag(") + c.argument + ")"));
    EXPECT_EQ(Number("on"), c.on ? 1 : 0);
  }
}

TEST_F(ScriptCallTest, ReasonsAreFormatsAndScriptTextsStayVerbatim) {
  ExpectFailure("Kit_Echo('%s%n%%')",
                "Kit Echo:  Warning, saw %s%n%%\n"
                "Kit Echo:  Failed, no thing %s%n%% found\n");
}

// A finalizer that frees the engine's text while Lua takes it: pushing may run a whole collection
// before Lua copies the bytes. The sanitizer build sees a read of freed memory without the copy.
TEST_F(ScriptCallTest, PushTextCopiesBeforeTheCollectorCanFreeTheText) {
  static std::string* text = nullptr;
  text = new std::string(200, 'r');
  lua_State* state = State();
  const int top = lua_gettop(state);
  lua_gc(state, LUA_GCSETPAUSE, 0);
  lua_gc(state, LUA_GCSETSTEPMUL, 0);  // no limit: every allocation check runs a whole cycle
  lua_gc(state, LUA_GCCOLLECT, 0);
  lua_newuserdata(state, 1);
  lua_newtable(state);
  lua_pushcfunction(state, [](lua_State*) {
    delete text;
    text = nullptr;
    return 0;
  });
  lua_setfield(state, -2, "__gc");
  lua_setmetatable(state, -2);
  lua_pop(state, 1);  // garbage from here on, with nothing allocating until the push

  ScriptCall call(state, "Kit Push");
  EXPECT_EQ(call.PushText(text->c_str()), 1);
  EXPECT_EQ(text, nullptr) << "the push did not run the finalizer";
  EXPECT_EQ(std::string(lua_tostring(state, -1)), std::string(200, 'r'));
  lua_settop(state, top);
  lua_gc(state, LUA_GCSETPAUSE, 200);
  lua_gc(state, LUA_GCSETSTEPMUL, 200);
  delete text;
}

struct ShoutRow {
  const char* name;
  const char* word;
  int times;
};
constexpr ShoutRow kShoutRows[] = {{"Shout_Once", "hey", 1}, {"Shout_Twice", "ho", 2}};

int RunShout(lua_State* state, const ShoutRow& row) {
  ScriptCall call(state, row.name);
  if (!call.Arguments(0)) return 0;
  std::string shout;
  for (int i = 0; i < row.times; ++i) shout += row.word;
  return call.PushText(shout);
}

constexpr auto kShoutFunctions = ScriptRows<kShoutRows, RunShout>();

TEST_F(ScriptCallTest, RowsMakeOneFunctionEachInOrder) {
  static_assert(kShoutFunctions.size() == 2);
  EXPECT_STREQ(kShoutFunctions[0].name, "Shout_Once");
  EXPECT_STREQ(kShoutFunctions[1].name, "Shout_Twice");
  RegisterScriptFunctions(State(), kShoutFunctions);
  ExpectFailure("Shout_Twice(1)", "Shout_Twice:  Failed, invalid argument list\n");
  ASSERT_TRUE(Run("once = Shout_Once()  twice = Shout_Twice()"));
  EXPECT_EQ(Text("once"), "hey");
  EXPECT_EQ(Text("twice"), "hoho");
}

TEST_F(ScriptCallTest, RegisteringWithoutALuaManagerDoesNothing) {
  static constexpr ScriptFunction kProbe[] = {{"Probe", [](lua_State*) { return 0; }}};
  const auto registered = [&] {
    lua_getglobal(State(), "Probe");
    const bool function = lua_isfunction(State(), -1);
    lua_pop(State(), 1);
    return function;
  };
  gLuaManager = nullptr;
  RegisterWithLuaManager({"Probe", ScriptTiming::WithManager, kProbe});
  EXPECT_FALSE(registered());
  gLuaManager = &lua;
  // A family of the Lua manager's alone is not its manager's to register.
  RegisterWithLuaManager({"Probe", ScriptTiming::WithLuaManager, kProbe});
  EXPECT_FALSE(registered());
  RegisterWithLuaManager({"Probe", ScriptTiming::WithManager, kProbe});
  EXPECT_TRUE(registered());
}

}  // namespace
