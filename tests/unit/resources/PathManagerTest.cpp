#include <gtest/gtest.h>

#include "core/Globals.h"
#include "resources/PathManager.h"
#include "support/LuaFixture.h"

namespace {

class PathManagerTest : public LuaFixture {
 protected:
  PathManagerTest() { gPathManager = &paths; }

  PathManager paths;  // registers the path functions a second time
};

TEST_F(PathManagerTest, RootStartsUninitialisedAndBecomesTheLocalFolder) {
  EXPECT_EQ(paths.BuildPath("Root", "x.lua"), "UNINITIALIZEDx.lua");
  gLocalPath = "C:\\Game\\";
  ASSERT_TRUE(Run(R"(
    Path_SetRootToLocal("ignored", 3)
    Path_AddPathFromRoot("Maps", "Data\\Maps\\")
    root = Path_GetPath("Root")
    maps = Path_GetPath("Maps")
  )"));
  EXPECT_EQ(Text("root"), "C:\\Game\\");
  EXPECT_EQ(Text("maps"), "C:\\Game\\Data\\Maps\\");
  EXPECT_EQ(log.Text(), "");
}

TEST_F(PathManagerTest, UnsetLocalFolderMakesRootEmpty) {
  ASSERT_TRUE(Run("Path_SetRootToLocal() root = Path_GetPath('Root')"));
  EXPECT_EQ(Text("root"), "");
}

TEST_F(PathManagerTest, SettingAnAbsentKeyDoesNothingAndBuildingFallsBackToTheFile) {
  ASSERT_TRUE(Run(R"(
    Path_SetPath("Maps", "Data/Maps/")
    Path_SetPathFromRoot("Scripts", "Data/Scripts/")
  )"));
  EXPECT_FALSE(paths.Find("Maps"));
  EXPECT_FALSE(paths.Find("Scripts"));
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(paths.BuildPath("Maps", "a.slf"), "a.slf");
  EXPECT_EQ(log.Text(), "PathManager failed to find Maps\n");
}

TEST_F(PathManagerTest, DestroyForgetsEveryKeyAndLeavesAUsableManager) {
  paths.AddPath("Maps", "Data/Maps/");
  paths.Destroy();
  EXPECT_FALSE(paths.Find("Root"));
  EXPECT_FALSE(paths.Find("Maps"));
  EXPECT_EQ(paths.BuildPath("Root", "x.lua"), "x.lua");
  EXPECT_EQ(log.Text(), "PathManager failed to find Root\n");
  paths.AddPathFromRoot("Scripts", "S/");  // no "Root" any more: nothing
  EXPECT_FALSE(paths.Find("Scripts"));
  paths.AddPath("Maps", "M/");
  EXPECT_EQ(paths.BuildPath("Maps", "a.slf"), "M/a.slf");
}

TEST_F(PathManagerTest, RepeatedKeysReachTheOldestEntry) {
  ASSERT_TRUE(Run(R"(
    Path_AddPath("Maps", "A/")
    Path_AddPath("Maps", "B/")
    Path_SetPath("Root", "R/")
    Path_SetPathFromRoot("Maps", "C/")
    maps = Path_GetPath("Maps")
  )"));
  EXPECT_EQ(paths.BuildPath("Maps", "m"), "R/C/m");
  EXPECT_EQ(Text("maps"), "R/C/");
  ASSERT_TRUE(Run(R"(
    Path_SetPath("Maps", "")
    empty = Path_GetPath("Maps")
    Path_AddPath(5, 6)
    number = Path_GetPath(5)
  )"));
  EXPECT_EQ(Text("empty"), "");
  EXPECT_EQ(Text("number"), "6");
  EXPECT_EQ(log.Text(), "");
}

TEST_F(PathManagerTest, FailureLines) {
  const ScriptFailure failures[] = {
      {"Path_AddPath('a')", "Path AddPath:  Failed, invalid argument list\n"},
      {"Path_AddPath('a', nil)", "Path AddPath:  Failed, invalid argument list\n"},
      {"Path_AddPath('a', 'b', 'c')", "Path AddPath:  Failed, invalid argument list\n"},
      {"Path_AddPathFromRoot({}, 'b')", "Path AddPathFromRoot:  Failed, invalid argument list\n"},
      {"Path_SetPath()", "Path SetPath:  Failed, invalid argument list\n"},
      {"Path_SetPathFromRoot('a', true)", "Path SetPathFromRoot:  Failed, invalid argument list\n"},
      {"Path_GetPath()", "Path GetPath:  Failed, invalid argument list\n"},
      {"Path_GetPath('Root', 'x')", "Path GetPath:  Failed, invalid argument list\n"},
      {"Path_GetPath(nil)", "Path GetPath:  Failed, invalid argument list\n"},
      {"Path_GetPath('Maps')", "Path GetPath:  Failed, could not find pathname Maps\n"},
  };
  ExpectFailures(failures);
  EXPECT_EQ(paths.Find("a"), std::nullopt);
}

// The Lua manager registers the path functions before the path manager exists.
class PathFunctionsWithoutManagerTest : public LuaFixture {};

TEST_F(PathFunctionsWithoutManagerTest, EachSaysTheManagerIsNotCreated) {
  const ScriptFailure failures[] = {
      {"Path_SetRootToLocal()", "Path SetRootToLocal:  Failed, manager not created\n"},
      {"Path_AddPath('a', 'b')", "Path AddPath:  Failed, manager not created\n"},
      {"Path_AddPathFromRoot('a', 'b')", "Path AddPathFromRoot:  Failed, manager not created\n"},
      {"Path_SetPath('a', 'b')", "Path SetPath:  Failed, manager not created\n"},
      {"Path_SetPathFromRoot('a', 'b')", "Path SetPathFromRoot:  Failed, manager not created\n"},
      {"Path_GetPath('Root')", "Path GetPath:  Failed, manager not created\n"},
      {"Path_AddPath('a')", "Path AddPath:  Failed, invalid argument list\n"},
  };
  ExpectFailures(failures);
}

}  // namespace
