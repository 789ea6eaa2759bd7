#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/EntityManager.h"
#include "core/RootEntity.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"

namespace {

// Records what the registry does to it into a shared journal, which outlives the entity.
struct Journal {
  std::vector<std::string> events;
  int destroyed = 0;
};

class StubEntity : public RootEntity {
 public:
  StubEntity(Journal& journal, std::string name) : journal(journal), name(std::move(name)) {}
  ~StubEntity() override {
    journal.events.push_back("~" + name);
    ++journal.destroyed;
  }

  void Update() override {
    journal.events.push_back("update " + name);
    if (onUpdate) onUpdate();
    // Touches the entity after the hook: a clear that destroyed it at once shows under ASan.
    journal.events.push_back("updated " + name);
  }
  void Draw(ImageObject*, Camera*) override { journal.events.push_back("draw " + name); }

  Journal& journal;
  std::string name;
  std::function<void()> onUpdate;
};

class EntityManagerTest : public GlobalsFixture {
 protected:
  StubEntity* Make(const std::string& name) { return new StubEntity(journal, name); }

  Journal journal;
  EntityManager registry;
};

TEST_F(EntityManagerTest, EntityManager_StartsWithFiveEmptySubListsAndNoActiveNPC) {
  for (const char* name : {"AIAnimation", "AIDrawing", "AIFloating", "NPC", "Object"}) {
    ASSERT_NE(registry.SubList(name), nullptr) << name;
    EXPECT_EQ(registry.SubList(name)->GetCount(), 0) << name;
  }
  EXPECT_EQ(registry.SubList("Npc"), nullptr);
  EXPECT_EQ(registry.GetActiveNPC(), nullptr);
  EXPECT_EQ(registry.GetDialogueNPC(), nullptr);
  EXPECT_EQ(registry.GetClickMode(), -1);
}

TEST_F(EntityManagerTest, EntityManager_RegisterPointerUnknownListLogsAndStillUpdatesAndDraws) {
  LogCapture log;
  registry.RegisterPointer("Monsters", "bat", Make("bat"));
  EXPECT_EQ(log.Text(), "EntityManager::RegisterPointer:  Failed, sub list Monsters not found\n");
  EXPECT_EQ(registry.All().GetCount(), 1);
  EXPECT_NE(registry.FindInAll("bat"), nullptr);

  registry.Update();
  registry.Draw(nullptr, nullptr);
  EXPECT_EQ(journal.events, (std::vector<std::string>{"update bat", "updated bat", "draw bat"}));
}

TEST_F(EntityManagerTest, EntityManager_RegisterPointerIgnoresNoneArguments) {
  LogCapture log;
  StubEntity* entity = Make("x");
  registry.RegisterPointer(nullptr, "x", entity);
  registry.RegisterPointer("NPC", nullptr, entity);
  registry.RegisterPointer("NPC", "x", nullptr);
  registry.RegisterInAll(nullptr, entity);
  registry.RegisterInAll("x", nullptr);
  EXPECT_EQ(registry.All().GetCount(), 0);
  EXPECT_EQ(log.Text(), "");
  delete entity;
}

TEST_F(EntityManagerTest, EntityManager_LookupsReachTheFirstOfANameInTheirList) {
  StubEntity* first = Make("first");
  StubEntity* second = Make("second");
  StubEntity* object = Make("object");
  registry.RegisterPointer("NPC", "guard", first);
  registry.RegisterPointer("NPC", "guard", second);
  registry.RegisterPointer("Object", "crate", object);

  EXPECT_EQ(registry.FindNPC("guard"), first);
  EXPECT_EQ(registry.FindInAll("guard"), first);
  EXPECT_EQ(registry.FindObject("crate"), object);
  EXPECT_EQ(registry.FindNPC("crate"), nullptr);
  EXPECT_EQ(registry.FindNPC(nullptr), nullptr);
  EXPECT_EQ(registry.GetEntity("Object", "crate"), object);
  EXPECT_EQ(registry.GetEntity("NPC", nullptr), nullptr);

  registry.SetActiveFromList("NPC", "guard");
  EXPECT_EQ(registry.GetActiveNPC(), first);
  registry.SetActiveFromAll("crate");
  EXPECT_EQ(registry.GetActiveNPC(), object);
}

TEST_F(EntityManagerTest, EntityManager_GetEntityUnknownListLogsWarningAndAnswersNone) {
  registry.RegisterPointer("NPC", "guard", Make("guard"));
  LogCapture log;
  EXPECT_EQ(registry.GetEntity("Guards", "guard"), nullptr);
  EXPECT_EQ(log.Text(), "EntityManager::GetEntity(L, N) Warning, could not find list Guards\n");
}

TEST_F(EntityManagerTest, EntityManager_UpdateNPCsUpdatesOnlyNPCsThenSetsClickModeMinusOne) {
  StubEntity* npc = Make("npc");
  std::vector<int32_t> seen;
  npc->onUpdate = [&] { seen.push_back(registry.GetClickMode()); };
  registry.RegisterPointer("NPC", "npc", npc);
  registry.RegisterPointer("Object", "crate", Make("crate"));

  for (int32_t mode : {0, 1}) {
    registry.SetClickMode(mode);
    registry.UpdateNPCs();
    EXPECT_EQ(registry.GetClickMode(), -1);
  }
  registry.Update();
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, -1}));
  EXPECT_EQ(journal.events, (std::vector<std::string>{"update npc", "updated npc", "update npc",
                                                      "updated npc", "update npc", "updated npc",
                                                      "update crate", "updated crate"}));
}

TEST_F(EntityManagerTest, EntityManager_ClearDestroysEachEntityOnceAndKeepsSubListNames) {
  StubEntity* npc = Make("npc");
  registry.RegisterPointer("NPC", "npc", npc);
  registry.RegisterInAll("npc again", npc);  // registered twice: still destroyed once
  registry.RegisterPointer("Object", "crate", Make("crate"));
  registry.SetActiveEntity(npc);
  registry.SetDialogueNPC(npc);
  registry.SetClickMode(1);

  registry.Clear();
  EXPECT_EQ(journal.events, (std::vector<std::string>{"~npc", "~crate"}));
  EXPECT_EQ(registry.GetActiveNPC(), nullptr);
  EXPECT_EQ(registry.GetDialogueNPC(), nullptr);
  EXPECT_EQ(registry.GetClickMode(), 1);
  EXPECT_EQ(registry.All().GetCount(), 0);
  for (const char* name : {"AIAnimation", "AIDrawing", "AIFloating", "NPC", "Object"}) {
    ASSERT_NE(registry.SubList(name), nullptr) << name;
    EXPECT_EQ(registry.SubList(name)->GetCount(), 0) << name;
  }
}

// A dialogue or default script that changes the map clears the registry from inside the walk.
TEST_F(EntityManagerTest, EntityManager_ClearFromInsideAnUpdateDestroysAfterTheWalk) {
  struct Case {
    const char* walk;
    std::function<void(EntityManager&)> run;
  };
  const Case cases[] = {
      {"Update", [](EntityManager& r) { r.Update(); }},
      {"UpdateNPCs", [](EntityManager& r) { r.UpdateNPCs(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.walk);
    journal = Journal{};
    StubEntity* a = Make("a");
    StubEntity* b = Make("b");
    StubEntity* c3 = Make("c");
    registry.RegisterPointer("NPC", "a", a);
    registry.RegisterPointer("NPC", "b", b);
    registry.RegisterPointer("NPC", "c", c3);
    StubEntity* fresh = nullptr;
    b->onUpdate = [&] {
      registry.Clear();
      EXPECT_EQ(journal.destroyed, 0);  // b is still running
      registry.SetActiveEntity(b);      // a stale pointer the walk must forget
      fresh = Make("fresh");            // the new map's first NPC
      registry.RegisterPointer("NPC", "fresh", fresh);
    };

    c.run(registry);
    // The new map's NPC is updated in the same walk; the old ones only die once it has ended.
    EXPECT_EQ(journal.events,
              (std::vector<std::string>{"update a", "updated a", "update b", "updated b",
                                        "update fresh", "updated fresh", "~a", "~b", "~c"}));
    EXPECT_EQ(registry.GetActiveNPC(), nullptr);
    EXPECT_EQ(registry.All().GetCount(), 1);
    EXPECT_EQ(registry.FindNPC("fresh"), fresh);
    registry.Clear();
  }
}

TEST_F(EntityManagerTest, EntityManager_ClearInsideNestedWalksWaitsForTheOutermost) {
  StubEntity* outer = Make("outer");
  StubEntity* inner = Make("inner");
  registry.RegisterPointer("NPC", "outer", outer);
  registry.RegisterPointer("Object", "inner", inner);
  inner->onUpdate = [&] { registry.Clear(); };
  bool nested = false;
  outer->onUpdate = [&] {
    if (nested) return;
    nested = true;
    registry.Update();  // a walk of all inside a walk of the NPCs
    EXPECT_EQ(journal.destroyed, 0);
  };
  registry.UpdateNPCs();
  EXPECT_EQ(journal.destroyed, 2);
}

}  // namespace
