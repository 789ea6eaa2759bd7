// The guard around every script function: an exception from inside the program is logged under
// the function's registered name, and the script goes on.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "core/script/ScriptCall.h"
#include "support/LuaFixture.h"

namespace {

int ThrowsBadAlloc(lua_State*) { throw std::bad_alloc(); }
int ThrowsRuntimeError(lua_State*) { throw std::runtime_error("wheel came off"); }
int ThrowsAnInt(lua_State*) { throw 7; }

const ScriptFunction kThrowing[] = {
    ScriptEntry<ThrowsBadAlloc>("Test_OutOfMemory"),
    ScriptEntry<ThrowsRuntimeError>("Test_RuntimeError"),
    ScriptEntry<ThrowsAnInt>("Test_Unknown"),
};

using ScriptGuardTest = LuaFixture;

TEST_F(ScriptGuardTest, AnExceptionIsLoggedUnderTheFunctionsNameAndTheScriptGoesOn) {
  RegisterScriptFunctions(State(), kThrowing);
  ASSERT_TRUE(Run("a = Test_OutOfMemory() b = Test_RuntimeError() c = Test_Unknown() done = 1"));
  EXPECT_EQ(Number("done"), 1);
  EXPECT_TRUE(IsNil("a"));
  EXPECT_EQ(log.Text(),
            "Test_OutOfMemory:  Failed, out of memory\n"
            "Test_RuntimeError:  Failed, wheel came off\n"
            "Test_Unknown:  Failed, unknown exception\n");

  // Pushed without the registration, a guarded function has no name to give.
  log.Clear();
  lua_pushcfunction(State(), &GuardedScriptFunction<ThrowsBadAlloc>);
  lua_setglobal(State(), "Unnamed");
  ASSERT_TRUE(Run("Unnamed()"));
  EXPECT_EQ(log.Text(), "Script function:  Failed, out of memory\n");
}

}  // namespace
