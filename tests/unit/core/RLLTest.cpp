#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/RLL.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"

namespace {

// A list whose values are the addresses of named ints, so results read as names.
class RLLTest : public GlobalsFixture {
 protected:
  void Fill(RLL& list, const std::vector<std::string>& names) {
    for (const std::string& name : names) list.AddTail(name.c_str(), Value(name));
  }
  // One stable value per name; the same name gives the same value.
  void* Value(const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name) return &slots[i];
    }
    names.push_back(name);
    return &slots[names.size() - 1];
  }
  std::string NameOf(void* value) const {
    if (value == nullptr) return "none";
    return names[static_cast<size_t>(static_cast<int*>(value) - slots)];
  }
  // The list read from the head by index.
  std::string Contents(const RLL& list) const {
    std::string text;
    for (int32_t i = 0; i < list.GetCount(); ++i) {
      text += (i > 0 ? " " : "") + std::string(list.GetNameAt(i)) + "=" + NameOf(list.GetAt(i));
    }
    return text;
  }
  // The names, or the values, from the head by index.
  std::string Names(const RLL& list) const {
    std::string text;
    for (int32_t i = 0; i < list.GetCount(); ++i)
      text += (i > 0 ? " " : "") + std::string(list.GetNameAt(i));
    return text;
  }
  std::string ValueNames(const RLL& list) const {
    std::string text;
    for (int32_t i = 0; i < list.GetCount(); ++i)
      text += (i > 0 ? " " : "") + NameOf(list.GetAt(i));
    return text;
  }
  // The rest of a cursor walk from where the cursor stands, by Next.
  std::string RestOfWalk(RLL& list) {
    std::string text;
    for (void* value = list.Next(); value != nullptr; value = list.Next()) {
      text += (text.empty() ? "" : " ") + NameOf(value);
    }
    return text;
  }

  std::vector<std::string> names;
  int slots[32] = {};
};

TEST_F(RLLTest, RLL_RemoveByNameTakesFirstMatchFromTheHead) {
  RLL list;
  list.AddTail("x", Value("x"));
  list.AddTail("a", Value("a1"));
  list.AddTail("a", Value("a2"));
  EXPECT_EQ(list.Find("a"), Value("a1"));
  EXPECT_EQ(list.Remove("a"), Value("a1"));
  EXPECT_EQ(Contents(list), "x=x a=a2");
  EXPECT_EQ(list.Find("a"), Value("a2"));
  EXPECT_EQ(list.Remove("missing"), nullptr);
  EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(RLLTest, RLL_AddsKeepOrderAndReplaceAnswersTheOldValue) {
  RLL list;
  EXPECT_EQ(list.AddTail("b", Value("b")), Value("b"));
  EXPECT_EQ(list.AddHead("a", Value("a")), Value("a"));
  list.AddTail("c", Value("c"));
  EXPECT_EQ(Contents(list), "a=a b=b c=c");
  EXPECT_EQ(list.ReplaceValue("b", Value("z")), Value("b"));
  EXPECT_EQ(list.ReplaceValue("q", Value("z")), nullptr);
  EXPECT_EQ(Contents(list), "a=a b=z c=c");
}

TEST_F(RLLTest, RLL_IndexedAccessAnswersNoneOutOfRange) {
  RLL list;
  Fill(list, {"a", "b", "c"});
  EXPECT_EQ(list.GetAt(-1), nullptr);
  EXPECT_EQ(list.GetAt(3), nullptr);
  EXPECT_EQ(list.RemoveAt(3), nullptr);
  EXPECT_EQ(list.RemoveAt(-1), nullptr);
  EXPECT_EQ(Contents(list), "a=a b=b c=c");
  EXPECT_EQ(list.RemoveAt(0), Value("a"));
  EXPECT_EQ(list.RemoveAt(1), Value("c"));
  EXPECT_EQ(Contents(list), "b=b");
  EXPECT_EQ(list.RemoveHead(), Value("b"));
  EXPECT_EQ(list.RemoveHead(), nullptr);
  EXPECT_EQ(list.RemoveTail(), nullptr);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(RLLTest, RLL_NoneNamesAreIgnored) {
  RLL list;
  Fill(list, {"a"});
  EXPECT_EQ(list.AddTail(nullptr, Value("x")), nullptr);
  EXPECT_EQ(list.AddHead(nullptr, Value("x")), nullptr);
  EXPECT_EQ(list.Find(nullptr), nullptr);
  EXPECT_EQ(list.Remove(nullptr), nullptr);
  EXPECT_EQ(list.ReplaceValue(nullptr, Value("x")), nullptr);
  RLLAddPointer(&list, nullptr, Value("x"));
  RLLAddPointer(&list, "p", nullptr);
  RLLAddPointer(nullptr, "p", Value("x"));
  EXPECT_EQ(Contents(list), "a=a");
}

TEST_F(RLLTest, RLL_ForwardAndTailFirstWalks) {
  RLL list;
  Fill(list, {"a", "b", "c"});
  std::string forward;
  for (void* v = list.First(); v != nullptr; v = list.Next()) forward += NameOf(v);
  std::string backward;
  for (void* v = list.Last(); v != nullptr; v = list.Prev()) backward += NameOf(v);
  EXPECT_EQ(forward, "abc");
  EXPECT_EQ(backward, "cba");

  list.RewindToTail();
  EXPECT_STREQ(list.GetCurrentName(), "c");
  EXPECT_TRUE(list.Retreat());
  EXPECT_EQ(list.GetCurrent(), Value("b"));
  list.Rewind();
  EXPECT_TRUE(list.Advance());
  EXPECT_EQ(list.GetCurrent(), Value("b"));
  EXPECT_TRUE(list.Advance());
  EXPECT_TRUE(list.Advance());  // steps off the tail
  EXPECT_EQ(list.GetCurrent(), nullptr);
  EXPECT_FALSE(list.Advance());
  EXPECT_FALSE(list.Retreat());
  EXPECT_EQ(list.Next(), nullptr);
  EXPECT_EQ(list.GetCurrentName(), nullptr);
}

TEST_F(RLLTest, RLL_RemoveCurrentOfEveryEntryEndsTheWalkEmpty) {
  RLL list;
  Fill(list, {"a", "b", "c", "d"});
  std::string visited;
  for (void* v = list.First(); v != nullptr; v = list.Next()) {
    visited += NameOf(v);
    EXPECT_EQ(list.RemoveCurrent(), v);
  }
  EXPECT_EQ(visited, "abcd");
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.RemoveCurrent(), nullptr);
}

// Whatever operation removes the cursor's entry, the walk goes on with the entry that followed it.
TEST_F(RLLTest, RLL_RemovingTheCursorsEntryByAnyOperationLeavesTheCursorValid) {
  struct Case {
    const char* what;
    int32_t cursorAt;
    std::function<void(RLL&)> remove;
    const char* rest;  // the walk after the removal
    const char* left;  // the list afterwards
  };
  const Case cases[] = {
      {"RemoveCurrent at the head", 0, [](RLL& l) { l.RemoveCurrent(); }, "b c d", "b c d"},
      {"RemoveCurrent in the middle", 1, [](RLL& l) { l.RemoveCurrent(); }, "c d", "a c d"},
      {"RemoveCurrent at the tail", 3, [](RLL& l) { l.RemoveCurrent(); }, "", "a b c"},
      {"RemoveHead", 0, [](RLL& l) { l.RemoveHead(); }, "b c d", "b c d"},
      {"RemoveTail", 3, [](RLL& l) { l.RemoveTail(); }, "", "a b c"},
      {"Remove by name", 1, [](RLL& l) { l.Remove("b"); }, "c d", "a c d"},
      {"RemoveAt", 2, [](RLL& l) { l.RemoveAt(2); }, "d", "a b d"},
      {"RemovePointer", 1, [](RLL& l) { l.RemovePointer(l.GetAt(1)); }, "c d", "a c d"},
      {"another entry", 1, [](RLL& l) { l.Remove("c"); }, "d", "a b d"},
      {"Clear", 1, [](RLL& l) { l.Clear(); }, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RLL list;
    Fill(list, {"a", "b", "c", "d"});
    list.First();
    for (int32_t i = 0; i < c.cursorAt; ++i) list.Next();
    c.remove(list);
    EXPECT_EQ(RestOfWalk(list), c.rest);
    EXPECT_EQ(ValueNames(list), c.left);
  }
}

TEST_F(RLLTest, RLL_OwningListFreesValuesAndAnswersNoneFromEveryRemoval) {
  RLL list(4, true);
  const char* names[] = {"a", "b", "c", "d", "e", "f"};
  for (const char* name : names) RLLAddByteValue(&list, name, 0x1234);
  EXPECT_EQ(*static_cast<unsigned char*>(list.Find("a")), 0x34);
  list.First();
  list.Next();
  EXPECT_EQ(list.RemoveCurrent(), nullptr);
  EXPECT_EQ(list.RemoveHead(), nullptr);
  EXPECT_EQ(list.RemoveTail(), nullptr);
  EXPECT_EQ(list.Remove("c"), nullptr);
  EXPECT_EQ(list.RemoveAt(0), nullptr);
  EXPECT_EQ(list.GetCount(), 1);
  // The last value is freed by the destructor; the sanitizer build reports a leak or double free.
}

TEST_F(RLLTest, RLL_SeekPointerFindsTheFirstHolderOrWarns) {
  RLL list;
  Fill(list, {"a", "b", "c"});
  list.AddTail("b again", Value("b"));
  list.SeekPointer(Value("b"));
  EXPECT_STREQ(list.GetCurrentName(), "b");
  EXPECT_EQ(RestOfWalk(list), "c b");

  RLL empty;
  void* missing = Value("missing");
  char expected[96];
  std::snprintf(expected, sizeof expected, "WARNING:  Pointer %p not found in RLL!\n", missing);
  LogCapture log;
  empty.SeekPointer(missing);
  list.SeekPointer(missing);
  EXPECT_EQ(log.Text(), std::string(expected) + expected);
  EXPECT_EQ(empty.GetCurrent(), nullptr);
  EXPECT_EQ(list.GetCurrent(), nullptr);
  EXPECT_EQ(list.Next(), nullptr);
}

TEST_F(RLLTest, RLL_ForEachVisitsInOrderWithoutMovingTheCursor) {
  RLL list;
  Fill(list, {"a", "b", "c"});
  list.First();
  list.Next();
  std::string forward, backward;
  list.ForEach([&](void* v) { forward += NameOf(v); });
  list.ForEachFromTail([&](void* v) { backward += NameOf(v); });
  EXPECT_EQ(forward, "abc");
  EXPECT_EQ(backward, "cba");
  EXPECT_STREQ(list.GetCurrentName(), "b");
}

// A visit that runs a script may change the list it is called from; the walk goes on from where it
// stood and reaches what was added ahead of it.
TEST_F(RLLTest, RLL_ForEachSurvivesChangesDuringTheWalk) {
  struct Case {
    const char* what;
    bool fromTail;
    std::function<void(RLL&, const std::string& visiting)> change;
    const char* visited;
    const char* left;
  };
  const Case cases[] = {
      {"removes itself", false, [](RLL& l, const std::string& v) { l.Remove(v.c_str()); }, "abcd",
       ""},
      {"removes the next entry", false,
       [](RLL& l, const std::string& v) {
         if (v == "b") l.Remove("c");
       },
       "abd", "a b d"},
      {"removes an entry already visited", false,
       [](RLL& l, const std::string& v) {
         if (v == "c") l.Remove("a");
       },
       "abcd", "b c d"},
      {"clears the list", false,
       [](RLL& l, const std::string& v) {
         if (v == "b") l.Clear();
       },
       "ab", ""},
      {"clears and refills", false,
       [this](RLL& l, const std::string& v) {
         if (v == "b") {
           l.Clear();
           l.AddTail("n", Value("n"));
         }
       },
       "abn", "n"},
      {"adds at both ends", false,
       [this](RLL& l, const std::string& v) {
         if (v == "a") {
           l.AddHead("h", Value("h"));
           l.AddTail("t", Value("t"));
         }
       },
       "abcdt", "h a b c d t"},
      {"removes the tail it stands on, then appends", false,
       [this](RLL& l, const std::string& v) {
         if (v == "d") {
           l.Remove("d");
           l.AddTail("t", Value("t"));
         }
       },
       "abcdt", "a b c t"},
      {"walks again", false, [](RLL& l, const std::string&) { l.ForEach([](void*) {}); }, "abcd",
       "a b c d"},
      {"tail first, removes the next", true,
       [](RLL& l, const std::string& v) {
         if (v == "d") l.Remove("c");
       },
       "dba", "a b d"},
      {"tail first, adds at both ends", true,
       [this](RLL& l, const std::string& v) {
         if (v == "d") {
           l.AddHead("h", Value("h"));
           l.AddTail("t", Value("t"));
         }
       },
       "dcbah", "h a b c d t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RLL list;
    Fill(list, {"a", "b", "c", "d"});
    std::string visited;
    auto visit = [&](void* v) {
      visited += NameOf(v);
      c.change(list, NameOf(v));
    };
    if (c.fromTail)
      list.ForEachFromTail(visit);
    else
      list.ForEach(visit);
    EXPECT_EQ(visited, c.visited);
    EXPECT_EQ(Names(list), c.left);
  }
}

TEST_F(RLLTest, RLL_DecrementCountToZeroEmptiesTheList) {
  RLL list(4, true);
  RLLAddByteValue(&list, "a", 1);
  RLLAddByteValue(&list, "b", 2);
  list.DecrementCount();
  EXPECT_EQ(list.GetCount(), 1);
  list.DecrementCount();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Find("a"), nullptr);
}

TEST_F(RLLTest, RLL_WatcherHearsEveryValueThatEntersOrLeaves) {
  struct Recorder : RLL::Watcher {
    std::function<std::string(void*)> name;
    std::string heard;
    void Entered(void* value) override { heard += " +" + name(value); }
    void Left(void* value) override { heard += " -" + name(value); }
  } recorder;
  recorder.name = [this](void* value) { return NameOf(value); };
  RLL list;
  list.SetWatcher(&recorder);
  Fill(list, {"a", "b", "c"});
  list.AddHead("d", Value("d"));
  list.ReplaceValue("b", Value("e"));
  list.Remove("a");
  list.RemoveAt(0);
  list.First();
  list.RemoveCurrent();
  list.RemovePointer(Value("c"));
  Fill(list, {"f", "g"});
  list.RemoveHead();
  list.RemoveTail();
  Fill(list, {"h", "i"});
  list.Clear();
  EXPECT_EQ(recorder.heard, " +a +b +c +d -b +e -a -d -e -c +f +g -f -g +h +i -h -i");
  list.SetWatcher(nullptr);
  Fill(list, {"j"});
  EXPECT_EQ(recorder.heard, " +a +b +c +d -b +e -a -d -e -c +f +g -f -g +h +i -h -i");
}

}  // namespace
