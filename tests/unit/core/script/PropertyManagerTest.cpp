#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <lua.hpp>
#include <memory>
#include <string>

#include "core/Dimensions.h"
#include "core/EntityManager.h"
#include "core/RootEntity.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "program/ProgramScriptFamilies.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"

namespace {

// An owner with one field of each kind; it remembers what it was asked.
class FakeOwner : public PropertyHolder {
 public:
  PropertyRef GetPropertyAddress(const char* object, const char* property) override {
    lastObject = object;
    lastProperty = property;
    static constexpr PropertyField<FakeOwner> kFields[] = {
        FieldOf<&FakeOwner::flag, PropertyRef::Byte>("Flag"),
        FieldOf<&FakeOwner::integer, PropertyRef::Integer>("Integer"),
        FieldOf<&FakeOwner::id, PropertyRef::Identifier>("ID"),
        FieldOf<&FakeOwner::speed, PropertyRef::Float>("Speed"),
        FieldOf<&FakeOwner::precise, PropertyRef::Double>("Precise"),
        FieldOf<&FakeOwner::text, PropertyRef::Text>("Name"),
        FieldOf<&FakeOwner::line, PropertyRef::TextSlot>("Log|0"),
        ObjectFieldOf<&FakeOwner::box, PropertyRef::kDimensions>("Dimensions"),
        FieldOf<&FakeOwner::integer, PropertyRef::Integer>("Name"),  // the first of a name wins
    };
    return AnswerFromFields(kFields, *this, property, lifetime.Token());
  }

  uint8_t flag = 1;
  int32_t integer = 42;
  int32_t id = 7;
  float speed = 1.5f;
  double precise = 0.25;
  std::string text = "Alice";
  const std::string* line = nullptr;
  Dimensions box;
  std::string lastObject, lastProperty;
  Lifetime lifetime;
};

// An NPC stand-in: an entity that answers for one field through its own token.
class FakeNPC : public RootEntity {
 public:
  PropertyRef GetPropertyAddress(const char*, const char* property) override {
    static constexpr PropertyField<FakeNPC> kFields[] = {
        FieldOf<&FakeNPC::xCenter, PropertyRef::Integer>("XCenter"),
    };
    return AnswerFromFields(kFields, *this, property, GetLifetimeToken());
  }
  int32_t xCenter = 320;
};

class PropertyManagerTest : public GlobalsFixture {
 protected:
  PropertyManagerTest() {
    gLuaManager = &lua;
    gEntityManager = &registry;
    router = std::make_unique<PropertyManager>();
    gPropertyManager = router.get();
  }

  // Runs "return <expression>" and answers its results as text, "" for none.
  std::string Eval(const std::string& expression) {
    lua_State* state = lua.GetState();
    lua_settop(state, 0);
    const std::string chunk = "return " + expression;
    if (luaL_loadstring(state, chunk.c_str()) != 0 || lua_pcall(state, 0, LUA_MULTRET, 0) != 0) {
      return std::string("error: ") + lua_tostring(state, -1);
    }
    std::string results;
    for (int i = 1; i <= lua_gettop(state); ++i) {
      if (i > 1) results += ",";
      if (lua_isnumber(state, i)) {
        char number[32];
        std::snprintf(number, sizeof number, "%.9g", lua_tonumber(state, i));
        results += number;
      } else {
        results += luaL_typename(state, i);
      }
    }
    lua_settop(state, 0);
    return results;
  }

  // Each call's results and log lines.
  struct ScriptCase {
    const char* call;
    const char* results;
    const char* log;
  };
  void RunCases(std::initializer_list<ScriptCase> cases) {
    for (const ScriptCase& c : cases) {
      LogCapture log;
      EXPECT_EQ(Eval(c.call), c.results) << c.call;
      EXPECT_EQ(log.Text(), c.log) << c.call;
    }
  }

  LuaManager lua{ProgramScriptFamilies()};
  EntityManager registry;
  std::unique_ptr<PropertyManager> router;
  FakeOwner owner;
  PropertyOwnerSlot playerSlot{PropertyOwner::Player, [this](const char*) { return &owner; }};
};

TEST_F(PropertyManagerTest, PropertyManager_GetValueReadsPrimitivesOnly) {
  RunCases({
      {"PM_GetValue('Player', '', 'Flag')", "1", ""},
      {"PM_GetValue('Player', '', 'Integer')", "42", ""},
      {"PM_GetValue('Player', '', 'ID')", "7", ""},
      {"PM_GetValue('Player', '', 'Speed')", "1.5", ""},
      {"PM_GetValue('Player', '', 'Precise')", "0.25", ""},
      {"PM_GetValue('Player', nil, 'Integer')", "42", ""},  // the player ignores it
      {"PM_GetValue('Player', '', 'Name')", "",
       "PM GetValue:  Failed, pointer was not a primitive\n"},
      {"PM_GetValue('Player', '', 'Dimensions')", "",
       "PM GetValue:  Failed, pointer was not a primitive\n"},
      {"PM_GetValue('Player', '', 'Nothing')", "", "PM GetValue:  Failed, pointer was NULL\n"},
      {"PM_GetValue('Player', '', nil)", "", "PM GetValue:  Failed, pointer was NULL\n"},
      {"PM_GetValue(nil, '', 'Flag')", "", "PM GetValue:  Failed, pointer was NULL\n"},
      {"PM_GetValue({}, '', 'Flag')", "", "PM GetValue:  Failed, pointer was NULL\n"},
      {"PM_GetValue('Player', 'Flag')", "", "PM GetValue:  Failed, invalid argument list\n"},
      {"PM_GetValue('Player', '', 'Flag', 1)", "", "PM GetValue:  Failed, invalid argument list\n"},
  });
}

TEST_F(PropertyManagerTest, PropertyManager_SetValueWritesThroughTheType) {
  struct Case {
    const char* call;
    const char* log;
    std::function<bool(const FakeOwner&)> stored;
  };
  const Case cases[] = {
      {"PM_SetValue(0.5, 'Player', '', 'Flag')", "",
       [](const FakeOwner& o) { return o.flag == 1; }},
      {"PM_SetValue(0, 'Player', '', 'Flag')", "", [](const FakeOwner& o) { return o.flag == 0; }},
      {"PM_SetValue(-0.1, 'Player', '', 'Flag')", "",
       [](const FakeOwner& o) { return o.flag == 1; }},
      {"PM_SetValue(-2.7, 'Player', '', 'Integer')", "",
       [](const FakeOwner& o) { return o.integer == -2; }},
      {"PM_SetValue(3e9, 'Player', '', 'Integer')", "",
       [](const FakeOwner& o) { return o.integer == std::numeric_limits<int32_t>::max(); }},
      {"PM_SetValue(0/0, 'Player', '', 'Integer')", "",
       [](const FakeOwner& o) { return o.integer == 0; }},
      {"PM_SetValue('12', 'Player', '', 'ID')", "", [](const FakeOwner& o) { return o.id == 12; }},
      {"PM_SetValue(0.1, 'Player', '', 'Speed')", "",
       [](const FakeOwner& o) { return o.speed == 0.1f; }},
      {"PM_SetValue(1e300, 'Player', '', 'Speed')", "",
       [](const FakeOwner& o) { return o.speed == std::numeric_limits<float>::max(); }},
      {"PM_SetValue(0.1, 'Player', '', 'Precise')", "",
       [](const FakeOwner& o) { return o.precise == 0.1; }},
      {"PM_SetValue(1, 'Player', '', 'Name')",
       "PM SetValue:  Failed, pointer was not a primitive\n",
       [](const FakeOwner& o) { return o.text == "Alice"; }},
      {"PM_SetValue(1, 'Player', '', 'Nothing')", "PM SetValue:  Failed, pointer was NULL\n",
       [](const FakeOwner&) { return true; }},
      {"PM_SetValue(1, 'Player', 'Flag')", "PM SetValue:  Failed, invalid argument list\n",
       [](const FakeOwner&) { return true; }},
  };
  for (const Case& c : cases) {
    FakeOwner fresh;
    const PropertyOwnerSlot freshSlot(PropertyOwner::Player, [&](const char*) { return &fresh; });
    LogCapture log;
    EXPECT_EQ(Eval(c.call), "") << c.call;
    EXPECT_EQ(log.Text(), c.log) << c.call;
    EXPECT_TRUE(c.stored(fresh)) << c.call;
  }
}

TEST_F(PropertyManagerTest, PropertyManager_PointerIntegerPairReadsFlagsButWritesIntegersOnly) {
  RunCases({
      {"PM_GetPropertyPointerInteger('Player', '', 'Integer')", "42", ""},
      {"PM_GetPropertyPointerInteger('Player', '', 'Flag')", "1", ""},
      {"PM_GetPropertyPointerInteger('Player', '', 'ID')", "",
       "PM GetPropertyPointer (int):  Failed, pointer was not an Integer\n"},
      {"PM_GetPropertyPointerInteger('Player', '', 'Speed')", "",
       "PM GetPropertyPointer (int):  Failed, pointer was not an Integer\n"},
      {"PM_GetPropertyPointerInteger('Player', '', 'Nothing')", "",
       "PM GetPropertyPointer (int):  Failed, pointer was NULL\n"},
      {"PM_GetPropertyPointerInteger('Player', '')", "",
       "PM GetPropertyPointer (int):  Failed, invalid argument list\n"},
      {"PM_SetPropertyPointerInteger(-5.9, 'Player', '', 'Integer')", "", ""},
      {"PM_SetPropertyPointerInteger(0, 'Player', '', 'Flag')", "",
       "PM SetPropertyPointer (int):  Failed, pointer was not an Integer\n"},
      {"PM_SetPropertyPointerInteger(0, 'Player', '', 'ID')", "",
       "PM SetPropertyPointer (int):  Failed, pointer was not an Integer\n"},
      {"PM_SetPropertyPointerInteger(0, 'Player', '', 'Nothing')", "",
       "PM SetPropertyPointer (int):  Failed, pointer was NULL\n"},
      {"PM_SetPropertyPointerInteger(0, 'Player', '')", "",
       "PM SetPropertyPointer (int):  Failed, invalid argument list\n"},
  });
  EXPECT_EQ(owner.integer, -5);
  EXPECT_EQ(owner.flag, 1);
  EXPECT_EQ(owner.id, 7);
}

TEST_F(PropertyManagerTest, PropertyManager_RouteTriesOwnersByExactNameAndLogsOnlyMissingActives) {
  FakeOwner widget, chat;
  const PropertyOwnerSlot gui(PropertyOwner::GUI, [&](const char* object) -> PropertyHolder* {
    return std::string(object) == "window" ? &widget : nullptr;
  });
  const PropertyOwnerSlot chatLog(PropertyOwner::ChatLog, [&](const char*) { return &chat; });
  const PropertyOwnerSlot noObject(PropertyOwner::Object, [](const char*) { return nullptr; });
  const PropertyOwnerSlot noList(PropertyOwner::ActiveAIDrawingList,
                                 [](const char*) { return nullptr; });
  struct Case {
    const char* owner;
    const char* object;
    const char* property;
    int32_t type;
    const char* log;
  };
  const Case cases[] = {
      {"Player", "", "Integer", PropertyRef::kInteger, ""},
      {"player", "", "Integer", PropertyRef::kNone, ""},
      {"Player ", "", "Integer", PropertyRef::kNone, ""},
      {"Nobody", "", "Integer", PropertyRef::kNone, ""},
      {nullptr, "", "Integer", PropertyRef::kNone, ""},
      {"GUI", "window", "Name", PropertyRef::kText, ""},
      {"GUI", "no such window", "Name", PropertyRef::kNone, ""},
      {"GUI", nullptr, "Name", PropertyRef::kNone, ""},
      {"AIManager", "Base", "Integer", PropertyRef::kNone, ""},         // empty slot
      {"BackgroundManager", "sky", "Integer", PropertyRef::kNone, ""},  // empty slot
      {"ChatLog", "", "Log|0", PropertyRef::kText, ""},
      {"ActiveAIDrawingList", "", "Integer", PropertyRef::kNone,
       "Routing Function:  Failed, no Active Drawing List set\n"},
      {"NPC", "", "Integer", PropertyRef::kNone, "Routing Function:  Failed, no Active NPC set\n"},
      {"NPC", "", nullptr, PropertyRef::kNone, "Routing Function:  Failed, no Active NPC set\n"},
      {"Object", "", "Integer", PropertyRef::kNone,
       "Routing Function:  Failed, no Active Object set\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.owner ? c.owner : "(none)") + "/" +
                 (c.object ? c.object : "(none)"));
    router->SetType(55);
    LogCapture log;
    const PropertyRef ref = router->Route(c.owner, c.object, c.property);
    EXPECT_EQ(ref.GetType(), c.type);
    EXPECT_EQ(router->GetType(), c.type);
    EXPECT_EQ(log.Text(), c.log);
  }
}

TEST_F(PropertyManagerTest, PropertyManager_OwnersWithObjectsReceiveBothTexts) {
  FakeOwner background;
  const PropertyOwnerSlot slot(PropertyOwner::BackgroundManager,
                               [&](const char*) { return &background; });
  EXPECT_EQ(Eval("PM_GetValue('BackgroundManager', 'clouds', 'Integer')"), "42");
  EXPECT_EQ(background.lastObject, "clouds");
  EXPECT_EQ(background.lastProperty, "Integer");
}

TEST_F(PropertyManagerTest, PropertyManager_NPCOwnerIsTheActiveNPC) {
  auto* npc = new FakeNPC;
  registry.RegisterPointer("NPC", "guard", npc);
  registry.SetActiveEntity(npc);
  EXPECT_EQ(Eval("PM_GetValue('NPC', 'ignored', 'XCenter')"), "320");
  EXPECT_EQ(Eval("PM_SetValue(-4, 'NPC', '', 'XCenter')"), "");
  EXPECT_EQ(npc->xCenter, -4);

  registry.Clear();
  LogCapture log;
  EXPECT_EQ(Eval("PM_GetValue('NPC', '', 'XCenter')"), "");
  EXPECT_EQ(
      log.Text(),
      "Routing Function:  Failed, no Active NPC set\nPM GetValue:  Failed, pointer was NULL\n");
}

// A slot lives as long as the manager that keeps it, whether that was made before or after the
// router; while two slots of one owner live, the newer answers.
TEST_F(PropertyManagerTest, PropertyManager_SlotsLiveAsLongAsTheirManagers) {
  {
    FakeOwner other;
    other.integer = 5;
    const PropertyOwnerSlot newer(PropertyOwner::Player, [&](const char*) { return &other; });
    EXPECT_EQ(Eval("PM_GetValue('Player', '', 'Integer')"), "5");
  }
  EXPECT_EQ(Eval("PM_GetValue('Player', '', 'Integer')"), "42");

  {
    EntityManager later;
    auto* npc = new FakeNPC;
    later.RegisterPointer("NPC", "guard", npc);
    later.SetActiveEntity(npc);
    EXPECT_EQ(Eval("PM_GetValue('NPC', '', 'XCenter')"), "320");
  }
  LogCapture log;  // the fixture's registry answers again: it has no active NPC
  EXPECT_EQ(Eval("PM_GetValue('NPC', '', 'XCenter')"), "");
  EXPECT_EQ(
      log.Text(),
      "Routing Function:  Failed, no Active NPC set\nPM GetValue:  Failed, pointer was NULL\n");

  {
    const PropertyOwnerSlot chat(PropertyOwner::ChatLog, [&](const char*) { return &owner; });
    EXPECT_EQ(router->Route("ChatLog", "", "Integer").GetType(), PropertyRef::kInteger);
  }
  EXPECT_EQ(router->Route("ChatLog", "", "Integer").GetType(), PropertyRef::kNone);
}

TEST_F(PropertyManagerTest, PropertyManager_ReferenceKeptPastItsOwnerReadsAsMissing) {
  auto* npc = new FakeNPC;
  registry.RegisterPointer("NPC", "guard", npc);
  registry.SetActiveEntity(npc);
  const PropertyRef kept = router->Route("NPC", "", "XCenter");
  ASSERT_NE(kept.AsInteger(), nullptr);
  EXPECT_EQ(*kept.AsInteger(), 320);

  registry.Clear();  // a map unload destroys the NPC
  EXPECT_FALSE(kept.IsAlive());
  EXPECT_EQ(kept.GetType(), PropertyRef::kNone);
  EXPECT_EQ(kept.AsInteger(), nullptr);

  PropertyRef text;
  {
    FakeOwner shortLived;
    text = shortLived.GetPropertyAddress("", "Name");
    ASSERT_NE(text.ReadText(), nullptr);
  }
  EXPECT_EQ(text.ReadText(), nullptr);
  EXPECT_EQ(text.AsByte(), nullptr);
}

TEST_F(PropertyManagerTest, PropertyManager_BothTextFormsReadTheCurrentText) {
  const PropertyRef name = router->Route("Player", "", "Name");
  const PropertyRef line = router->Route("Player", "", "Log|0");
  EXPECT_EQ(name.GetType(), PropertyRef::kText);
  EXPECT_EQ(line.GetType(), PropertyRef::kText);

  EXPECT_EQ(*name.ReadText(), "Alice");
  owner.text = "a much longer name than the one before, to move the characters";
  EXPECT_EQ(*name.ReadText(), owner.text);

  EXPECT_EQ(line.ReadText(), nullptr);  // no line yet
  const std::string first = "hello", second = "goodbye";
  owner.line = &first;
  EXPECT_EQ(*line.ReadText(), "hello");
  owner.line = &second;  // a new line arrives
  EXPECT_EQ(*line.ReadText(), "goodbye");
  EXPECT_EQ(name.AsInteger(), nullptr);
}

TEST_F(PropertyManagerTest, PropertyManager_ObjectKindsCarryTheirTypeAndNeverAPrimitiveCode) {
  const PropertyRef box = router->Route("Player", "", "Dimensions");
  EXPECT_EQ(box.GetType(), PropertyRef::kDimensions);
  EXPECT_EQ(box.ObjectAs<Dimensions>(PropertyRef::kDimensions), &owner.box);
  EXPECT_EQ(box.ObjectAs<Dimensions>(PropertyRef::kPhysicsPack), nullptr);
  const LifetimeToken token = owner.lifetime.Token();
  EXPECT_EQ(PropertyRef::Object(PropertyRef::kInteger, &owner.integer, token).GetType(), 0);
  EXPECT_EQ(PropertyRef::Object(PropertyRef::kImage, nullptr, token).GetType(), 0);
  EXPECT_EQ(PropertyRef::Object(PropertyRef::kImagePointer, &owner.box, token).GetType(), -10);
}

TEST_F(PropertyManagerTest, PropertyManager_FunctionsExistOnceTheRouterIsCreated) {
  LuaManager fresh{ProgramScriptFamilies()};
  gLuaManager = &fresh;
  lua_State* state = fresh.GetState();
  for (const char* name : {"PM_GetValue", "PM_SetValue", "PM_GetPropertyPointerInteger",
                           "PM_SetPropertyPointerInteger"}) {
    lua_getglobal(state, name);
    EXPECT_TRUE(lua_isnil(state, -1)) << name;
    lua_pop(state, 1);
  }
  PropertyManager created;
  for (const char* name : {"PM_GetValue", "PM_SetValue", "PM_GetPropertyPointerInteger",
                           "PM_SetPropertyPointerInteger"}) {
    lua_getglobal(state, name);
    EXPECT_TRUE(lua_isfunction(state, -1)) << name;
    lua_pop(state, 1);
  }
}

TEST_F(PropertyManagerTest, PropertyManager_FunctionsWithoutARouterSayTheManagerIsMissing) {
  gPropertyManager = nullptr;
  LogCapture log;
  EXPECT_EQ(Eval("PM_GetValue('Player', '', 'Flag')"), "");
  EXPECT_EQ(Eval("PM_SetPropertyPointerInteger(1, 'Player', '', 'Integer')"), "");
  EXPECT_EQ(log.Text(),
            "PM GetValue:  Failed, manager not created\n"
            "PM SetPropertyPointer (int):  Failed, manager not created\n");
}

}  // namespace
