#include <gtest/gtest.h>

#include "ActorsFixture.h"
#include "actors/AIBasePackage.h"
#include "actors/AIDrawingList.h"
#include "actors/NPCBaseEnemy.h"
#include "actors/NonPlayingCharacter.h"
#include "world/PropertyTrigger.h"
#include "world/TriggerManager.h"

namespace {

class NPCTest : public ActorsFixture {
 protected:
  NPCTest() {
    // Counts its runs by script code.
    WriteScript("count.lua", "local c = GetScriptCode() runs[c] = (runs[c] or 0) + 1\n");
    Run("runs = {}");
  }

  NonPlayingCharacter* AddEnemy(const char* name = "e") {
    EXPECT_TRUE(Run(std::string("NPCM_AddNPC('") + name + "', 'EnemyNPC')"));
    return static_cast<NonPlayingCharacter*>(entities.GetActiveNPC());
  }

  double Runs(int code) {
    Run("r = runs[" + std::to_string(code) + "] or 0");
    return Number("r");
  }
};

TEST_F(NPCTest, FailureLinesBeforeAnyNPC) {
  ExpectFailures({
      {"NPC_SetDialoguePath('d.lua')", "NPC SetDialoguePath:  Failed, Active NPC not set\n"},
      {"NPC_SetDefaultScript()", "NPC SetDefaultScript:  Failed, incorrect argument list\n"},
      {"NPC_SetCoordinateData(1, 2, 3, 4, 5, 6)",
       "NPC SetCoordinateData:  Failed, Active NPC not set\n"},
      {"NPC_SetPositionData(1, 2)", "NPC SetPositionData:  Failed, incorrect argument list\n"},
      {"NPC_SetDisplayData(1, 2, 3, 4)", "NPC SetDisplayData:  Failed, Active NPC not set\n"},
      {"NPC_AllocateStateVariables(1)",
       "NPC AllocateStateVariables:  Failed, Active NPC not set\n"},
      {"NPC_SetStateVariable(0, {}, 1)",
       "NPC SetStateVariable:  Failed, incorrect argument list\n"},
      {"NPC_ClearAIQueue(5)", "NPC ClearAIQueue:  Failed, Active NPC not set\n"},
      {"NPCBE_SetHitReactionScript('h.lua')",
       "NPCBE SetHitReactionScript: Active NPC was not set\n"},
      {"NPC_PushAI('a', 1)", "NPC PushAI:  Failed, not enough arguments to determine type\n"},
      {"NPC_PushAI('a', 1, 'Fire Script', 'x', 1)", "NPC PushAI:  Failed, Active NPC not set\n"},
      {"SetActiveNPCA('nobody')", "SetActiveNPCA:  Warning, NPC nobody was not found\n"},
      {"SetActiveNPCA()", "SetActiveNPCA:  Failed, invalid argument list\n"},
      {"SetActiveNPCI(1)", "Warning:  Do not use SetActiveNPCI.  Function is deprecated.\n"},
      {"NPCM_AddNPC('x', 'Wizard')", "NPCM AddNPC:  Failed, NPC Type was invalid\n"},
      {"NPCM_AddNPC('x')", "NPCM AddNPC:  Failed, NPC Type was invalid\n"},
      {"NPCM_AddNPC(nil, 'EnemyNPC')", "NPCM AddNPC:  Failed, invalid argument list\n"},
      {"NPCM_AddNPC({}, 'DialogueNPC')", "NPCM AddNPC:  Failed, invalid argument list\n"},
  });
  EXPECT_EQ(entities.All().GetCount(), 0);
  EXPECT_EQ(entities.GetActiveNPC(), nullptr);
}

TEST_F(NPCTest, PushAIChecksInItsOrderAndQueuesWhatItBuilds) {
  ASSERT_TRUE(Run("NPCM_AddNPC('d', 'DialogueNPC')"));
  ExpectFailures({
      {"NPCBE_SetHitReactionScript('h.lua')",
       "NPCBE SetHitReactionScript: Active NPC was not an enemy\n"},
      {"NPC_PushAI('a', 1, 'Teleport')", "NPC PushAI:  Failed, could not find type Teleport\n"},
      {"NPC_PushAI('a', 1, nil)", "NPC PushAI:  Failed, could not find type (null)\n"},
      {"NPC_PushAI('a', 1, 'Basic Pathing', 'St|A', 'St|B', 1)",
       "NPC PushAI:  -Basic Pathing- Failed, invalid argument list\n"},
      {"NPC_PushAI('a', 1, 'Slide Pathing', 1)",
       "NPC PushAI:  -Slide Pathing- Failed, invalid argument list\n"},
      {"NPC_PushAI('a', 1, 'Slide Bounce Pathing', 1)",
       "NPC PushAI:  -Slide Bounce Pathing- Failed, invalid argument list\n"},
      {"NPC_PushAI('a', 1, 'Follow Target', 'St|A', 'St|B', {})",
       "NPC PushAI:  -Follow Target- Failed, invalid argument list\n"},
      {"NPC_PushAI('a', 1, 'Force Frame', 1)",
       "NPC PushAI:  -Force Frame- Failed, invalid argument list\n"},
      {"NPC_PushAI('a', 1, 'Fire Script', nil, 1)",
       "NPC PushAI:  -Fire Script- Failed, invalid argument list\n"},
  });
  auto* npc = static_cast<NonPlayingCharacter*>(entities.GetActiveNPC());
  EXPECT_EQ(npc->GetQueueCount(), 0);

  // Names the NPC does not have log their routing line; the package is queued all the same.
  log.Clear();
  ASSERT_TRUE(
      Run("NPC_AllocateStateVariables(2) NPC_SetStateVariable(0, 'Idle', 0)"
          " NPC_SetStateVariable(1, 'Moving', 0)"
          " NPC_PushAI('walk', -1, 'Basic Pathing', 'St|Idle', 'St|Moving', 300, 300)"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_TRUE(ai->GetActiveAIPackage()->IsSynced());
  ASSERT_TRUE(Run("NPC_PushAI('bounce', 1, 'Slide Bounce Pathing')"));
  EXPECT_EQ(log.Lines().at(0), "Pointer Routing:  Failed, no variable FlipFlag found in d\n");
  EXPECT_EQ(log.Lines().at(1), "AISBPP SyncWith:  Failed, one of the pointers was invalid\n");
  EXPECT_EQ(npc->GetQueueCount(), 2);
  EXPECT_EQ(ai->GetActiveAIPackage()->GetType(), AIType::kSlideBouncePath);
}

TEST_F(NPCTest, QueueDurations) {
  struct Case {
    const char* pushes;
    int ticks;
    double first, second;
    int queued;
  } cases[] = {
      // 1 runs once; D runs D times.
      {"NPC_PushAI('a', 1, 'Fire Script', 'count.lua', 1)"
       " NPC_PushAI('b', 3, 'Fire Script', 'count.lua', 2)",
       6, 1, 3, 0},
      // 0 runs once and takes a tick from the next.
      {"NPC_PushAI('a', 0, 'Fire Script', 'count.lua', 1)"
       " NPC_PushAI('b', 3, 'Fire Script', 'count.lua', 2)",
       6, 1, 2, 0},
      // -1 runs until it is removed.
      {"NPC_PushAI('a', -1, 'Fire Script', 'count.lua', 1)"
       " NPC_PushAI('b', 3, 'Fire Script', 'count.lua', 2)",
       10, 10, 0, 2},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Run("runs = {}"));
    AddEnemy();
    ASSERT_TRUE(Run(c.pushes));
    auto* npc = static_cast<NonPlayingCharacter*>(entities.GetActiveNPC());
    Tick(c.ticks);
    EXPECT_EQ(Runs(1), c.first) << c.pushes;
    EXPECT_EQ(Runs(2), c.second) << c.pushes;
    EXPECT_EQ(npc->GetQueueCount(), c.queued) << c.pushes;
    map->TransitionMap("MAPNONE");
    Run("DefinedMap_SetDimensions(640, 480)");
  }
}

TEST_F(NPCTest, APackageFinishingAsItsTimeRunsOutIsRemovedOnce) {
  NonPlayingCharacter* npc = AddEnemy();
  ASSERT_TRUE(
      Run("NPC_SetCoordinateData(100, 100, 0, 10, 10, 10) NPC_AllocateStateVariables(2)"
          " NPC_SetStateVariable(0, 'Idle', 0) NPC_SetStateVariable(1, 'Moving', 0)"
          " NPC_PushAI('step', 1, 'Basic Pathing', 'St|Idle', 'St|Moving', 101, 100)"
          " NPC_PushAI('after', 2, 'Fire Script', 'count.lua', 5)"));
  Tick();
  EXPECT_EQ(npc->GetDimensions().x, 101);
  EXPECT_EQ(npc->GetQueueCount(), 1);
  Tick(3);
  EXPECT_EQ(Runs(5), 2);
  EXPECT_EQ(npc->GetQueueCount(), 0);
}

TEST_F(NPCTest, TheDefaultScriptRunsWhileTheQueueIsEmpty) {
  WriteScript("default.lua",
              "runs.default = (runs.default or 0) + 1\n"
              "if runs.default == 3 then NPC_PushAI('p', 2, 'Fire Script', 'count.lua', 8) end\n");
  AddEnemy("first");
  ASSERT_TRUE(Run("NPC_SetDefaultScript('default.lua')"));
  AddEnemy("second");
  Tick(6);
  Run("d = runs.default");
  // The package queued on tick 3 runs on ticks 4 and 5, and runs out on 5: the default script
  // runs on that tick too.
  EXPECT_EQ(Number("d"), 5);
  EXPECT_EQ(Runs(8), 2);
  // The NPC that ran it last is the active one, though another was added after it.
  EXPECT_EQ(entities.GetActiveNPC(), entities.FindNPC("first"));
}

TEST_F(NPCTest, AFireScriptThatClearsItsOwnQueue) {
  WriteScript("clear.lua",
              "NPC_ClearAIQueue()\n"
              "NPC_PushAI('next', 2, 'Fire Script', 'count.lua', 7)\n");
  for (const char* duration : {"5", "1", "-1"}) {
    ASSERT_TRUE(Run("runs = {}"));
    NonPlayingCharacter* npc = AddEnemy();
    ASSERT_TRUE(Run(std::string("NPC_PushAI('clear', ") + duration +
                    ", 'Fire Script', 'clear.lua', 0)"
                    " NPC_PushAI('lost', 5, 'Fire Script', 'count.lua', 9)"));
    Tick();
    EXPECT_EQ(npc->GetQueueCount(), 1) << duration;
    // The package that ran is gone, and with it the AI manager's slot that named it.
    EXPECT_NE(ai->GetActiveAIPackage(), nullptr);
    Tick(3);
    EXPECT_EQ(Runs(7), 2) << duration;
    EXPECT_EQ(Runs(9), 0) << duration;
    map->TransitionMap("MAPNONE");
  }
}

TEST_F(NPCTest, AFireScriptThatChangesTheMapEndsItsNPC) {
  WriteScript("leave.lua", "MapM_TransitionMap('MAPNONE')\n");
  AddEnemy();
  ASSERT_TRUE(
      Run("NPC_PushAI('leave', 3, 'Fire Script', 'leave.lua', 0)"
          " NPC_SetDefaultScript('count.lua')"));
  AddEnemy("other");
  ASSERT_TRUE(Run("NPC_SetDefaultScript('count.lua')"));
  Tick();
  EXPECT_EQ(entities.All().GetCount(), 0);
  EXPECT_EQ(Runs(-1), 0);
  EXPECT_EQ(ai->GetActiveAIPackage(), nullptr);
}

// A map change retires the NPCs at once: a property trigger reached later in the same pass reads
// its NPC as gone, though the NPC is destroyed only when the pass is over.
TEST_F(NPCTest, APropertyTriggerAfterAMapChangeInItsPassDoesNotFire) {
  TriggerManager triggers;
  gTriggerManager = &triggers;
  WriteScript("leave.lua", "MapM_TransitionMap('MAPNONE')\n");
  AddEnemy("guard");
  // No comparisons: each fires whenever its value can be read.
  ASSERT_TRUE(
      Run("AddPropertyTrigger('before') SetTriggerProperties('count.lua', 1, 0, 0, 0)"
          " TriggerWatchProperty('NPC', 'guard', 'XCenter')"
          " AddPropertyTrigger('leave') SetTriggerProperties('leave.lua', 0, 0, 1, 0)"
          " TriggerWatchProperty('NPC', 'guard', 'Type')"
          " AddPropertyTrigger('after') SetTriggerProperties('count.lua', 2, 0, 0, 0)"
          " TriggerWatchProperty('NPC', 'guard', 'Speed')"
          " AddPropertyTrigger('late') SetTriggerProperties('count.lua', 3, 0, 0, 0)"
          " TriggerWatchProperty('NPC', 'guard', 'InternalName')"));
  const int32_t watched[] = {PropertyTrigger::kWatchesInteger, PropertyTrigger::kWatchesInteger,
                             PropertyTrigger::kWatchesFloat, PropertyTrigger::kWatchesText};
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(static_cast<PropertyTrigger*>(triggers.GetAt(i))->GetWatchedKind(), watched[i]) << i;
  }
  {
    Graveyard::Walk loop;
    triggers.Update(0.0f);
    EXPECT_EQ(entities.All().GetCount(), 0);
  }
  EXPECT_EQ(Runs(1), 1);
  EXPECT_EQ(Runs(2), 0);
  EXPECT_EQ(Runs(3), 0);
  EXPECT_EQ(triggers.GetCount(), 3);
  gTriggerManager = nullptr;
}

// The slots that named what a map change took away answer none inside the very script that made
// the change, not only once the walk is over.
TEST_F(NPCTest, AfterAMapChangeItsScriptFindsNoActiveDrawingListOrStateList) {
  WriteScript("leave.lua",
              "AIM_SetActiveAIObject('DrawingList', 'NPC', 'guard', 'AIDrawingList')"
              " AIDL_SetBaseStateToActive()"
              " AIS_AddState('Still', 0, 'NPC', 'guard', 'XCenter', 1)"
              " AIDL_SetActiveStateList('Still')\n"
              "MapM_TransitionMap('MAPNONE')\n"
              "AIDL_ClearAIList()\n"
              "added = AIS_AddState('Late', 0, 'NPC', 'guard', 'XCenter', 1)\n"
              "AIDL_SetActiveStateList('Still')\n");
  NonPlayingCharacter* npc = AddEnemy("guard");
  ASSERT_TRUE(Run("NPC_SetDefaultScript('leave.lua')"));
  {
    Graveyard::Walk loop;
    entities.Update();
    EXPECT_EQ(ai->GetActiveDrawingList(), nullptr);
    EXPECT_EQ(ai->GetActiveState(), nullptr);
    EXPECT_EQ(ai->GetCurrentStateList(), nullptr);
    EXPECT_EQ(npc->GetDrawingList()->GetRootStateList().GetCount(), 1);
  }
  const std::string text = log.Text();
  const std::string refused =
      "Active Drawing List was not set\n"
      "AID AddState: Failed, no Active State List set\n"
      "AIDL_SetActiveStateList:  Failed, no Animation State is active\n";
  ASSERT_GE(text.size(), refused.size()) << text;
  EXPECT_EQ(text.substr(text.size() - refused.size()), refused) << text;
  EXPECT_TRUE(IsNil("added"));
}

TEST_F(NPCTest, PropertiesAndStateVariables) {
  NonPlayingCharacter* npc = AddEnemy("guard");
  const std::string longName(90, 'q');
  ASSERT_TRUE(Run("NPC_AllocateStateVariables(3) NPC_SetStateVariable(1, '" + longName +
                  "', 7) NPC_SetStateVariable(3, 'Outside', 1)"
                  " NPC_SetCoordinateData(50, 60, 0, 21, 10, 4)"));
  EXPECT_EQ(*npc->GetPropertyAddress(("St|" + longName).c_str()).AsByte(), 1);
  EXPECT_EQ(npc->GetDimensions().minX, 40);
  EXPECT_EQ(npc->GetClickRect().top, 13);
  EXPECT_TRUE(npc->IsInClickRect(59, 68));
  EXPECT_FALSE(npc->IsInClickRect(60, 68));
  ExpectFailures({
      {"PM_GetValue('NPC', 'x', 'St|Outside')",
       "Pointer Routing:  Failed, no state variable Outside found in guard\n"
       "PM GetValue:  Failed, pointer was NULL\n"},
      {"PM_GetValue('NPC', 'x', 'speed')",
       "Pointer Routing:  Failed, no variable speed found in guard\n"
       "PM GetValue:  Failed, pointer was NULL\n"},
  });
  for (const char* name : {"Health", "FlipFlag", "Type", "XCenter", "AnimDirection"}) {
    EXPECT_EQ(npc->GetPropertyAddress(name).GetType(), PropertyRef::kInteger) << name;
  }
  EXPECT_EQ(*npc->GetPropertyAddress("Type").AsInteger(), 100);
  EXPECT_FLOAT_EQ(*npc->GetPropertyAddress("Speed").AsFloat(), 2.2f);
  EXPECT_EQ(*npc->GetPropertyAddress("InternalName").ReadText(), "guard");
  EXPECT_EQ(npc->GetPropertyAddress("DialoguePath").ReadText(), nullptr);
  for (int count : {0, -4}) {
    npc->AllocateStateVariables(count);
    EXPECT_EQ(npc->GetStateVariableCount(), 0);
  }
  ExpectFailure("NPC_AllocateStateVariables(1e12)",
                "NPC AllocateStateVariables:  Failed, too many state variables (2147483647)\n");
}

}  // namespace
