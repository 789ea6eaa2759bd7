#pragma once

#include <allegro5/allegro_font.h>

#include <cstdint>
#include <optional>
#include <string>

// A condition in the world and the script that runs when it holds. Triggers start armed and
// enabled, with the script "Nothing" once their manager has set them up, the argument -1 as the
// script code, no delay and neither once nor no-repeat-without-exit.
class Trigger {
 public:
  static constexpr int32_t kRectangular = 1;
  static constexpr int32_t kRadial = 2;
  static constexpr int32_t kProperty = 3;

  // What Update answers.
  static constexpr int32_t kFiredAndDone = 1;
  static constexpr int32_t kHeld = 0;
  static constexpr int32_t kNotHeld = -1;

  virtual ~Trigger() = default;
  Trigger(const Trigger&) = delete;
  Trigger& operator=(const Trigger&) = delete;

  // One tick: kFiredAndDone when it fired and is to be removed, kHeld when its condition held and
  // it stays (fired, or disarmed), kNotHeld when the condition did not hold.
  virtual int32_t Update(float elapsed) = 0;
  // White text lines from the line position (8 pixels apart) onto the current target; the
  // position moves past them. Without a font nothing is drawn, the position moves all the same.
  virtual void DebugDraw(const ALLEGRO_FONT* font, int32_t& line, int32_t index) = 0;
  // Does nothing, in every kind.
  virtual void WatchProperty(const char* text, int32_t number) {
    (void)text;
    (void)number;
  }

  // A copy of the name; script none, enabled, armed, argument -1.
  void SetName(const char* name);
  // Each value but its sentinel is stored ("~NOEDIT", -1000, -1000.0, -1000, -1000; once and
  // no-repeat become 0 or 1), then the values are logged as "Set to ...".
  void SetProperties(const char* script, int32_t argument, float delay, int32_t once,
                     int32_t noRepeat);
  // Runs the script when enabled and armed: kFiredAndDone for a once trigger, else kHeld (a
  // no-repeat trigger disarming). Disarmed: kHeld, nothing runs.
  int32_t Fire();

  int32_t GetKind() const { return kind; }
  const std::string& GetName() const { return name; }
  const std::optional<std::string>& GetScript() const { return script; }
  int32_t GetArgument() const { return argument; }
  float GetDelay() const { return delay; }
  bool IsOnce() const { return once; }
  bool IsNoRepeatWithoutExit() const { return noRepeat; }
  bool IsArmed() const { return armed; }
  bool IsReady() const { return ready; }

 protected:
  explicit Trigger(int32_t kind) : kind(kind) {}

  // The delay counts down by the time given and holds nothing back.
  void CountDelay(float elapsed);
  void Rearm() { armed = true; }
  bool IsSuspended() const { return suspended; }
  // One white line at x 0 and the line position, which moves down 8 pixels.
  static void DrawLine(const ALLEGRO_FONT* font, int32_t& line, const char* format, ...)
      __attribute__((format(printf, 3, 4)));

 private:
  std::string name;
  float delay = 0.0f;
  bool once = false;
  bool noRepeat = false;
  bool ready = false;
  bool armed = true;
  bool enabled = true;
  std::optional<std::string> script;
  int32_t argument = -1;
  int32_t kind;
  bool suspended = false;
};
