#pragma once

#include <cstdint>
#include <optional>

// Keeps a line that would repeat every frame or tick for the same object and cause from burying
// the log: one per object; the cause's line is logged the first time, and again only after the
// object has succeeded in between (or failed for another cause).
class RepeatedFailure {
 public:
  // Whether the line of this cause is to be logged now.
  bool Fails(int64_t cause) {
    if (last == cause) return false;
    last = cause;
    return true;
  }
  void Succeeded() { last.reset(); }

 private:
  std::optional<int64_t> last;
};
