#include "core/CommandLine.h"
#include "core/Startup.h"
#include "platform/TemporaryFile.h"
#include "program/ProgramLoop.h"
#include "program/ProgramStartup.h"

int main(int argc, char** argv) {
  ParseCommandLine(argc, argv);
  if (Init(ProgramStartupRows()) != 0) return 1;
  RunPrimaryGameLoop();
  Cleanup();
  // A chunked level's temporary file; removing it when no level was loaded is harmless, and a
  // folder of that name is not ours to remove.
  RemoveTemporaryFile("ActiveChunks.pcf");
  return 0;
}
