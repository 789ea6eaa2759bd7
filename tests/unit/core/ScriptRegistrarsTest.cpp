// Checks that every registrar that exists registers exactly its rows of the registration table
// (src/core/script/ScriptRegistrars.cpp), no more and no fewer.
//
// When your family lands, add ONE line here:
// - a family the Lua manager's constructor registers (cameras, dialogue, GUI, NPCs, paths,
//   triggers, music, objects, chat): nothing here; its row in the program's family list
//   (src/program/ProgramScriptFamilies.cpp) is what this test reads;
// - a manager that registers its own family in its constructor (AI manager, data library, image
//   containers, path manager, property router, keyboard, player, background, shooter mini-game,
//   map manager, clip map): add a row to kRegistrars that constructs it, e.g.
//       {ScriptRegistrar::KeyboardManager, [] { return std::make_shared<KeyboardManager>(); }},
//   The row runs with a fresh Lua manager installed as gLuaManager; what the construction
//   registers (new globals and globals it registers again) must equal that registrar's rows.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "actors/AIManager.h"
#include "actors/Player.h"
#include "actors/ShooterMiniGameManager.h"
#include "core/KeyboardManager.h"
#include "core/TimerManager.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptRegistrars.h"
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

struct RegistrarCase {
  ScriptRegistrar registrar;
  std::function<std::shared_ptr<void>()> construct;
};

// The registrars that register when they are constructed, each with how to construct one.
const RegistrarCase kRegistrars[] = {
    {ScriptRegistrar::PropertyManager, [] { return std::make_shared<PropertyManager>(); }},
    {ScriptRegistrar::TimerManager, [] { return std::make_shared<TimerManager>(); }},
    {ScriptRegistrar::ExternalImageManager,
     [] { return std::make_shared<ExternalImageManager>(); }},
    {ScriptRegistrar::PathManager, [] { return std::make_shared<PathManager>(); }},
    {ScriptRegistrar::DataLibrary, [] { return std::make_shared<DataLibrary>(); }},
    {ScriptRegistrar::KeyboardManager, [] { return std::make_shared<KeyboardManager>(); }},
    {ScriptRegistrar::BackgroundManager, [] { return std::make_shared<BackgroundManager>(); }},
    {ScriptRegistrar::MapManager, [] { return std::make_shared<MapManager>(); }},
    {ScriptRegistrar::ClipMap, [] { return std::make_shared<DefinedMap>(); }},
    {ScriptRegistrar::AIManager, [] { return std::make_shared<AIManager>(); }},
    // Its sprite is a bitmap.
    {ScriptRegistrar::Player,
     [] {
       StartAllegroHeadless();
       return std::make_shared<Player>();
     }},
    {ScriptRegistrar::ShooterMiniGameManager,
     [] { return std::make_shared<ShooterMiniGameManager>(); }},
};

// Whether the row is registered today: by the Lua manager's constructor (its own and the GUI's rows
// of a landed family) or by constructing a registrar of kRegistrars.
bool LandedInLuaManager(const ScriptRegistration& row) {
  const std::span<const LuaManagerFamily> families = ProgramScriptFamilies();
  return (row.registrar == ScriptRegistrar::LuaManager || row.registrar == ScriptRegistrar::GUI) &&
         std::any_of(families.begin(), families.end(),
                     [&](const LuaManagerFamily& f) { return f.family == row.family; });
}
bool LandedByConstruction(const ScriptRegistration& row) {
  return std::any_of(std::begin(kRegistrars), std::end(kRegistrars),
                     [&](const RegistrarCase& c) { return c.registrar == row.registrar; });
}

std::set<std::string> Rows(const std::function<bool(const ScriptRegistration&)>& take) {
  std::set<std::string> names;
  for (const ScriptRegistration& row : ScriptRegistrations()) {
    if (take(row)) names.insert(row.name);
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
                     const char* registrar) {
  EXPECT_EQ(Difference(registered, rows), std::vector<std::string>())
      << registrar << " registers names that are not its rows";
  EXPECT_EQ(Difference(rows, registered), std::vector<std::string>())
      << registrar << " misses rows";
}

TEST(ScriptRegistrars_Table, HoldsEveryRegistrationOnce) {
  const std::map<ScriptRegistrar, size_t> expected = {
      {ScriptRegistrar::LuaManager, 92},
      {ScriptRegistrar::GUI, 37},
      {ScriptRegistrar::AIManager, 27},
      {ScriptRegistrar::DataLibrary, 10},
      {ScriptRegistrar::ExternalImageManager, 3},
      {ScriptRegistrar::PathManager, 6},
      {ScriptRegistrar::PropertyManager, 4},
      {ScriptRegistrar::KeyboardManager, 4},
      {ScriptRegistrar::Player, 3},
      {ScriptRegistrar::BackgroundManager, 5},
      {ScriptRegistrar::TimerManager, 3},
      {ScriptRegistrar::ShooterMiniGameManager, 2},
      {ScriptRegistrar::MapManager, 7},
      {ScriptRegistrar::ClipMap, 3},
  };
  std::map<ScriptRegistrar, size_t> counted;
  std::set<std::pair<ScriptRegistrar, std::string>> perRegistrar;
  std::set<std::string> globals;
  for (const ScriptRegistration& row : ScriptRegistrations()) {
    ++counted[row.registrar];
    EXPECT_TRUE(perRegistrar.insert({row.registrar, row.name}).second)
        << row.name << " twice in " << RegistrarName(row.registrar);
    globals.insert(row.name);
  }
  EXPECT_EQ(counted, expected);
  EXPECT_EQ(ScriptRegistrations().size(), 206u);
  EXPECT_EQ(globals.size(), 200u);
  // The only names registered twice are the paths family, by the Lua manager and the path manager.
  EXPECT_EQ(
      Rows([](const ScriptRegistration& r) { return r.family == ScriptFamily::Paths; }).size(), 6u);
}

class ScriptRegistrarsTest : public LuaFixture {};

TEST_F(ScriptRegistrarsTest, LuaManagerConstructorRegistersItsLandedFamilies) {
  lua_State* plain = luaL_newstate();
  luaL_openlibs(plain);
  const std::vector<std::string> registered = Difference(GlobalNames(State()), GlobalNames(plain));
  lua_close(plain);

  ExpectSameNames({registered.begin(), registered.end()}, Rows(LandedInLuaManager), "LuaManager");
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ScriptRegistrarsTest, EachConstructedRegistrarRegistersExactlyItsRows) {
  for (const RegistrarCase& c : kRegistrars) {
    const char* name = RegistrarName(c.registrar);
    const GlobalsSnapshot before(State());
    const std::shared_ptr<void> constructed = c.construct();
    ExpectSameNames(
        before.Changed(),
        Rows([&](const ScriptRegistration& row) { return row.registrar == c.registrar; }), name);
  }
}

// Content authors read docs/script-api.md: every function of a landed registrar has its entry
// there, named in backticks.
TEST(ScriptRegistrars_Docs, EveryLandedFunctionHasAnEntry) {
  const std::string text = ReadScriptReference();

  std::set<std::string> missing;
  for (const ScriptRegistration& row : ScriptRegistrations()) {
    const bool landed = LandedInLuaManager(row) || LandedByConstruction(row);
    if (landed && text.find("`" + std::string(row.name) + "`") == std::string::npos) {
      missing.insert(row.name);
    }
  }
  EXPECT_EQ(missing, std::set<std::string>()) << "no entry in the script reference";
}

}  // namespace
