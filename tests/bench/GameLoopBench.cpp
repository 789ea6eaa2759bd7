// Runs the program's game loop for five seconds in a real window and reports how steadily it
// ticks: ticks per second (60 is the target), the longest gap between two ticks, and the frames
// drawn. Needs an X server: xvfb-run -a build/tests/bench/bench_GameLoopBench [-ogl]
//
// It starts the program as quillmere does (in an empty temporary folder, so no start-up script
// is found) and adds one last tick stage that takes the times.

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/Clock.h"
#include "core/CommandLine.h"
#include "core/GameLoop.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/Startup.h"
#include "program/ProgramLoop.h"
#include "program/ProgramStartup.h"
#include "support/TempDir.h"

namespace {

constexpr double kRunSeconds = 5.0;

class CountingHandlers : public ProgramHandlers {
 public:
  void DrawFrame() override {
    ProgramHandlers::DrawFrame();
    ++frames;
  }
  int frames = 0;
};

}  // namespace

int main(int argc, char** argv) {
  TempDir folder;
  const LogSink previous = SetLogSink([](std::string_view) {});
  ParseCommandLine(argc, argv);
  const int32_t started = Init(ProgramStartupRows());
  SetLogSink(previous);
  if (started != 0) {
    std::fprintf(stderr, "start-up failed (is there an X server?)\n");
    return 1;
  }

  std::vector<double> tickTimes;
  tickTimes.reserve(static_cast<size_t>(kRunSeconds * 70));
  std::vector<TickStage> stages = ProgramTickStages();
  stages.push_back({"bench", [&tickTimes](const TickTime&) {
                      tickTimes.push_back(WallClock());
                      if (tickTimes.back() - tickTimes.front() >= kRunSeconds) gQuit = true;
                    }});
  CountingHandlers handlers;
  AllegroEventSource events(gEventQueue);
  GameLoop loop(events, handlers, std::move(stages));
  gQuit = false;
  al_start_timer(gTimer);
  loop.Run();

  double longestGap = 0.0;
  for (size_t i = 1; i < tickTimes.size(); ++i) {
    longestGap = std::max(longestGap, tickTimes[i] - tickTimes[i - 1]);
  }
  const double seconds = tickTimes.back() - tickTimes.front();
  std::printf("mode: %s, window %dx%d\n", gOpenGLMode ? "OpenGL" : "Allegro", gScreenWidth,
              gScreenHeight);
  std::printf("ticks: %zu in %.3f s = %.2f ticks per second\n", tickTimes.size(), seconds,
              (tickTimes.size() - 1) / seconds);
  std::printf("longest gap between ticks: %.2f ms\n", longestGap * 1000.0);
  std::printf("frames drawn: %d (%.2f per second)\n", handlers.frames, handlers.frames / seconds);

  SetLogSink([](std::string_view) {});
  Cleanup();
  return 0;
}
