#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/NamedList.h"

namespace {

std::string Names(const NamedList& list) {
  std::string text;
  for (int32_t i = 0; i < list.GetCount(); ++i) {
    text += (i > 0 ? " " : "") + std::string(list.GetNameAt(i));
  }
  return text;
}

TEST(NamedList, NamedList_RemoveByNameTakesFirstMatchFromTheHead) {
  int x = 0, a1 = 0, a2 = 0;
  NamedList list;
  list.Append("x", &x);
  list.Append("a", &a1);
  list.Append("a", &a2);
  EXPECT_EQ(list.Find("a"), &a1);
  EXPECT_EQ(list.Remove("a"), &a1);
  EXPECT_EQ(list.GetAt(1), &a2);
  EXPECT_EQ(Names(list), "x a");
}

TEST(NamedList, NamedList_EndsIndicesAndNoneNames) {
  int a = 0, b = 0, c = 0;
  NamedList list;
  EXPECT_EQ(list.Append(nullptr, &a), nullptr);
  EXPECT_EQ(list.Find(nullptr), nullptr);
  EXPECT_EQ(list.Remove(nullptr), nullptr);
  list.Append("a", &a);
  list.Append("b", &b);
  list.Append("c", &c);
  EXPECT_EQ(list.GetAt(3), nullptr);
  EXPECT_EQ(list.RemoveAt(3), nullptr);
  EXPECT_EQ(list.RemoveAt(1), &b);
  EXPECT_EQ(list.RemoveTail(), &c);
  EXPECT_EQ(list.RemoveHead(), &a);
  EXPECT_EQ(list.RemoveHead(), nullptr);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(NamedList, NamedList_OwningListFreesValuesAndAnswersNone) {
  NamedList list(4, true);
  for (const char* name : {"a", "b", "c", "d"}) list.Append(name, std::malloc(8));
  EXPECT_EQ(list.Remove("b"), nullptr);
  EXPECT_EQ(list.RemoveHead(), nullptr);
  EXPECT_EQ(list.RemoveTail(), nullptr);
  EXPECT_EQ(Names(list), "c");
  list.DecrementCount();  // at 0 the last entry is freed, not orphaned
  EXPECT_EQ(list.Find("c"), nullptr);
}

}  // namespace
