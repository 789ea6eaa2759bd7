#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CommandLine.h"
#include "core/Globals.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"

namespace {

class CommandLineTest : public GlobalsFixture {};

TEST_F(CommandLineTest, CommandLine_ScansEachArgumentAsAnOptionIncludingValues) {
  struct Case {
    std::vector<const char*> argv;
    int32_t width;
    int32_t height;
    bool openGL;
    std::string localPath;
    std::string logged;  // between the header line and the local-path line
  };
  const Case cases[] = {
      {{"quillmere"}, 800, 600, false, "", ""},
      {{"/opt/game/quillmere", "-w", "1024", "-h", "768"},
       1024,
       768,
       false,
       "/opt/game/",
       "Width set to:1024\nHeight set to:768\n"},
      // The value after "-w" is an option too: atoi("-ogl") is 0, and OpenGL mode is forced.
      {{"q", "-w", "-ogl"}, 0, 600, true, "", "Width set to:0\nForcing OpenGL mode\n"},
      {{"q", "-h", "-w", "5"}, 5, 0, false, "", "Height set to:0\nWidth set to:5\n"},
      {{"q", "-h", "700", "-w"}, 800, 700, false, "", "Height set to:700\n"},
      {{"q", "-w", "640", "-h"}, 640, 600, false, "", "Width set to:640\n"},
      {{"C:\\Game\\quillmere.exe", "-f", "-x"},
       800,
       600,
       false,
       "C:\\Game\\",
       "Forcing memory mode\n"},
      {{"q", "-w", " 12px", "-h", "abc"}, 12, 0, false, "", "Width set to:12\nHeight set to:0\n"},
      {{"q", "-w", "99999999999", "-h", "-99999999999"},
       2147483647,
       -2147483647 - 1,
       false,
       "",
       "Width set to:2147483647\nHeight set to:-2147483648\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argv[0] + std::string(" ...") + std::to_string(c.argv.size()));
    ResetGlobals();
    LogCapture log;
    ParseCommandLine(static_cast<int>(c.argv.size()), c.argv.data());
    EXPECT_EQ(gScreenWidth, c.width);
    EXPECT_EQ(gScreenHeight, c.height);
    EXPECT_EQ(gOpenGLMode, c.openGL);
    EXPECT_EQ(gLocalPath, c.localPath);
    EXPECT_EQ(log.Text(), "Received the following command line arguments:\n" + c.logged +
                              "Set Local Path to " + c.localPath + "\n");
  }
}

TEST_F(CommandLineTest, CommandLine_LocalPathEndsAtTheLastSeparatorBeforeTheFinalCharacter) {
  struct Case {
    const char* argv0;
    const char* path;
  };
  const Case cases[] = {
      {"quillmere", ""}, {"./quillmere", "./"}, {"a/b\\c", "a/b\\"}, {"a/b/", "a/"}, {"/", ""},
      {"", ""},          {nullptr, ""},         {"//x", "//"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocalPathOf(c.argv0), c.path) << (c.argv0 ? c.argv0 : "(none)");
  }
}

TEST_F(CommandLineTest, CommandLine_NoArgumentVectorGivesAnEmptyLocalPath) {
  LogCapture log;
  ParseCommandLine(0, nullptr);
  EXPECT_EQ(gLocalPath, "");
  EXPECT_EQ(log.Text(), "Received the following command line arguments:\nSet Local Path to \n");
}

}  // namespace
