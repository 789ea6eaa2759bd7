#include <gtest/gtest.h>

#include <functional>

#include "core/script/PropertyManager.h"
#include "support/GUIFixture.h"

namespace {

using Heard = RecordingWidget::Heard;
constexpr int32_t kPress = GUIBaseObject::kPress;
constexpr int32_t kRelease = GUIBaseObject::kRelease;
constexpr int32_t kTick = GUIBaseObject::kTick;

class GUIManagerTest : public GUIFixture {};

TEST_F(GUIManagerTest, StartsWithTheMouseAtTheCentreOfAVgaScreenAndNothingHeld) {
  EXPECT_EQ(gui->GetMouseX(), 320.0f);
  EXPECT_EQ(gui->GetMouseY(), 240.0f);
  EXPECT_EQ(gui->GetLastKey(), -1);
  EXPECT_FALSE(gui->IsMouseButtonHeld());
  EXPECT_EQ(gui->GetActiveList(), nullptr);
  EXPECT_EQ(gui->GetActiveObject(), nullptr);
  EXPECT_EQ(gui->GetDraggedObject(), nullptr);
}

TEST_F(GUIManagerTest, FrontMostTakesTheClickAndBringToFrontSwapsInputAndDrawing) {
  RecordingWidget* front = Add("Front", nullptr, 0, 0, 100, 100);
  RecordingWidget* back = Add("Back", nullptr, 50, 50, 100, 100);
  front->answer = back->answer = true;
  front->fill = {255, 0, 0, 255};
  back->fill = {0, 0, 255, 255};

  EXPECT_TRUE(Mouse(kPress, 75, 75));
  EXPECT_EQ(front->Clicks(), (std::vector<Heard>{{kPress, 75, 75}}));
  EXPECT_TRUE(back->Clicks().empty());
  EXPECT_EQ(PixelAt(DrawFrame(), 75, 75), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(DrawFrame(), 140, 140), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(PixelAt(DrawFrame(), 400, 400), (Rgba{0, 0, 0, 255}));

  gui->BringToFront(nullptr, back);
  EXPECT_EQ(gui->GetTopLevel().GetAt(0), back);
  EXPECT_STREQ(gui->GetTopLevel().GetNameAt(0), "Back");
  EXPECT_TRUE(Mouse(kRelease, 75, 75));
  EXPECT_EQ(back->Clicks(), (std::vector<Heard>{{kRelease, 75, 75}}));
  EXPECT_EQ(front->Clicks().size(), 1u);
  EXPECT_EQ(PixelAt(DrawFrame(), 75, 75), (Rgba{0, 0, 255, 255}));
}

TEST_F(GUIManagerTest, AClickNoWidgetTakesIsNotConsumed) {
  RecordingWidget* window = Add("Window", nullptr, 0, 0, 10, 10);
  EXPECT_FALSE(Mouse(kPress, 5, 5));  // heard, but answered false
  EXPECT_FALSE(Mouse(kPress, 50, 50));
  EXPECT_EQ(window->Clicks().size(), 2u);
  EXPECT_TRUE(gui->IsMouseButtonHeld());
  Mouse(kRelease, 50, 50);
  EXPECT_FALSE(gui->IsMouseButtonHeld());
}

TEST_F(GUIManagerTest, BringToFrontOfAnObjectNotInTheListWarnsAndMovesNothing) {
  RecordingWidget* a = Add("A");
  RecordingWidget* b = Add("B");
  RecordingWidget* child = Add("Child", a);
  gui->BringToFront(nullptr, child);
  EXPECT_TRUE(log.Contains("not found in RLL"));
  EXPECT_EQ(gui->GetTopLevel().Values(), (std::vector<void*>{a, b}));
  gui->BringToFront(a, child);
  EXPECT_EQ(a->GetChildren().Values(), (std::vector<void*>{child}));
}

// Hover at every depth, and a widget that takes ticks starves none behind it.
TEST_F(GUIManagerTest, EveryVisibleWidgetHearsEveryTickWithMouseOverComputed) {
  RecordingWidget* front = Add("Front", nullptr, 5, 5, 100, 100);
  RecordingWidget* child = Add("Child", front, 10, 10, 20, 20);
  RecordingWidget* back = Add("Back", nullptr, 0, 0, 100, 100);
  RecordingWidget* hidden = Add("Hidden", nullptr, 0, 0, 100, 100);
  hidden->Hide();
  front->answer = child->answer = true;

  EXPECT_TRUE(Mouse(kTick, 15, 15));
  EXPECT_EQ(child->heard, (std::vector<Heard>{{kTick, 10, 10}}));
  EXPECT_EQ(front->heard, (std::vector<Heard>{{kTick, 15, 15}}));
  EXPECT_EQ(back->heard, (std::vector<Heard>{{kTick, 15, 15}}));
  EXPECT_TRUE(hidden->heard.empty());
  EXPECT_TRUE(child->HasMouseOver());
  EXPECT_TRUE(child->IsInside(10, 10));

  Mouse(kTick, 50, 50);
  EXPECT_FALSE(child->HasMouseOver());
  EXPECT_TRUE(front->HasMouseOver());
}

TEST_F(GUIManagerTest, FindGUIObjectSearchesPreOrderFromTheFront) {
  RecordingWidget* a = Add("A");
  RecordingWidget* inner = Add("X", a);
  Add("Y", inner);
  RecordingWidget* b = Add("B");
  Add("Y", b);
  EXPECT_EQ(gui->FindGUIObject("X"), inner);
  EXPECT_EQ(gui->FindGUIObject("Y"), inner->GetChildren().GetAt(0));
  EXPECT_EQ(gui->FindGUIObject("B"), b);
  EXPECT_EQ(log.Text(), "");

  EXPECT_EQ(gui->FindGUIObject("Nobody"), nullptr);
  EXPECT_EQ(log.Text(), "FindGUIObject:  Failed, object Nobody not found\n");
  log.Clear();
  EXPECT_EQ(gui->FindQuietly("Nobody"), nullptr);
  EXPECT_EQ(log.Text(), "");
}

// The look-up by name answers what a pre-order walk of the lists answers, whatever moved.
TEST_F(GUIManagerTest, FindGUIObjectAnswersThePreOrderWidgetThroughEveryChangeOfTheTree) {
  struct Typed : RecordingWidget {
    Typed() { typeCode = 3999; }
  };
  const std::function<GUIBaseObject*(const RLL&, const char*, int32_t)> walk =
      [&](const RLL& list, const char* name, int32_t type) -> GUIBaseObject* {
    for (void* value : list.Values()) {
      auto* widget = static_cast<GUIBaseObject*>(value);
      if (widget->Is(name, type)) return widget;
      if (GUIBaseObject* found = walk(widget->GetChildren(), name, type)) return found;
    }
    return nullptr;
  };
  const auto check = [&](const char* step) {
    SCOPED_TRACE(step);
    for (const char* name : {"A", "B", "C", "D", "X", "Y", "Z", "Q", "Loose"}) {
      for (int32_t type : {GUIBaseObject::kAnyType, GUIBaseObject::kTypeCode, int32_t{3999}}) {
        EXPECT_EQ(gui->FindQuietly(name, type), walk(gui->GetTopLevel(), name, type))
            << name << " " << type;
      }
    }
  };
  RecordingWidget* a = Add("A");
  RecordingWidget* ax = Add("X", a);
  Add<Typed>("Y", ax);
  Add("Y", a);
  RecordingWidget* b = Add<Typed>("B");
  RecordingWidget* by = Add("Y", b);
  RecordingWidget* bx = Add<Typed>("X", b);
  RecordingWidget* c = Add("C");
  Add<Typed>("D", c);
  check("built");
  ax->SetName("Z");
  by->SetName("Q");
  check("renamed");
  gui->BringToFront(nullptr, b);
  gui->BringToFront(b, bx);
  check("reordered");
  a->GetChildren().RemovePointer(ax);
  c->GetChildren().AddHead("Z", ax);
  ax->SetParent(c);
  check("reparented");
  gui->GetTopLevel().RemovePointer(c);
  check("a subtree taken out");
  ax->SetName("Loose");
  RecordingWidget* late = Add("Y", c);
  check("changed while out of the tree");
  gui->GetTopLevel().AddTail("C", c);
  check("put back");
  ASSERT_EQ(b->GetChildren().ReplaceValue("Y", late), by);
  check("a value replaced");
  delete by;
  b->GetChildren().RemovePointer(late);
  gui->GetTopLevel().RemovePointer(c);
  delete c;
  check("a subtree destroyed");
  gui->GetTopLevel().Clear();
  check("cleared");
  delete a;
  delete b;
}

TEST_F(GUIManagerTest, DuplicateNamesAllExistLookUpsReachTheOlderOne) {
  RecordingWidget* older = Add("Twin", nullptr, 0, 0, 10, 10);
  RecordingWidget* newer = Add("Twin", nullptr, 20, 0, 10, 10);
  older->fill = {255, 0, 0, 255};
  newer->fill = {0, 255, 0, 255};
  EXPECT_EQ(gui->FindGUIObject("Twin"), older);
  gui->SetActiveObjectList("Base");
  gui->SetActiveObjectByName("Twin");
  EXPECT_EQ(gui->GetActiveObject(), older);

  Mouse(kPress, 25, 5);
  EXPECT_EQ(newer->Clicks().size(), 1u);
  ALLEGRO_BITMAP* shown = DrawFrame();
  EXPECT_EQ(PixelAt(shown, 5, 5), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(shown, 25, 5), (Rgba{0, 255, 0, 255}));
}

TEST_F(GUIManagerTest, ListOwnerBaseIsTheTopLevelAndAMissKeepsTheOwner) {
  RecordingWidget* a = Add("A");
  EXPECT_EQ(gui->GetListOwner("A"), &a->GetChildren());
  EXPECT_EQ(gui->GetActiveListOwner(), a);
  EXPECT_EQ(gui->GetListOwner("Missing"), nullptr);
  EXPECT_EQ(gui->GetActiveListOwner(), a);
  EXPECT_EQ(gui->GetListOwner("Base"), &gui->GetTopLevel());
  EXPECT_EQ(gui->GetActiveListOwner(), nullptr);
}

TEST_F(GUIManagerTest, AddedWidgetsGoBehindTheirSiblingsAsChildrenOfTheOwner) {
  RecordingWidget* a = Add("A");
  ASSERT_TRUE(gui->SetActiveObjectAndListFromBase("A"));
  auto first = new RecordingWidget;
  auto second = new RecordingWidget;
  gui->AddToActiveList("One", first);
  gui->AddToActiveList("Two", second);
  EXPECT_EQ(a->GetChildren().Values(), (std::vector<void*>{first, second}));
  EXPECT_EQ(second->GetParent(), a);
  EXPECT_EQ(second->GetName(), "Two");
  EXPECT_EQ(gui->GetActiveObject(), second);

  EXPECT_FALSE(gui->SetActiveObjectAndListFromBase("Missing"));
  EXPECT_EQ(gui->GetActiveList(), &gui->GetTopLevel());
  EXPECT_EQ(gui->GetActiveListOwner(), nullptr);
  EXPECT_EQ(gui->GetActiveObject(), nullptr);
}

TEST_F(GUIManagerTest, HideAllObjectsSparesOnlyTheEnvironmentWindow) {
  RecordingWidget* world = Add("EnvironmentWindow", nullptr, 0, 0, 10, 10);
  RecordingWidget* menu = Add("Menu", nullptr, 0, 0, 10, 10);
  RecordingWidget* lower = Add("environmentwindow", nullptr, 0, 0, 10, 10);
  RecordingWidget* child = Add("Child", menu, 0, 0, 5, 5);
  gui->HideAllObjects();
  EXPECT_TRUE(world->IsVisible());
  EXPECT_FALSE(menu->IsVisible());
  EXPECT_FALSE(lower->IsVisible());
  EXPECT_TRUE(child->IsVisible());  // hidden through its parent only
  EXPECT_FALSE(child->IsShown());
}

// A widget hidden in the middle of a drag never hears the release; it must not follow the mouse
// once shown again.
TEST_F(GUIManagerTest, EveryReleaseEndsEveryDrag) {
  RecordingWidget* window = Add("Window", nullptr, 100, 100, 50, 50);
  window->SetBorderImages(SolidPicture("corner", 4, 4, {9, 9, 9, 255}), nullptr, nullptr);
  window->SetLock(0);
  Mouse(kPress, 120, 101);
  ASSERT_EQ(gui->GetDraggedObject(), window);
  window->Hide();
  Mouse(kRelease, 300, 300);
  EXPECT_EQ(gui->GetDraggedObject(), nullptr);
  EXPECT_FALSE(window->IsDragging());
  EXPECT_FALSE(window->IsEdgeGrabbed());
  window->Show();
  Mouse(kTick, 400, 400);
  EXPECT_EQ(window->GetLeft(), 100);
  EXPECT_EQ(window->GetTop(), 100);
}

TEST_F(GUIManagerTest, KeysReachTheFocusedBoxOnlyWhileItAndItsAncestorsAreShown) {
  RecordingWidget* window = Add("Window", nullptr, 0, 0, 50, 50);
  RecordingWidget* box = Add("Box", window, 0, 0, 10, 10);
  gui->DispatchKey(GUIBaseObject::kKeyDown, 1);  // no focus: nobody
  gui->SetFocusedInputBox(box);
  gui->DispatchKey(GUIBaseObject::kKeyDown, 1);
  window->Hide();
  gui->DispatchKey(GUIBaseObject::kKeyUp, 1);
  window->Show();
  gui->DispatchKey(GUIBaseObject::kKeyUp, 1);
  EXPECT_EQ(box->heard,
            (std::vector<Heard>{{GUIBaseObject::kKeyDown, 0, 0}, {GUIBaseObject::kKeyUp, 0, 0}}));
  EXPECT_EQ(gui->GetFocusedInputBox(), box);
}

TEST_F(GUIManagerTest, FillsTheRoutersGuiSlotWithTheQuietSearch) {
  gui.reset();
  PropertyManager router;
  gPropertyManager = &router;
  {
    GUIManager second;
    gGUIManager = &second;
    auto* widget = new RecordingWidget;
    second.GetTopLevel().AddTail("W", widget);
    widget->SetName("W");
    widget->draws = 7;
    EXPECT_EQ(router.Route("GUI", "Missing", "Draws").GetType(), 0);
    EXPECT_EQ(router.Route("GUI", "W", "Other").GetType(), 0);
    const PropertyRef draws = router.Route("GUI", "W", "Draws");
    EXPECT_EQ(draws.GetType(), PropertyRef::kInteger);
    EXPECT_EQ(router.GetType(), PropertyRef::kInteger);
    EXPECT_EQ(log.Text(), "");
  }
  EXPECT_EQ(router.Route("GUI", "W", "Draws").GetType(), 0);
  gPropertyManager = nullptr;
  gGUIManager = (gui = std::make_unique<GUIManager>()).get();
}

}  // namespace
