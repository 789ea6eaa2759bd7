#include <gtest/gtest.h>

#include <set>
#include <string>

#include "program/ProgramStartup.h"
#include "support/ScriptReference.h"

namespace {

// Content authors read in docs/script-api.md which start-up script can call what; its sentence on
// the start-up sequence names every row, in the rows' order.
TEST(ProgramStartup, ScriptReferenceListsTheRowsInTheirOrder) {
  const std::string text = ReadScriptReference();
  const std::string lead = "\"Callable from\" follows the start-up sequence:";
  const size_t begin = text.find(lead);
  ASSERT_NE(begin, std::string::npos) << "no start-up sequence in the script reference";
  const std::string sentence = text.substr(begin, text.find(". ", begin) - begin);

  size_t at = 0;
  for (const StartupRow& row : ProgramStartupRows()) {
    const std::string name = row.script != nullptr ? "\"" + std::string(row.name) + "\"" : row.name;
    const size_t found = sentence.find(name, at);
    EXPECT_NE(found, std::string::npos) << name << " missing, or out of order, in: " << sentence;
    if (found != std::string::npos) at = found + name.size();
  }
}

TEST(ProgramStartup, RowsAreNamedOnceAndEachRunsSomething) {
  std::set<std::string> names;
  for (const StartupRow& row : ProgramStartupRows()) {
    EXPECT_TRUE(names.insert(row.name).second) << row.name << " twice";
    EXPECT_NE(row.run == nullptr, row.script == nullptr) << row.name;
  }
}

}  // namespace
