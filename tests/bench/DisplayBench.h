#pragma once

// What the benchmarks that draw share: their one argument, the shared OpenGL display, solid
// images, and the frame loop they time.

#include <allegro5/allegro.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "core/Globals.h"
#include "resources/ImageObject.h"
#include "support/GLDisplay.h"

// The seconds a measurement runs: the first argument, 3 without one.
inline double BenchSeconds(int argc, char** argv) { return argc > 1 ? std::atof(argv[1]) : 3.0; }

// Opens the shared OpenGL display; without one, says why on standard error and answers false.
inline bool OpenBenchDisplay(int width, int height) {
  if (SharedGLDisplay(width, height) != nullptr) return true;
  std::fprintf(stderr, "no OpenGL display: %s\n",
               GLDisplayError().empty() ? "DISPLAY is not set" : GLDisplayError().c_str());
  return false;
}

// A new image of one colour, made for the road gOpenGLMode selects; the caller owns it.
inline ImageObject* SolidImage(int width, int height, ALLEGRO_COLOR colour) {
  auto* image = new ImageObject();
  image->Create(width, height, &gOpenGLMode);
  image->SetAsTarget();
  al_clear_to_color(colour);
  return image;
}

// Frames per second over `seconds`; each frame starts the GL quads afresh, runs `frame` and flips.
inline double FramesPerSecond(const std::function<void()>& frame, double seconds) {
  int frames = 0;
  const double start = al_get_time();
  double now = start;
  while (now - start < seconds) {
    gGLQuadDepth = 0;
    frame();
    al_flip_display();
    ++frames;
    now = al_get_time();
  }
  return frames / (now - start);
}

// Milliseconds per frame over `seconds`; each frame draws into the wrapped back buffer.
inline double MillisecondsPerFrame(const std::function<void(ImageObject&)>& draw, double seconds) {
  ALLEGRO_DISPLAY* display = al_get_current_display();
  return 1000.0 / FramesPerSecond(
                      [&] {
                        ImageObject frame;
                        frame.Wrap(al_get_backbuffer(display), &gOpenGLMode);
                        draw(frame);
                      },
                      seconds);
}
