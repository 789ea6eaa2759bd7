#pragma once

#include <string>
#include <vector>

#include "core/Log.h"

// Collects everything logged while it lives, then puts the previous sink back.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Everything logged so far, byte for byte.
  const std::string& Text() const { return text; }
  // The logged text split after each "\n" (each line keeps its "\n"; a last partial line too).
  std::vector<std::string> Lines() const;
  bool Contains(const std::string& fragment) const;
  void Clear() { text.clear(); }

 private:
  std::string text;
  LogSink previous;
};
