#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "gui/GUIButton.h"
#include "gui/GUIDropMenu.h"
#include "gui/GUIList.h"
#include "gui/GUIScrollBar.h"
#include "support/WidgetFixture.h"

namespace {

const Rgba kHighlight{128, 0, 0, 255};
const Rgba kHeader{214, 221, 239, 255};
const Rgba kEntryBox{196, 196, 196, 255};
const Rgba kClear{0, 0, 0, 0};

// What the list's entries route to, as the player's properties: texts of both forms and values.
class Source : public PropertyHolder {
 public:
  PropertyRef GetPropertyAddress(const char*, const char* property) override {
    const std::string name = property;
    if (name.rfind("Text", 0) == 0) return PropertyRef::Text(texts[Index(name)], lifetime->Token());
    if (name.rfind("Value", 0) == 0) {
      return PropertyRef::Integer(values[Index(name)], lifetime->Token());
    }
    if (name == "Slot") return PropertyRef::TextSlot(slot, lifetime->Token());
    return PropertyRef();
  }

  std::string texts[20];
  int32_t values[20] = {};
  const std::string* slot = nullptr;
  std::optional<Lifetime> lifetime{std::in_place};

 private:
  static size_t Index(const std::string& name) {
    return std::stoul(name.substr(name.find_first_of("0123456789")));
  }
};

class GUIListTest : public WidgetFixture {
 protected:
  GUIListTest() {
    for (int i = 0; i < 20; ++i) {
      source.texts[i] = "entry " + std::to_string(i);
      source.values[i] = 100 + i;
    }
  }

  // A list at (10, 20), 100 wide, with count entries routed to the source.
  GUIList* List(int32_t count) {
    auto* list = Add<GUIList>("List", nullptr, 10, 20, 100, 0);
    list->SetListSize(count);
    for (int32_t i = 0; i < count && i < 20; ++i) {
      const std::string text = "Text" + std::to_string(i);
      const std::string value = "Value" + std::to_string(i);
      list->SetListEntry(i, "Player", "", text.c_str(), "Player", "", value.c_str());
    }
    log.Clear();
    return list;
  }

  Source source;
  PropertyOwnerSlot sourceSlot{PropertyOwner::Player, [this](const char*) { return &source; }};
};

TEST_F(GUIListTest, SizingGivesTheHeightTheBarAndItsStep) {
  struct Case {
    int32_t count;
    int32_t entries, height, barHeight, highest, step;
  };
  const Case cases[] = {
      {3, 3, 52, 50, 26, 1},
      {9, 9, 148, 146, 122, 1},
      {10, 10, 164, 162, 138, 144},
      {20, 20, 164, 162, 138, 13},
      {0, 0, 4, 2, -22, 1},
      {-5, 0, 4, 2, -22, 1},
      // More rows than pixels: the step of 0 leaves the step as it was.
      {1000, 1000, 164, 162, 138, 1},
      {INT32_MAX, INT32_MAX, 164, 162, 138, 1},
  };
  for (const Case& c : cases) {
    GUIList list;
    list.SetDimensions(10, 20, 100, 0);
    list.Hide();
    list.SetListSize(c.count);
    EXPECT_EQ(list.GetEntryCount(), c.entries) << c.count;
    EXPECT_TRUE(list.IsVisible());
    EXPECT_EQ(list.GetLeft(), 10);
    EXPECT_EQ(list.GetTop(), 20);
    EXPECT_EQ(list.GetWidth(), 100);
    EXPECT_EQ(list.GetHeight(), c.height) << c.count;
    GUIScrollBar& bar = list.GetBar();
    EXPECT_EQ(bar.GetName(), "ListBar");
    EXPECT_EQ(list.GetChildren().GetAt(0), &bar);
    EXPECT_TRUE(bar.IsVertical());
    EXPECT_EQ(bar.GetLeft(), 90);
    EXPECT_EQ(bar.GetTop(), 2);
    EXPECT_EQ(bar.GetWidth(), 8);
    EXPECT_EQ(bar.GetHeight(), c.barHeight) << c.count;
    EXPECT_EQ(bar.GetHighest(), c.highest) << c.count;
    EXPECT_EQ(bar.GetValue(), 0);
    EXPECT_EQ(bar.GetStep(), c.step) << c.count;
  }
}

TEST_F(GUIListTest, APressSelectsTheRowUnderItFromTheFirstVisibleRow) {
  GUIList* list = List(20);
  list->GetBar().SetValue(5 * 13);
  Mouse(GUIBaseObject::kTick, 600, 400);
  ASSERT_EQ(list->GetFirstVisibleRow(), 5);

  // The third row: y - top from 32 to 47.
  EXPECT_FALSE(Mouse(GUIBaseObject::kPress, 50, 20 + 32));
  EXPECT_EQ(list->GetSelection(), 7);
  ASSERT_NE(list->GetSelectedValue().AsInteger(), nullptr);
  EXPECT_EQ(*list->GetSelectedValue().AsInteger(), 107);
  EXPECT_EQ(list->GetSelectedType(), 2);
  // The row is highlighted where it is drawn, 2 pixels down.
  EXPECT_EQ(FramePixel(12, 20 + 2 * 16 + 2), kHighlight);
  EXPECT_EQ(FramePixel(12, 20 + 2 * 16 + 17), kHighlight);
  EXPECT_NE(FramePixel(12, 20 + 2 * 16 + 1), kHighlight);
  EXPECT_NE(FramePixel(12, 20 + 3 * 16 + 2), kHighlight);
  EXPECT_NE(FramePixel(10, 20 + 2 * 16 + 8), kHighlight);

  // A held button drags the selection; a release outside keeps it.
  Mouse(GUIBaseObject::kTick, 50, 20 + 80);
  EXPECT_EQ(list->GetSelection(), 10);
  EXPECT_EQ(*list->GetSelectedValue().AsInteger(), 110);
  EXPECT_FALSE(Mouse(GUIBaseObject::kRelease, 500, 20 + 100));
  EXPECT_EQ(list->GetSelection(), 10);
  Mouse(GUIBaseObject::kTick, 50, 20 + 32);
  EXPECT_EQ(list->GetSelection(), 10);
  // A release on a row selects it; a press outside selects nothing.
  Mouse(GUIBaseObject::kPress, 500, 30);
  EXPECT_EQ(list->GetSelection(), -1);
  EXPECT_FALSE(list->GetSelectedValue().IsAlive());
  EXPECT_EQ(list->GetSelectedType(), 0);
  Mouse(GUIBaseObject::kRelease, 50, 20 + 5);
  EXPECT_EQ(list->GetSelection(), 5);
  EXPECT_EQ(*list->GetSelectedValue().AsInteger(), 105);
}

TEST_F(GUIListTest, TheFirstVisibleRowStaysWithinTheEntries) {
  GUIList* list = List(20);
  list->GetBar().SetValue(138);
  Mouse(GUIBaseObject::kTick, 600, 400);
  EXPECT_EQ(list->GetFirstVisibleRow(), 10);
  list->SetListSize(3);
  Mouse(GUIBaseObject::kTick, 600, 400);
  EXPECT_EQ(list->GetFirstVisibleRow(), 0);
  // A click on a row with no entry selects no value.
  Mouse(GUIBaseObject::kPress, 50, 20 + 40);
  EXPECT_EQ(list->GetSelection(), 2);
  EXPECT_FALSE(list->GetSelectedValue().IsAlive());
  // A list far longer than it shows draws only its rows.
  list->SetListSize(INT32_MAX);
  list->GetBar().SetValue(138);
  Mouse(GUIBaseObject::kTick, 600, 400);
  EXPECT_EQ(list->GetFirstVisibleRow(), 138);
  Mouse(GUIBaseObject::kPress, 50, 20 + 2);
  EXPECT_EQ(list->GetSelection(), 138);
  EXPECT_EQ(FramePixel(12, 24), kHighlight);
}

TEST_F(GUIListTest, EntriesReadTheirRoutedTextThroughItsForm) {
  GUIList* list = List(3);
  EXPECT_EQ(*list->GetEntryText(0), "entry 0");
  source.texts[0] = "renamed";
  EXPECT_EQ(*list->GetEntryText(0), "renamed");

  // A slot holding a pointer to the text: the entry follows whatever the slot points to.
  const std::string first = "first";
  const std::string second = "second";
  list->SetListEntry(1, "Player", "", "Slot", "Player", "", "Value1");
  char expected[128];
  std::snprintf(expected, sizeof expected, "Name is (null), points to %p\n",
                static_cast<void*>(&source.values[1]));
  EXPECT_EQ(log.Text(), expected);
  EXPECT_EQ(list->GetEntryText(1), nullptr);
  source.slot = &first;
  EXPECT_EQ(*list->GetEntryText(1), "first");
  source.slot = &second;
  EXPECT_EQ(*list->GetEntryText(1), "second");

  // Gone with their owner.
  source.lifetime.reset();
  source.lifetime.emplace();
  EXPECT_EQ(list->GetEntryText(0), nullptr);
  Mouse(GUIBaseObject::kPress, 50, 20 + 2);
  EXPECT_EQ(list->GetSelection(), 0);
  EXPECT_FALSE(list->GetSelectedValue().IsAlive());
  EXPECT_NE(FramePixel(12, 24), Rgba{});
}

TEST_F(GUIListTest, SetListEntryLinesAndIndexesOutsideTheList) {
  GUIList* list = List(3);
  list->SetListEntry(0, "Player", "", "Value0", "Player", "", "Value1");
  list->SetListEntry(1, "Player", "", "Text1", "Player", "", "Nothing");
  list->SetListEntry(3, "Player", "", "Text1", "Player", "", "Value1");
  list->SetListEntry(-1, "Player", "", "Text1", "Player", "", "Value1");
  EXPECT_EQ(log.Text(),
            "GUIList SetListEntry:  Failed, did not find name in Player  Value0\n"
            "GUIList SetListEntry:  Failed, did not find object in Player  Nothing\n");
  EXPECT_EQ(*list->GetEntryText(0), "entry 0");
  log.Clear();
  list->SetListEntry(2, "Player", "", "Text5", "Player", "", "Value5");
  char expected[128];
  std::snprintf(expected, sizeof expected, "Name is entry 5, points to %p\n",
                static_cast<void*>(&source.values[5]));
  EXPECT_EQ(log.Text(), expected);
  list->SelectIndex(2);
  EXPECT_EQ(list->GetSelectedValue().AsInteger(), &source.values[5]);
  list->SelectIndex(3);
  EXPECT_FALSE(list->GetSelectedValue().IsAlive());
}

TEST_F(GUIListTest, AListNeverSizedIsNotDrawnAndNeverTakesAClick) {
  auto* behind = Add<GUIButton>("Behind", nullptr, 0, 0, 200, 200);
  WriteRecordingScript("behind.lua");
  behind->SetScriptData("behind.lua", 1);
  auto* list = new GUIList();
  list->SetName("List");
  gui->GetTopLevel().AddHead("List", list);
  EXPECT_EQ(list->GetBuffer(), nullptr);
  EXPECT_EQ(FramePixel(5, 5), Rgba({0, 0, 0, 255}));

  list->SetDimensions(10, 20, 100, 0);
  list->SetListSize(3);
  EXPECT_TRUE(Click(50, 30));
  EXPECT_EQ(list->GetSelection(), 0);
  EXPECT_EQ(Text("ran"), "behind.lua:1 ");
}

class GUIDropMenuTest : public WidgetFixture {
 protected:
  GUIDropMenu* Menu() {
    auto* menu = Add<GUIDropMenu>("Menu", nullptr, 0, 0, 200, 0);
    menu->AddField("File");
    menu->AddField("Options");
    return menu;
  }

  // The black pixels of a rectangle of the menu's buffer.
  static int Ink(const GUIDropMenu& menu, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) count += BufferPixel(menu, x, y) == Rgba{0, 0, 0, 255};
    }
    return count;
  }
};

TEST_F(GUIDropMenuTest, ColumnsFollowTheFieldNamesAndTheLongestFieldSetsTheHeight) {
  GUIDropMenu* menu = Menu();
  EXPECT_EQ(GUIDropMenu::ColumnWidth("File"), 36);
  EXPECT_EQ(GUIDropMenu::ColumnWidth("Options"), 60);
  menu->AddEntry("File", "Open", "Open", "open.lua", 1, false);
  menu->Hide();
  menu->AddEntry("Options", "A", "A", "a.lua", 2, false);
  menu->AddEntry("Options", "B", "B", "b.lua", 3, false);
  EXPECT_EQ(menu->GetRows(), 2);
  EXPECT_EQ(menu->GetHeight(), 52);
  menu->AddEntry("Options", "C", "C", "c.lua", 4, false);
  EXPECT_EQ(menu->GetRows(), 3);
  EXPECT_EQ(menu->GetHeight(), 68);
  EXPECT_TRUE(menu->IsVisible());
  EXPECT_EQ(menu->GetWidth(), 200);
  // A shorter field leaves the height.
  menu->AddEntry("File", "Save", "Save", "save.lua", 5, false);
  EXPECT_EQ(menu->GetHeight(), 68);

  FramePixel(0, 0);
  const struct {
    int x, y;
    Rgba pixel;
  } pixels[] = {
      {0, 0, kHeader},     {199, 19, kHeader},  {30, 21, kEntryBox}, {35, 21, kEntryBox},
      {36, 21, kEntryBox}, {95, 21, kEntryBox}, {96, 21, kClear},    {1, 60, kClear},
      {40, 67, kEntryBox}, {150, 30, kClear},
  };
  for (const auto& p : pixels)
    EXPECT_EQ(BufferPixel(*menu, p.x, p.y), p.pixel) << p.x << "," << p.y;
  // The names in black, the second from x 36 + 2.
  EXPECT_GT(Ink(*menu, 2, 2, 34, 18), 0);
  EXPECT_GT(Ink(*menu, 38, 2, 94, 18), 0);
  EXPECT_EQ(Ink(*menu, 34, 0, 38, 20), 0);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(GUIDropMenuTest, ALinkedEntryShowsTheCounterWhichIsZero) {
  GUIDropMenu* menu = Menu();
  menu->AddEntry("File", "Plain", "XXXX", "p.lua", 1, false);
  menu->AddEntry("File", "Linked", "XXXX", "l.lua", 2, true);
  FramePixel(0, 0);
  EXPECT_GT(Ink(*menu, 0, 20, 36, 36), 0);
  EXPECT_EQ(Ink(*menu, 0, 40, 36, 52), 0);
  EXPECT_TRUE(menu->FindEntry("File", "Linked")->IsLinked());
}

TEST_F(GUIDropMenuTest, ModifyEntryReplacesTextScriptAndCodeAndKeepsALink) {
  GUIDropMenu* menu = Menu();
  menu->AddEntry("File", "Open", "Open", "open.lua", 1, true);
  menu->AddEntry("Edit", "Cut", "Cut", "cut.lua", 1, false);
  menu->ModifyEntry("Edit", "Open", "x", "x", 0, false);
  menu->ModifyEntry("File", "Close", "x", "x", 0, false);
  EXPECT_EQ(log.Text(),
            "GUIDropMenu AddEntry:  Failed, did not find field Edit\n"
            "GUIDropMenu ModifyEntry:  Failed, did not find field Edit\n"
            "GUIDropMenu ModifyEntry:  Failed, did not find entry Close\n");
  menu->ModifyEntry("File", "Open", "Open again", "again.lua", 9, false);
  const GUIDropMenuEntry* entry = menu->FindEntry("File", "Open");
  EXPECT_EQ(*entry->GetText(), "Open again");
  EXPECT_EQ(*entry->GetScript(), "again.lua");
  EXPECT_EQ(entry->GetScriptCode(), 9);
  EXPECT_TRUE(entry->IsLinked());
  menu->AddEntry("File", "Plain", "Plain", "p.lua", 1, false);
  menu->ModifyEntry("File", "Plain", "Plain", "p.lua", 1, true);
  EXPECT_TRUE(menu->FindEntry("File", "Plain")->IsLinked());
  // Duplicate field names: the first is reached.
  menu->AddField("File");
  menu->AddEntry("File", "More", "More", "m.lua", 1, false);
  EXPECT_NE(menu->FindEntry("File", "More"), nullptr);
  EXPECT_EQ(menu->GetRows(), 3);
}

TEST_F(GUIDropMenuTest, AClickOnAnEntryRunsNothingAndGoesOnBehind) {
  WriteRecordingScript("entry.lua");
  WriteRecordingScript("behind.lua");
  auto* behind = Add<GUIButton>("Behind", nullptr, 0, 0, 200, 200);
  behind->SetScriptData("behind.lua", 7);
  GUIDropMenu* menu = Menu();
  gui->BringToFront(nullptr, menu);
  menu->AddEntry("File", "Open", "Open", "entry.lua", 1, false);
  EXPECT_TRUE(Click(10, 25));
  EXPECT_EQ(Text("ran"), "behind.lua:7 ");
  // Run is there for whoever calls it.
  menu->FindEntry("File", "Open")->Run();
  EXPECT_EQ(Text("ran"), "behind.lua:7 entry.lua:1 ");
}

}  // namespace
