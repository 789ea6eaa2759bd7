// Checks the program's list of script families against what registers: the Lua manager's
// constructor registers exactly the families of its timing, and each manager's constructor exactly
// its own family, no more and no fewer.
//
// A family registered with its manager needs a row in kManagers that constructs that manager, e.g.
//     {&kKeyboardFamily, [] { return std::make_shared<KeyboardManager>(); }},
// The row runs with a fresh Lua manager installed as gLuaManager; what the construction registers
// (new globals and globals it registers again) must equal the family's functions.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "actors/AIManager.h"
#include "actors/Player.h"
#include "actors/ShooterMiniGameManager.h"
#include "core/KeyboardManager.h"
#include "core/TimerManager.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"
#include "program/ProgramScriptFamilies.h"
#include "resources/DataLibrary.h"
#include "resources/ExternalImageManager.h"
#include "resources/PathManager.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"
#include "support/ScriptReference.h"
#include "world/BackgroundManager.h"
#include "world/DefinedMap.h"
#include "world/MapManager.h"

namespace {

struct ManagerCase {
  const ScriptFamily* family;
  std::function<std::shared_ptr<void>()> construct;
};

// The families registered when their managers are constructed, each with how to construct one.
const ManagerCase kManagers[] = {
    {&kPropertyFamily, [] { return std::make_shared<PropertyManager>(); }},
    {&kTimerFamily, [] { return std::make_shared<TimerManager>(); }},
    {&kImageContainerFamily, [] { return std::make_shared<ExternalImageManager>(); }},
    {&kPathFamily, [] { return std::make_shared<PathManager>(); }},
    {&kDataLibraryFamily, [] { return std::make_shared<DataLibrary>(); }},
    {&kKeyboardFamily, [] { return std::make_shared<KeyboardManager>(); }},
    {&kBackgroundFamily, [] { return std::make_shared<BackgroundManager>(); }},
    {&kMapFamily, [] { return std::make_shared<MapManager>(); }},
    {&kClipMapFamily, [] { return std::make_shared<DefinedMap>(); }},
    {&kAIFamily, [] { return std::make_shared<AIManager>(); }},
    // Its sprite is a bitmap.
    {&kPlayerFamily,
     [] {
       StartAllegroHeadless();
       return std::make_shared<Player>();
     }},
    {&kShooterMiniGameFamily, [] { return std::make_shared<ShooterMiniGameManager>(); }},
};

// The names of the functions of the program's families that take takes.
std::set<std::string> Rows(const std::function<bool(const ScriptFamily&)>& take) {
  std::set<std::string> names;
  for (const ScriptFamily* family : ProgramScriptFamilies()) {
    if (!take(*family)) continue;
    for (const ScriptFunction& function : family->functions) names.insert(function.name);
  }
  return names;
}

std::set<std::string> GlobalNames(lua_State* state) {
  std::set<std::string> names;
  lua_pushnil(state);
  while (lua_next(state, LUA_GLOBALSINDEX) != 0) {
    if (lua_type(state, -2) == LUA_TSTRING) names.insert(lua_tostring(state, -2));
    lua_pop(state, 1);
  }
  return names;
}

// The globals whose value is new or different since the snapshot (a registration always makes a
// new closure, so registering a name again counts too).
class GlobalsSnapshot {
 public:
  explicit GlobalsSnapshot(lua_State* state) : state(state) {
    lua_newtable(state);
    lua_pushnil(state);
    while (lua_next(state, LUA_GLOBALSINDEX) != 0) {
      lua_pushvalue(state, -2);
      lua_insert(state, -2);
      lua_rawset(state, -4);
    }
    reference = luaL_ref(state, LUA_REGISTRYINDEX);
  }
  ~GlobalsSnapshot() { luaL_unref(state, LUA_REGISTRYINDEX, reference); }

  std::set<std::string> Changed() const {
    std::set<std::string> names;
    lua_rawgeti(state, LUA_REGISTRYINDEX, reference);
    lua_pushnil(state);
    while (lua_next(state, LUA_GLOBALSINDEX) != 0) {
      if (lua_type(state, -2) == LUA_TSTRING) {
        lua_pushvalue(state, -2);
        lua_rawget(state, -4);
        if (!lua_rawequal(state, -1, -2)) {
          EXPECT_EQ(lua_type(state, -2), LUA_TFUNCTION) << lua_tostring(state, -3);
          names.insert(lua_tostring(state, -3));
        }
        lua_pop(state, 1);
      }
      lua_pop(state, 1);
    }
    lua_pop(state, 1);
    return names;
  }

 private:
  lua_State* state;
  int reference;
};

std::vector<std::string> Difference(const std::set<std::string>& a,
                                    const std::set<std::string>& b) {
  std::vector<std::string> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

void ExpectSameNames(const std::set<std::string>& registered, const std::set<std::string>& rows,
                     const char* family) {
  EXPECT_EQ(Difference(registered, rows), std::vector<std::string>())
      << family << " registers names that are not its rows";
  EXPECT_EQ(Difference(rows, registered), std::vector<std::string>()) << family << " misses rows";
}

// A name in two families would be whichever registered last.
TEST(ScriptFamilies_List, HoldsEveryFamilyOnceAndEveryNameInOneFamily) {
  std::set<const ScriptFamily*> families;
  std::set<std::string> familyNames;
  std::map<std::string, std::string> familyOf;
  for (const ScriptFamily* family : ProgramScriptFamilies()) {
    EXPECT_TRUE(families.insert(family).second) << family->name << " listed twice";
    EXPECT_TRUE(familyNames.insert(family->name).second) << family->name << " named twice";
    EXPECT_FALSE(family->functions.empty()) << family->name << " has no functions";
    for (const ScriptFunction& function : family->functions) {
      const auto [at, fresh] = familyOf.emplace(function.name, family->name);
      EXPECT_TRUE(fresh) << function.name << " in " << at->second << " and in " << family->name;
    }
  }
}

// Every family registered by its manager has its case here, and only those.
TEST(ScriptFamilies_List, EveryManagerFamilyHasItsConstruction) {
  std::set<std::string> listed;
  for (const ScriptFamily* family : ProgramScriptFamilies()) {
    if (family->RegistersWithManager()) listed.insert(family->name);
  }
  std::set<std::string> constructed;
  for (const ManagerCase& c : kManagers) constructed.insert(c.family->name);
  EXPECT_EQ(constructed, listed);
}

class ScriptFamiliesTest : public LuaFixture {};

TEST_F(ScriptFamiliesTest, LuaManagerConstructorRegistersItsFamilies) {
  lua_State* plain = luaL_newstate();
  luaL_openlibs(plain);
  const std::vector<std::string> registered = Difference(GlobalNames(State()), GlobalNames(plain));
  lua_close(plain);

  ExpectSameNames({registered.begin(), registered.end()},
                  Rows([](const ScriptFamily& f) { return f.RegistersWithLuaManager(); }),
                  "LuaManager");
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ScriptFamiliesTest, EachConstructedManagerRegistersExactlyItsFamily) {
  for (const ManagerCase& c : kManagers) {
    const GlobalsSnapshot before(State());
    const std::shared_ptr<void> constructed = c.construct();
    ExpectSameNames(before.Changed(),
                    Rows([&](const ScriptFamily& family) { return &family == c.family; }),
                    c.family->name);
  }
}

// Content authors read docs/script-api.md: every function of every family has its entry there,
// named in backticks.
TEST(ScriptFamilies_Docs, EveryFunctionHasAnEntry) {
  const std::string text = ReadScriptReference();

  std::set<std::string> missing;
  for (const std::string& name : Rows([](const ScriptFamily&) { return true; })) {
    if (text.find("`" + name + "`") == std::string::npos) missing.insert(name);
  }
  EXPECT_EQ(missing, std::set<std::string>()) << "no entry in the script reference";
}

// The reference is the other list of the functions: each name its tables document (in the first
// cell of a row) is a function of a family, so a function dropped from its family's table shows.
TEST(ScriptFamilies_Docs, EveryDocumentedFunctionIsInAFamily) {
  const std::string text = ReadScriptReference();
  const std::set<std::string> functions = Rows([](const ScriptFamily&) { return true; });

  std::set<std::string> strangers;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("| `", 0) != 0) continue;
    const std::string cell = line.substr(1, line.find('|', 1) - 1);
    for (size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open)) {
      const size_t close = cell.find('`', open + 1);
      if (close == std::string::npos) break;
      const std::string name = cell.substr(open + 1, close - open - 1);
      if (functions.count(name) == 0) strangers.insert(name);
      open = close + 1;
    }
  }
  EXPECT_EQ(strangers, std::set<std::string>()) << "documented, but in no family";
}

}  // namespace
