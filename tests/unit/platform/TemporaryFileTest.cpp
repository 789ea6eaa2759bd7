#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/TemporaryFile.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "Scratch.tmp";

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Whatever stands at the fixed name is replaced by a new file of the program's own: writing to it
// never blocks on a FIFO and never reaches another file through a link.
TEST(TemporaryFile, WhateverStandsAtTheNameIsReplacedNotFollowed) {
  struct Case {
    const char* what;
    std::function<void()> place;
  };
  const Case cases[] = {
      {"nothing", [] {}},
      {"an old file", [] { std::ofstream(kName) << "stale contents"; }},
      {"a FIFO", [] { ASSERT_EQ(mkfifo(kName, 0600), 0); }},
      {"a link to another file", [] { fs::create_symlink("victim", kName); }},
      {"a link to nowhere", [] { fs::create_symlink("nowhere/at/all", kName); }},
      {"a hard link to another file", [] { fs::create_hard_link("victim", kName); }},
  };
  for (const Case& c : cases) {
    const TempDir dir;
    std::ofstream("victim") << "keep me";
    c.place();
    FILE* file = CreateTemporaryFile(kName);
    ASSERT_NE(file, nullptr) << c.what;
    EXPECT_EQ(std::fputs("scratch", file), 1) << c.what;
    std::rewind(file);
    char back[8] = {};
    EXPECT_EQ(std::fread(back, 1, 7, file), 7u) << c.what;
    EXPECT_STREQ(back, "scratch") << c.what;
    std::fclose(file);

    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(kName))) << c.what;
    EXPECT_EQ(Contents(kName), "scratch") << c.what;
    EXPECT_EQ(Contents("victim"), "keep me") << c.what;
    EXPECT_FALSE(fs::exists("nowhere")) << c.what;

    RemoveTemporaryFile(kName);
    EXPECT_FALSE(fs::exists(fs::symlink_status(kName))) << c.what;
    EXPECT_EQ(Contents("victim"), "keep me") << c.what;
  }
}

TEST(TemporaryFile, AFolderAtTheNameIsRefusedAndKept) {
  const TempDir dir;
  fs::create_directory(kName);
  EXPECT_EQ(CreateTemporaryFile(kName), nullptr);
  RemoveTemporaryFile(kName);
  EXPECT_TRUE(fs::is_directory(kName));
  RemoveTemporaryFile("missing");  // harmless
}

}  // namespace
