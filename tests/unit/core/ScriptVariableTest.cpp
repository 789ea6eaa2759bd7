#include <gtest/gtest.h>

#include <string>

#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/RootEntity.h"
#include "core/script/ScriptVariableStore.h"
#include "support/LuaFixture.h"

namespace {

// An NPC as far as script variables are concerned: an entity with its own store.
class FakeNPC : public RootEntity {
 public:
  ScriptVariableStore* GetVariableList() override { return &variables; }
  ScriptVariableStore variables;
};

class ScriptVariableTest : public LuaFixture {
 protected:
  ScriptVariableTest() { gGlobalVariables = &globals; }

  void ActivateNPC(RootEntity* npc) {
    gEntityManager = &entities;
    entities.SetActiveEntity(npc);
  }

  // Runs the code with every "P_" replaced by the scope's prefix.
  bool RunInScope(const std::string& prefix, std::string code) {
    for (size_t at = code.find("P_"); at != std::string::npos; at = code.find("P_", at)) {
      code.replace(at, 2, prefix);
      at += prefix.size();
    }
    return Run(code);
  }

  ScriptVariableStore globals;
  EntityManager entities;
};

// The same script runs in each scope that has a store and must read the same answers.
TEST_F(ScriptVariableTest, EveryOperationBehavesAlikeInEachScope) {
  const char* script = R"(
    local r = {}
    r.add = P_AddScriptVariableI("a", 2.7)
    P_AddScriptVariableI("a", 5)
    P_AddScriptVariableA("t", "hello")
    P_AddScriptVariableI("neg", -2.7)
    P_AddScriptVariableI("big", 3e9)
    P_AddScriptVariableI("wide", 16777217)
    P_AddScriptVariableI("numeric text", "12")
    r.oldest = P_GetScriptVariableI("a")
    r.text = P_GetScriptVariableA("t")
    r.missingI = P_GetScriptVariableI("zz")
    r.missingA = P_GetScriptVariableA("zz")
    r.textAsI = P_GetScriptVariableI("t")
    r.numberAsA = P_GetScriptVariableA("a")
    r.caseSensitive = P_GetScriptVariableI("A")
    r.neg = P_GetScriptVariableI("neg")
    r.big = P_GetScriptVariableI("big")
    r.wide = P_GetScriptVariableI("wide")
    r.numericText = P_GetScriptVariableI("numeric text")
    r.set = P_SetScriptVariableI("a", 9)
    r.afterSet = P_GetScriptVariableI("a")
    r.delete = P_DeleteScriptVariable("a")
    r.secondVisible = P_GetScriptVariableI("a")
    r.setA = P_SetScriptVariableA("a", "now text")
    r.switchedA = P_GetScriptVariableA("a")
    r.switchedI = P_GetScriptVariableI("a")
    P_SetScriptVariableI("a", 4)
    r.backI = P_GetScriptVariableI("a")
    r.backA = P_GetScriptVariableA("a")
    r.setMissingI = P_SetScriptVariableI("nope", 1)
    r.setMissingA = P_SetScriptVariableA("nope", "x")
    r.deleteMissing = P_DeleteScriptVariable("nope")
    r.stillMissing = P_GetScriptVariableI("nope")
    local keys = {"add", "oldest", "text", "missingI", "missingA", "textAsI", "numberAsA",
      "caseSensitive", "neg", "big", "wide", "numericText", "set", "afterSet", "delete",
      "secondVisible", "setA", "switchedA", "switchedI", "backI", "backA", "setMissingI",
      "setMissingA", "deleteMissing", "stillMissing"}
    out = ""
    for _, k in ipairs(keys) do out = out .. k .. "=" .. tostring(r[k]) .. ";" end
  )";
  const std::string expected =
      "add=1;oldest=2;text=hello;missingI=-100;missingA=nil;textAsI=0;numberAsA=nil;"
      "caseSensitive=-100;neg=-2;big=2147483647;wide=16777216;numericText=12;set=1;afterSet=9;"
      "delete=1;secondVisible=5;setA=1;switchedA=now text;switchedI=0;backI=4;backA=nil;"
      "setMissingI=1;setMissingA=1;deleteMissing=1;stillMissing=-100;";

  FakeNPC npc;
  ActivateNPC(&npc);
  struct Case {
    const char* prefix;
    ScriptVariableStore* store;
  };
  const Case cases[] = {{"NPC_", &npc.variables}, {"Global_", &globals}};
  for (const Case& c : cases) {
    ASSERT_TRUE(RunInScope(c.prefix, script)) << c.prefix;
    EXPECT_EQ(Text("out"), expected) << c.prefix;
    // "a" (now numeric 4), "t", "neg", "big", "wide", "numeric text"; "nope" never added.
    EXPECT_EQ(c.store->GetCount(), 6) << c.prefix;
    EXPECT_STREQ(c.store->GetNameAt(0), "a") << c.prefix;
    EXPECT_STREQ(c.store->GetStringAt(1), "hello") << c.prefix;
    EXPECT_EQ(c.store->GetNameAt(6), nullptr) << c.prefix;
  }
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ScriptVariableTest, ScopesAreSeparateAndTheNPCScopeFollowsTheActiveNPC) {
  FakeNPC first;
  FakeNPC second;
  ActivateNPC(&first);
  ASSERT_TRUE(Run(R"(
    NPC_AddScriptVariableI("x", 1)
    Global_AddScriptVariableI("x", 2)
  )"));
  entities.SetActiveEntity(&second);
  ASSERT_TRUE(Run(R"(
    inSecond = NPC_GetScriptVariableI("x")
    inGlobal = Global_GetScriptVariableI("x")
  )"));
  EXPECT_EQ(Number("inSecond"), -100);
  EXPECT_EQ(Number("inGlobal"), 2);
  EXPECT_EQ(first.variables.GetNumber("x"), 1);
}

TEST_F(ScriptVariableTest, InvalidArgumentListsNameScopeAndOperation) {
  FakeNPC npc;
  ActivateNPC(&npc);
  const char* scopes[][2] = {{"NPC_", "NPC"}, {"Env_", "Env"}, {"Global_", "Global"}};
  struct Case {
    const char* operation;
    const char* wrongArguments;
  };
  // Wrong counts, and required texts that are nil or a table.
  const Case cases[] = {
      {"AddScriptVariableI", "('x')"},       {"AddScriptVariableI", "(nil, 1)"},
      {"AddScriptVariableA", "('x', 1, 2)"}, {"AddScriptVariableA", "('x', nil)"},
      {"DeleteScriptVariable", "()"},        {"DeleteScriptVariable", "({})"},
      {"GetScriptVariableI", "('x', 1)"},    {"GetScriptVariableA", "(nil)"},
      {"SetScriptVariableI", "('x')"},       {"SetScriptVariableA", "('x', {})"},
  };
  for (const auto& scope : scopes) {
    for (const Case& c : cases) {
      ExpectFailure(
          std::string(scope[0]) + c.operation + c.wrongArguments,
          std::string(scope[1]) + " " + c.operation + ":  Failed, invalid argument list\n");
    }
  }
  EXPECT_EQ(npc.variables.GetCount(), 0);
  EXPECT_EQ(globals.GetCount(), 0);
}

TEST_F(ScriptVariableTest, MissingStoresLogTheirScopesLine) {
  gGlobalVariables = nullptr;  // the global store and the map manager do not exist yet
  const ScriptFailure cases[] = {
      // Only the NPC adder checks its arguments before the active NPC.
      {"NPC_AddScriptVariableI('x')", "NPC AddScriptVariableI:  Failed, invalid argument list\n"},
      {"NPC_AddScriptVariableI('x', 1)", "NPC AddScriptVariableI:  Failed, Active NPC not set\n"},
      {"NPC_DeleteScriptVariable()", "NPC DeleteScriptVariable:  Failed, Active NPC not set\n"},
      {"NPC_AddScriptVariableA()", "NPC AddScriptVariableA:  Failed, Active NPC not set\n"},
      {"NPC_GetScriptVariableI('x')", "NPC GetScriptVariableI:  Failed, Active NPC not set\n"},
      {"NPC_GetScriptVariableA('x')", "NPC GetScriptVariableA:  Failed, Active NPC not set\n"},
      {"NPC_SetScriptVariableI('x', 1)", "NPC SetScriptVariableI:  Failed, Active NPC not set\n"},
      {"NPC_SetScriptVariableA(1)", "NPC SetScriptVariableA:  Failed, Active NPC not set\n"},
      {"Env_AddScriptVariableI('x', 1)", "Env AddScriptVariableI:  Failed, manager not created\n"},
      {"Env_GetScriptVariableA('x')", "Env GetScriptVariableA:  Failed, manager not created\n"},
      {"Env_SetScriptVariableA('x')", "Env SetScriptVariableA:  Failed, invalid argument list\n"},
      {"Global_GetScriptVariableI('x')",
       "Global GetScriptVariableI:  Failed, manager not created\n"},
  };
  RootEntity plainEntity;  // an active entity that keeps no variables is no NPC for them
  for (RootEntity* active : {static_cast<RootEntity*>(nullptr), &plainEntity}) {
    ActivateNPC(active);
    ExpectFailures(cases);
  }
}

TEST_F(ScriptVariableTest, NPCScopeWithoutEntityRegistryIsNotSet) {
  ASSERT_TRUE(Run("NPC_GetScriptVariableI('x')"));
  EXPECT_EQ(log.Text(), "NPC GetScriptVariableI:  Failed, Active NPC not set\n");
}

}  // namespace
