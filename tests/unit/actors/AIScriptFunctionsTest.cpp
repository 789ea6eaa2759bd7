// The AI script functions' failure lines, each in the order the function tests them, and the
// paths that succeed with nothing but the manager's own objects.

#include <gtest/gtest.h>

#include "AIFixture.h"
#include "actors/AIFollowingPackage.h"
#include "actors/AISlidePathPackage.h"
#include "actors/AIValueRouter.h"
#include "actors/Animation.h"

namespace {

class AIScriptFunctionsTest : public AIFixture {};

// What a case needs to exist before its call.
constexpr const char* kRouter = "AIM_CreateObject('r', 'FloatingAIPackageList', 'AIValueRouter')";
constexpr const char* kScaler =
    "AIM_CreateObject('s', 'FloatingAIPackageList', 'AIValueScaleRouter')";
constexpr const char* kAnimation = "AIM_CreateObject('walk', 'AnimationsList', 'Animation')";
constexpr const char* kPackage =
    "AIM_CreateObject('body', 'AIDrawingPackageList', 'AIDrawingPackage')";
constexpr const char* kList =
    "AIM_SetActiveAIObject('DrawingList', 'Player', 'me', 'AIDrawingList') "
    "AIDL_SetBaseStateToActive()";

struct FailureCase {
  const char* setup;
  const char* call;
  const char* logged;
};

const FailureCase kFailures[] = {
    {"", "AIM_SetActiveAIObject('Animation', 'AIManager', 'Base')",
     "AIM SetActiveAIObject:  Failed, invalid argument list\n"},
    {"", "AIM_SetActiveAIObject('Animation', 'AIManager', {}, 'walk')",
     "AIM SetActiveAIObject:  Failed, invalid argument list\n"},
    {"", "AIM_SetActiveAIObject('Sprite', 'AIManager', 'Base', 'walk')",
     "AIM SetActiveAIObject:  Failed, could not discern type Sprite\n"},
    {kAnimation, "AIM_SetActiveAIObject('DrawingPackage', 'AIManager', 'Base', 'walk')",
     "AIM SetActiveAIObject:  Failed, walk is not a DrawingPackage\n"},
    {"", "AIM_CreateObject('a', 'AnimationsList')",
     "AIM CreateObject:  Failed, invalid argument list\n"},
    {"", "AIM_CreateObject('a', 'Nowhere', 'Sprite')",
     "AIM_CreateObject: Invalid SubList specifier\n"},
    {"", "AIM_CreateObject('a', 'AnimationsList', 'Sprite')",
     "AIM CreateObject:  Failed, invalid object specifier Sprite\n"},
    {"", "AIM_CreateObject('a', 'FloatingAIPackageList', 'Animation')",
     "AIM CreateObject:  Failed, Animation does not belong in FloatingAIPackageList\n"},
    {"", "AIM_CreateObject('a', 'AIDrawingPackageList', 'AIValueRouter')",
     "AIM CreateObject:  Failed, AIValueRouter does not belong in AIDrawingPackageList\n"},
    {"", "AIM_CreateObject('a', 'FloatingAIPackageList', 'AIAutoScript', 'go.lua')",
     "AIM CreateObject:  Failed, invalid argument list\n"},
    {"", "AIM_CreateObject('a', 'FloatingAIPackageList', 'AIAutoScript', nil, 2)",
     "AIM CreateObject:  Failed, invalid argument list\n"},
    {"", "AIM_DeleteObject('AnimationsList')",
     "AIM DeleteObject:  Failed, invalid argument list\n"},
    {"", "AI_GetType()", "AI_GetType:  Active AI was not set.\n"},
    {"", "AI_Activate()", "AI_Activate: Active AI was not set\n"},
    {"", "AI_Deactivate()", "AI_Deactivate: Active AI was not set\n"},
    {"", "AIDL_AddAI('layer')", "AIDL AddAI:  Failed, invalid argument list\n"},
    {"", "AIDL_AddAI('layer', 'body')", "Failed to find package body\n"},
    {kPackage, "AIDL_AddAI('layer', 'body')", "Active Drawing List was not set\n"},
    {"", "AIDL_SwitchAI('layer', 1, 2)", "AIDL SwitchAI:  Failed, invalid argument list\n"},
    {"", "AIDL_SwitchAI('layer', 'body')", "Failed to find package body\n"},
    {kPackage, "AIDL_SwitchAI('layer', 'body')", "Active Drawing List was not set\n"},
    {"", "AIDL_SetAIPalette({}, 2)", "AIDL SetAIPalette:  Failed, invalid argument list\n"},
    {"", "AIDL_SetAIPalette('layer', 2)", "Active Drawing List was not set\n"},
    {"", "AIDL_EnableAI()", "AIDL EnableAI:  Failed, invalid argument list\n"},
    {"", "AIDL_EnableAI('layer')", "Active Drawing List was not set\n"},
    {"", "AIDL_DisableAI(nil)", "AIDL DisableAI:  Failed, invalid argument list\n"},
    {"", "AIDL_DisableAI('layer')", "Active Drawing List was not set\n"},
    {"", "AIDL_RemoveAI('a', 'b')", "AIDL RemoveAI:  Failed, invalid argument list\n"},
    {"", "AIDL_RemoveAI('layer')", "Active Drawing List was not set\n"},
    {"", "AIDL_ClearAIList()", "Active Drawing List was not set\n"},
    {"", "AIDL_SetBaseStateToActive()",
     "AIDL_SetBaseStateToActive:  Failed, Active Drawing List was not set\n"},
    {"", "AIDL_SetActiveStateList()", "AIDL SetActiveStateList:  Failed, invalid argument list\n"},
    {"", "AIDL_SetActiveStateList('Walk')",
     "AIDL_SetActiveStateList:  Failed, no Animation State is active\n"},
    {"", "AIDL_SetActiveStateList('Base')",
     "AIDL_SetBaseStateToActive:  Failed, Active Drawing List was not set\n"},
    {kList, "AIDL_SetActiveStateList('Walk')",
     "AIDL_SetActiveStateList:  Failed, no state by name Walk in active state\n"},
    {"", "AIDP_AllocateSpace()", "AIDP AllocateSpace:  Failed, invalid argument list\n"},
    {"", "AIDP_AllocateSpace(2)", "AIDP AllocateSpace:  Failed, Active Package not set\n"},
    {kPackage, "AIDP_AllocateSpace(2^31)",
     "AIDP AllocateSpace:  Failed, 2147483647 animations are more than a package holds\n"},
    {"", "AIDP_SetAnimation(0)", "AIDP SetAnimation:  Failed, invalid argument list\n"},
    {"", "AIDP_SetAnimation(0, 'walk')", "AIDP SetAnimation:  Failed, Active Package not set\n"},
    {"", "AIDP_SetAnimation(0, nil)", "AIDP SetAnimation:  Failed, invalid argument list\n"},
    {"", "Anim_DeclareSizes(8)", "Anim DeclareSizes:  Failed, invalid argument list\n"},
    {"", "Anim_DeclareSizes(8, 4)", "Anim DeclareSizes:  No Active Animation\n"},
    {kAnimation, "Anim_DeclareSizes(4096, 4096)",
     "Anim DeclareSizes:  Failed, 4096 by 4096 frames are more than an animation holds\n"},
    {"", "Anim_SetFrame(0, 0)", "Anim SetFrame:  Failed, invalid argument list\n"},
    {"", "Anim_SetFrame(0, 0, 'frame')", "Anim SetFrame:  Failed, Active Animation was not set\n"},
    {"", "Anim_SetDuration()", "Anim SetDuration:  Failed, invalid argument list\n"},
    {"", "Anim_SetDuration(5)", "Anim SetDuration:  Failed, Active Animation was not set\n"},
    {"", "AIS_AddState('Walk', 1, 'Player', 'me', 'St|Moving')",
     "AIS AddState:  Failed, invalid argument list\n"},
    {"", "AIS_AddState('Walk', 1, 'Player', 'me', 'St|Moving', 0)",
     "AID AddState: Failed, no Active State List set\n"},
    {"", "AIVR_SyncPointer('Player', 'me', 'X', 'Player', 'me')",
     "AIVR SyncPointer:  Failed, invalid argument list\n"},
    {"", "AIVR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'Y')",
     "AIVR_SyncPointer: Active AI was not set, or not a Value Router.\n"},
    {kScaler, "AIVR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'Y')",
     "AIVR_SyncPointer: Active AI was not set, or not a Value Router.\n"},
    {kRouter, "AIVR_SyncPointer('Player', 'me', 'Speed', 'Player', 'me', 'Y')",
     "AIVR_SyncPointer: Source was not an integer.\n"},
    {kRouter, "AIVR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'St|Hurt')",
     "AIVR_SyncPointer: Destination was not an integer.\n"},
    {"", "AIVSR_SyncPointer()", "AIVSR SyncPointer:  Failed, invalid argument list\n"},
    {kRouter, "AIVSR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'Y')",
     "AIVSR_SyncPointer: Active AI was not set, or not a Value Scale Router.\n"},
    {kScaler, "AIVSR_SyncPointer('Player', 'me', 'Name', 'Player', 'me', 'Y')",
     "AIVSR_SyncPointer: Source was not an integer.\n"},
    {kScaler, "AIVSR_SyncPointer('Player', 'me', 'X', 'Player', 'me', 'Nothing')",
     "AIVSR_SyncPointer: Destination was not an integer.\n"},
    {"", "AIVSR_SetScaler()", "AIVSR SetScaler:  Failed, invalid argument list\n"},
    {kRouter, "AIVSR_SetScaler(0.5)",
     "AIVSR_SetScaler: Active AI was not set, or not a Value Scale Router.\n"},
    {"", "AIFP_FollowCoordinates()", "AIFP FollowCoordinates:  Failed, ActiveAI was not set\n"},
    {kRouter, "AIFP_FollowCoordinates()",
     "AIFP FollowCoordinates:  Failed, ActiveAI was the wrong type\n"},
    {"", "AISP_SetPhysicsValues(1, 2, 3, 4)",
     "AISP SetPhysicsValues:  Failed, invalid argument list\n"},
    {"", "AISP_SetPhysicsValues(1, 2, 3, 4, 5)",
     "AISP SetPhysicsValues:  Failed, Active AIPackage not set\n"},
    {kRouter, "AISP_SetPhysicsValues(1, 2, 3, 4, 5)",
     "AISP SetPhysicsValues:  Failed, Active AIPackage is not an AISlidePathPackage\n"},
    {"", "AISP_SetSpeedLimits(1, 2, 3)", "AISP SetSpeedLimits:  Failed, invalid argument list\n"},
    {"", "AISP_SetSpeedLimits(1, 2, 3, 4)",
     "AISP SetSpeedLimits:  Failed, Active AIPackage not set\n"},
    {kScaler, "AISP_SetSpeedLimits(1, 2, 3, 4)",
     "AISP SetSpeedLimits:  Failed, Active AIPackage is not an AISlidePathPackage\n"},
};

TEST_F(AIScriptFunctionsTest, EveryFailureLogsItsLineAndAnswersNothing) {
  for (const FailureCase& failure : kFailures) {
    manager.reset();
    manager = std::make_unique<AIManager>();
    gAIManager = manager.get();
    ASSERT_TRUE(Run(failure.setup)) << failure.setup;
    ExpectFailure(failure.call, failure.logged);
  }
}

TEST_F(AIScriptFunctionsTest, EveryFunctionWithoutTheManagerSaysSo) {
  const std::pair<const char*, const char*> kCalls[] = {
      {"AIM_SetActiveAIObject('Animation', 'AIManager', 'Base', 'walk')", "AIM SetActiveAIObject"},
      {"AIM_CreateObject('a', 'AnimationsList', 'Animation')", "AIM CreateObject"},
      {"AIM_DeleteObject('AnimationsList', 'a')", "AIM DeleteObject"},
      {"AI_GetType()", "AI_GetType"},
      {"AI_Activate()", "AI_Activate"},
      {"AI_Deactivate()", "AI_Deactivate"},
      {"AIDL_AddAI('layer', 'body')", "AIDL AddAI"},
      {"AIDL_SwitchAI('layer', 'body')", "AIDL SwitchAI"},
      {"AIDL_SetAIPalette('layer', 1)", "AIDL SetAIPalette"},
      {"AIDL_EnableAI('layer')", "AIDL EnableAI"},
      {"AIDL_DisableAI('layer')", "AIDL DisableAI"},
      {"AIDL_RemoveAI('layer')", "AIDL RemoveAI"},
      {"AIDL_ClearAIList()", "AIDL ClearAIList"},
      {"AIDL_SetBaseStateToActive()", "AIDL_SetBaseStateToActive"},
      {"AIDL_SetActiveStateList('Base')", "AIDL SetActiveStateList"},
      {"AIDP_AllocateSpace(2)", "AIDP AllocateSpace"},
      {"AIDP_SetAnimation(0, 'walk')", "AIDP SetAnimation"},
      {"Anim_DeclareSizes(1, 2)", "Anim DeclareSizes"},
      {"Anim_SetFrame(0, 0, 'f')", "Anim SetFrame"},
      {"Anim_SetDuration(3)", "Anim SetDuration"},
      {"AIS_AddState('a', 1, 'Player', 'me', 'St|Hurt', 0)", "AIS AddState"},
      {"AIVR_SyncPointer('a', 'b', 'c', 'd', 'e', 'f')", "AIVR SyncPointer"},
      {"AIVSR_SyncPointer('a', 'b', 'c', 'd', 'e', 'f')", "AIVSR SyncPointer"},
      {"AIVSR_SetScaler(2)", "AIVSR SetScaler"},
      {"AIFP_FollowCoordinates('a', 'b', 'c', 'd', 'e', 'f')", "AIFP FollowCoordinates"},
      {"AISP_SetPhysicsValues(1, 2, 3, 4, 5)", "AISP SetPhysicsValues"},
      {"AISP_SetSpeedLimits(1, 2, 3, 4)", "AISP SetSpeedLimits"},
  };
  manager.reset();
  for (const auto& [call, name] : kCalls) {
    ExpectFailure(call, std::string(name) + ":  Failed, manager not created\n");
  }
}

TEST_F(AIScriptFunctionsTest, FollowTargetsMustBeIntegers) {
  AIFollowingPackage following;
  manager->SetActiveAIPackage(&following);
  ExpectFailure("AIFP_FollowCoordinates('Player', 'me', 'X', 'Player', 'me')",
                "AIFP FollowCoordinates:  Failed, invalid argument list\n");
  for (const char* y : {"'Speed'", "'St|Hurt'", "'Nothing'"}) {
    log.Clear();
    ASSERT_TRUE(
        Run(std::string("AIFP_FollowCoordinates('Player', 'me', 'X', 'Player', 'me', ") + y + ")"));
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 2u) << y;
    EXPECT_EQ(lines[0], "AIFP FollowCoordinates:  Failed, one of the targets was invalid\n");
    EXPECT_EQ(lines[1].rfind("Dump: 0x", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find(" (nil)\n"), std::string::npos) << lines[1];
  }
  EXPECT_EQ(following.GetTargetX(), -1);

  log.Clear();
  actor->x = 40;
  ASSERT_TRUE(Run("AIFP_FollowCoordinates('Player', 'me', 'X', 'Player', 'me', 'Y')"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(following.GetTargetX(), 40);
  manager->SetActiveAIPackage(nullptr);
}

TEST_F(AIScriptFunctionsTest, TypeActivationAndSlideSettingsActOnTheActivePackage) {
  AISlidePathPackage slide;
  manager->SetActiveAIPackage(&slide);
  ASSERT_TRUE(Run("kind = AI_GetType() AI_Deactivate()"));
  EXPECT_EQ(Number("kind"), 1101);
  EXPECT_FALSE(slide.IsActive());
  ASSERT_TRUE(Run("AI_Activate() AISP_SetPhysicsValues(3, -2, 0.5, 0, 1)"));
  EXPECT_TRUE(slide.IsActive());
  EXPECT_EQ(slide.GetVelocityX(), 3);
  EXPECT_EQ(slide.GetVelocityY(), -2);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(AIScriptFunctionsTest, CreatedObjectsBecomeActiveAndAreSelectedByName) {
  ASSERT_TRUE(Run(std::string(kAnimation) + " " + kPackage + " " + kRouter));
  Animation* walk = manager->FindAnimation("walk");
  ASSERT_NE(walk, nullptr);
  EXPECT_EQ(manager->GetActiveAnimation(), walk);
  EXPECT_EQ(manager->GetActiveDrawingPackage(), manager->FindDrawingPackage("body"));
  EXPECT_EQ(manager->GetActiveAIPackage(), manager->FindFloatingPackage("r"));

  // A name routed through "Base" selects; a failed route empties the slot.
  ASSERT_TRUE(
      Run("AIM_CreateObject('run', 'AnimationsList', 'Animation') "
          "AIM_SetActiveAIObject('Animation', 'AIManager', 'Base', 'walk')"));
  EXPECT_EQ(manager->GetActiveAnimation(), walk);
  log.Clear();
  ASSERT_TRUE(Run("AIM_SetActiveAIObject('Animation', 'AIManager', 'Base', 'missing')"));
  EXPECT_EQ(log.Text(), "AIManager GetPropertyAddress:  Failed, no property missing in Base\n");
  EXPECT_EQ(manager->GetActiveAnimation(), nullptr);
  ExpectFailure("Anim_SetDuration(5)", "Anim SetDuration:  Failed, Active Animation was not set\n");

  // Deleting only unlinks: the active slot keeps the object.
  ASSERT_TRUE(
      Run("AIM_DeleteObject('FloatingAIPackageList', 'r') AIM_DeleteObject('Nowhere', 'x')"));
  EXPECT_EQ(manager->FindFloatingPackage("r"), nullptr);
  ASSERT_NE(manager->GetActiveAIPackage(), nullptr);
  ASSERT_TRUE(Run("kind = AI_GetType()"));
  EXPECT_EQ(Number("kind"), 1300);
  DeletePointer(manager->GetActiveAIPackage(), 1300);
  EXPECT_EQ(manager->GetActiveAIPackage(), nullptr);
}

}  // namespace
