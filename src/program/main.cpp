#include <cstdio>

#include "core/CommandLine.h"
#include "core/Startup.h"
#include "program/ProgramLoop.h"
#include "program/ProgramStartup.h"

int main(int argc, char** argv) {
  ParseCommandLine(argc, argv);
  if (Init(ProgramStartupRows()) != 0) return 1;
  RunPrimaryGameLoop();
  Cleanup();
  // A chunked level's temporary file; removing it when no level was loaded is harmless.
  std::remove("ActiveChunks.pcf");
  return 0;
}
