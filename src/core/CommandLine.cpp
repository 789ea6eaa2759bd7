#include "core/CommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/Globals.h"
#include "core/Log.h"

namespace {

// atoi's reading (leading blanks, a sign, digits, 0 for no number) without its undefined
// behaviour: values past the int32 limits stop at them.
int32_t ReadSize(const char* text) {
  const long value = std::strtol(text, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

void ParseCommandLine(int argc, const char* const* argv) {
  gScreenWidth = 800;
  gScreenHeight = 600;
  Log("Received the following command line arguments:\n");
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    const bool hasNext = i + 1 < argc;
    if (std::strcmp(argument, "-f") == 0) Log("Forcing memory mode\n");
    if (std::strcmp(argument, "-ogl") == 0) {
      gOpenGLMode = true;
      Log("Forcing OpenGL mode\n");
    }
    if (std::strcmp(argument, "-w") == 0 && hasNext) {
      gScreenWidth = ReadSize(argv[i + 1]);
      Log("Width set to:%i\n", gScreenWidth);
    }
    if (std::strcmp(argument, "-h") == 0) {
      if (!hasNext) break;
      gScreenHeight = ReadSize(argv[i + 1]);
      Log("Height set to:%i\n", gScreenHeight);
    }
  }
  gLocalPath = LocalPathOf(argc > 0 ? argv[0] : nullptr);
  Log("Set Local Path to %s\n", gLocalPath.c_str());
}

std::string LocalPathOf(const char* argv0) {
  if (argv0 == nullptr) return {};
  const std::string path(argv0);
  if (path.size() < 2) return {};
  const size_t separator = path.find_last_of("\\/", path.size() - 2);
  if (separator == std::string::npos) return {};
  return path.substr(0, separator + 1);
}
