// An actor's look built by script: layers drawn in order onto a memory bitmap, the per-layer
// failure lines, palettes and the state tree's navigation.

#include <gtest/gtest.h>

#include "AIFixture.h"
#include "actors/AIDrawingPackage.h"
#include "resources/ImageObject.h"
#include "support/AllegroHeadless.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

class AIDrawingListTest : public AIFixture {
 protected:
  AIDrawingListTest() {
    StartAllegroHeadless();
    library.AddSection("S");
    library.AddCatalogue("S", "C");
    library.AddHeading("S", "C", "H");
    Image("red", 4, kRed);
    Image("blue", 2, kBlue);
    target.Create(8, 8, nullptr);
    target.ClearToTransparent();
  }
  ~AIDrawingListTest() override { al_set_target_bitmap(nullptr); }

  void Image(const char* name, int size, Rgba colour) {
    auto* image = new ImageObject();
    image->Create(size, size, nullptr);
    image->ClearToColor(colour.r, colour.g, colour.b, colour.a);
    library.Register("S", "C", "H", name, image);
  }

  // A body layer (a 4 x 4 red square) under a hat layer (2 x 2 blue) at the corner, shown while
  // the actor stands still.
  void BuildLook() {
    ASSERT_TRUE(Run(R"(
      AIM_CreateObject('bodyAnim', 'AnimationsList', 'Animation')
      Anim_DeclareSizes(1, 1) Anim_SetFrame(0, 0, 'red') Anim_SetDuration(1)
      AIM_CreateObject('hatAnim', 'AnimationsList', 'Animation')
      Anim_DeclareSizes(1, 1) Anim_SetFrame(0, 0, 'blue') Anim_SetDuration(1)
      AIM_CreateObject('body', 'AIDrawingPackageList', 'AIDrawingPackage')
      AIDP_AllocateSpace(1) AIDP_SetAnimation(0, 'bodyAnim')
      AIM_CreateObject('hat', 'AIDrawingPackageList', 'AIDrawingPackage')
      AIDP_AllocateSpace(1) AIDP_SetAnimation(0, 'hatAnim')
      AIM_SetActiveAIObject('DrawingList', 'Player', 'me', 'AIDrawingList')
      AIDL_AddAI('Body', 'body') AIDL_AddAI('Hat', 'hat')
      AIDL_SetBaseStateToActive()
      added = AIS_AddState('Still', 0, 'Player', 'me', 'St|Moving', 1)
    )"));
    ASSERT_EQ(log.Text(),
              "Added AI Routine body to Active Drawing List\n"
              "Added AI Routine hat to Active Drawing List\n");
    ASSERT_EQ(Number("added"), 1);
    log.Clear();
  }

  std::string Draw() {
    log.Clear();
    target.ClearToTransparent();
    actor->drawing->Draw(&target, 0, 0, 0);
    return log.Text();
  }
  Rgba Pixel(int x, int y) { return PixelAt(target.GetBitmap(), x, y); }

  ImageObject target;
};

TEST_F(AIDrawingListTest, LaterLayersDrawOverEarlierOnes) {
  BuildLook();
  EXPECT_EQ(Draw(), "");
  EXPECT_EQ(Pixel(0, 0), kBlue);
  EXPECT_EQ(Pixel(3, 3), kRed);
  EXPECT_EQ(Pixel(5, 5), Rgba{});

  // A disabled layer is passed over without a word; swapping a layer's package redraws it.
  ASSERT_TRUE(Run("AIDL_DisableAI('Hat')"));
  EXPECT_EQ(Draw(), "");
  EXPECT_EQ(Pixel(0, 0), kRed);
  ASSERT_TRUE(Run("AIDL_EnableAI('Hat') AIDL_SwitchAI('Body', 'hat')"));
  EXPECT_EQ(Draw(), "");
  EXPECT_EQ(Pixel(3, 3), Rgba{});
  EXPECT_EQ(Pixel(1, 1), kBlue);
}

TEST_F(AIDrawingListTest, EachLayerThatCannotDrawSaysWhy) {
  BuildLook();
  // No state applies: index -1 for every enabled layer.
  actor->moving = 1;
  EXPECT_EQ(Draw(),
            "AIDP_DrawToImage:  Failed, -1 Animation is out of range\n"
            "AIDP_DrawToImage:  Failed, -1 Animation is out of range\n");
  actor->moving = 0;
  // A row the animation does not have.
  actor->direction = 1;
  EXPECT_EQ(Draw(),
            "AIDP_DrawToImage:  Failed, GetFrameByTime returned NULL\n"
            "AIDP_DrawToImage:  Failed, GetFrameByTime returned NULL\n");
  actor->direction = 0;
  // A name that is no animation empties the slot; the other layer still draws.
  ASSERT_TRUE(Run("AIDP_SetAnimation(0, 'nothing')"));
  EXPECT_EQ(Draw(), "AIDP_DrawToImage:  Failed, Animation 0 is not valid\n");
  EXPECT_EQ(Pixel(3, 3), kRed);
  // A count below 1 leaves no slot at all.
  ASSERT_TRUE(Run("AIDP_AllocateSpace(-3)"));
  EXPECT_EQ(manager->GetActiveDrawingPackage()->GetCount(), 0);
  EXPECT_EQ(Draw(), "AIDP_DrawToImage:  Failed, 0 Animation is out of range\n");
}

// A layer drawn every frame logs a failure the first time, and the same failure again only after
// it has drawn in between or failed for another cause.
TEST_F(AIDrawingListTest, AFailureRepeatedEveryFrameIsLoggedOnceUntilTheLayerDraws) {
  BuildLook();
  const std::string noFrame = "AIDP_DrawToImage:  Failed, GetFrameByTime returned NULL\n";
  const std::string outOfRange = "AIDP_DrawToImage:  Failed, -1 Animation is out of range\n";
  actor->direction = 1;
  EXPECT_EQ(Draw(), noFrame + noFrame);
  EXPECT_EQ(Draw(), "");
  EXPECT_EQ(Draw(), "");
  actor->moving = 1;
  EXPECT_EQ(Draw(), outOfRange + outOfRange);
  actor->moving = 0;
  EXPECT_EQ(Draw(), noFrame + noFrame);
  actor->direction = 0;
  EXPECT_EQ(Draw(), "");
  EXPECT_EQ(Pixel(3, 3), kRed);
  actor->direction = 1;
  EXPECT_EQ(Draw(), noFrame + noFrame);
  // Each layer keeps its own record: the hat fails anew while the body stays quiet.
  ASSERT_TRUE(Run("AIDP_SetAnimation(0, 'nothing')"));
  EXPECT_EQ(Draw(), "AIDP_DrawToImage:  Failed, Animation 0 is not valid\n");
  EXPECT_EQ(Draw(), "");
}

TEST_F(AIDrawingListTest, TheOverrideReplacesEveryLayersPalette) {
  BuildLook();
  ASSERT_TRUE(Run("AIDL_SetAIPalette('Body', 2) AIDL_SetAIPalette('Hat', 3)"));
  Draw();
  EXPECT_EQ(GetGlobalPaletteNumber(), 3);
  actor->drawing->SetPaletteOverride(0);
  Draw();
  EXPECT_EQ(GetGlobalPaletteNumber(), 0);
  actor->drawing->SetPaletteOverride(-1);
  ASSERT_TRUE(Run("AIDL_RemoveAI('Hat')"));
  Draw();
  EXPECT_EQ(GetGlobalPaletteNumber(), 2);
}

TEST_F(AIDrawingListTest, StatesAreAddedUnderTheSelectedState) {
  BuildLook();
  ASSERT_TRUE(Run(R"(
    AIS_AddState('Hurt', 1, 'Player', 'me', 'St|Hurt', 0)
    AIDL_SetActiveStateList('Still')
    AIS_AddState('StillHurt', 2, 'Player', 'me', 'St|Hurt', 0)
  )"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(manager->GetActiveState(), actor->drawing->GetRootStateList().Find("Still"));
  actor->hurt = 1;
  EXPECT_EQ(actor->drawing->ResolveAnimationIndex(), 2);
  actor->moving = 1;
  EXPECT_EQ(actor->drawing->ResolveAnimationIndex(), 1);

  // Names are looked up in the current level only, until "Base" is selected again.
  ExpectFailure("AIDL_SetActiveStateList('Hurt')",
                "AIDL_SetActiveStateList:  Failed, no state by name Hurt in active state\n");
  log.Clear();
  ASSERT_TRUE(Run("AIDL_SetActiveStateList('Base') AIDL_SetActiveStateList('Hurt')"));
  EXPECT_EQ(log.Text(), "");

  // Clearing the layers keeps the tree.
  ASSERT_TRUE(Run("AIDL_ClearAIList()"));
  EXPECT_EQ(actor->drawing->GetEntryCount(), 0);
  EXPECT_EQ(actor->drawing->ResolveAnimationIndex(), 1);
}

TEST_F(AIDrawingListTest, ADestroyedListLeavesNothingSelected) {
  BuildLook();
  ASSERT_TRUE(Run("AIDL_SetActiveStateList('Still')"));
  actor->drawing.reset();
  EXPECT_EQ(manager->GetActiveDrawingList(), nullptr);
  EXPECT_EQ(manager->GetActiveState(), nullptr);
  EXPECT_EQ(manager->GetCurrentStateList(), nullptr);
  ExpectFailures({
      {"AIDL_AddAI('Body', 'body')", "Active Drawing List was not set\n"},
      {"AIDL_EnableAI('Body')", "Active Drawing List was not set\n"},
      {"AIDL_SetBaseStateToActive()",
       "AIDL_SetBaseStateToActive:  Failed, Active Drawing List was not set\n"},
      {"AIS_AddState('a', 1, 'Player', 'me', 'St|Hurt', 0)",
       "AID AddState: Failed, no Active State List set\n"},
  });
  // The router's owner for the active list now has no instance.
  ExpectFailure("AIM_SetActiveAIObject('DrawingList', 'ActiveAIDrawingList', 'x', 'y')",
                "Routing Function:  Failed, no Active Drawing List set\n");
}

}  // namespace
