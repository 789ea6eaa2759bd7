#pragma once

#include <cstdint>
#include <functional>
#include <span>

// One step of drawing a frame, into the back buffer that is the drawing target then.
struct DrawStage {
  const char* name;
  std::function<void()> draw;
};

// The display record: the size the window was asked for. The Allegro display itself is the global
// gDisplay.
class DisplayManager {
 public:
  // Creates the window of that size (windowed, with OpenGL in OpenGL mode), black, titled
  // "Quillmere-Online". When it cannot be created (also when a side is below 1, past what the
  // window system holds or past the display's largest bitmap), logs the two display failure
  // lines, sets the quit flag and leaves gDisplay none; the record is built either way.
  DisplayManager(int32_t width, int32_t height);
  DisplayManager(const DisplayManager&) = delete;
  DisplayManager& operator=(const DisplayManager&) = delete;

  // Draws one frame into the back buffer, stage by stage in order, and shows it. Without a display
  // logs "Display was not created yet.\n" and draws nothing.
  void DrawFrame(std::span<const DrawStage> stages);

 private:
  [[maybe_unused]] int32_t width;
  [[maybe_unused]] int32_t height;
};
