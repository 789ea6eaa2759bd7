#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "core/Graveyard.h"
#include "core/RootEntity.h"
#include "core/script/PropertyRef.h"
#include "support/GlobalsFixture.h"

namespace {

// Writes its destruction into a journal that outlives it, and may act while being destroyed.
struct Tomb {
  Tomb(std::vector<std::string>& journal, std::string name)
      : journal(journal), name(std::move(name)) {}
  ~Tomb() {
    journal.push_back("~" + name);
    if (onDestroy) onDestroy();
  }
  std::vector<std::string>& journal;
  std::string name;
  std::function<void()> onDestroy;
};

class GraveyardTest : public GlobalsFixture {
 protected:
  Tomb* Make(const std::string& name) { return new Tomb(journal, name); }

  std::vector<std::string> journal;
  Graveyard graveyard;
};

TEST_F(GraveyardTest, OutsideAWalkABurialDestroysAtOnce) {
  Tomb* tomb = Make("a");
  graveyard.Bury(tomb);
  EXPECT_EQ(journal, std::vector<std::string>{"~a"});
  EXPECT_FALSE(graveyard.IsRetired(tomb));
  graveyard.Bury(static_cast<Tomb*>(nullptr));
  graveyard.Bury(nullptr, [] { FAIL(); });
  EXPECT_FALSE(graveyard.Walking());
}

TEST_F(GraveyardTest, NestedWalksDestroyInBurialOrderAfterTheOutermost) {
  Tomb* a = Make("a");
  Tomb* b = Make("b");
  {
    Graveyard::Walk outer(graveyard);
    {
      Graveyard::Walk inner(graveyard);
      graveyard.Bury(b);
      graveyard.Bury(a);
      graveyard.Bury(b);  // reached again: still destroyed once
    }
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(graveyard.IsRetired(a));
    EXPECT_TRUE(graveyard.IsRetired(b));
    EXPECT_TRUE(graveyard.Walking());
  }
  EXPECT_EQ(journal, (std::vector<std::string>{"~b", "~a"}));
  EXPECT_FALSE(graveyard.IsRetired(a));
  EXPECT_FALSE(graveyard.Walking());
}

// An owner destroying what it owns buries it, and may open a walk of its own while it goes.
TEST_F(GraveyardTest, WhatADestructorBuriesJoinsTheSameRound) {
  Tomb* owner = Make("owner");
  Tomb* owned = Make("owned");
  Tomb* late = Make("late");
  owner->onDestroy = [&] {
    Graveyard::Walk walk(graveyard);
    graveyard.Bury(owned);
    graveyard.Bury(owner);  // itself, again, while it goes
    EXPECT_EQ(journal.size(), 1u);
  };
  owned->onDestroy = [&] { graveyard.Bury(late); };
  {
    Graveyard::Walk walk(graveyard);
    graveyard.Bury(owner);
  }
  EXPECT_EQ(journal, (std::vector<std::string>{"~owner", "~owned", "~late"}));
  EXPECT_FALSE(graveyard.IsRetired(owner));
}

// What is buried is gone for everyone who refers to it, though it is destroyed only later.
TEST_F(GraveyardTest, AManagedObjectsReferencesGoDeadWhenItIsBuried) {
  struct Entity : RootEntity {
    explicit Entity(std::vector<std::string>& journal) : journal(journal) {}
    ~Entity() override { journal.push_back("~entity"); }
    std::vector<std::string>& journal;
    int32_t value = 7;
  };
  auto* entity = new Entity(journal);
  const PropertyRef ref = PropertyRef::Integer(entity->value, entity->GetLifetimeToken());
  const LifetimeToken token = entity->GetLifetimeToken();
  ASSERT_NE(ref.AsInteger(), nullptr);
  {
    Graveyard::Walk walk(graveyard);
    graveyard.Bury(static_cast<RootEntity*>(entity));
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(token.IsAlive());
    EXPECT_EQ(ref.GetType(), PropertyRef::kNone);
    EXPECT_EQ(ref.AsInteger(), nullptr);
  }
  EXPECT_EQ(journal, std::vector<std::string>{"~entity"});
  EXPECT_FALSE(token.IsAlive());
}

TEST_F(GraveyardTest, DestroyingTheGraveyardDestroysWhatIsBuried) {
  auto* inner = new Graveyard;
  // A walk that never ends (its storage is never destroyed), as at exit from inside the loop.
  alignas(Graveyard::Walk) unsigned char storage[sizeof(Graveyard::Walk)];
  new (storage) Graveyard::Walk(*inner);
  inner->Bury(Make("a"));
  inner->Bury(Make("b"));
  EXPECT_TRUE(journal.empty());
  delete inner;
  EXPECT_EQ(journal, (std::vector<std::string>{"~a", "~b"}));
}

TEST_F(GraveyardTest, TheProcessHasOneGraveyardThatWalksUseByDefault) {
  EXPECT_EQ(&ProcessGraveyard(), &ProcessGraveyard());
  Tomb* tomb = Make("a");
  {
    Graveyard::Walk walk;
    ProcessGraveyard().Bury(tomb);
    EXPECT_TRUE(ProcessGraveyard().IsRetired(tomb));
    EXPECT_TRUE(journal.empty());
  }
  EXPECT_EQ(journal, std::vector<std::string>{"~a"});
}

}  // namespace
