#include "core/Log.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>

namespace {
LogSink& CurrentSink() {
  static LogSink sink;
  return sink;
}
}  // namespace

void Log(const char* format, ...) {
  if (format == nullptr) return;
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length < 0) {
    va_end(args);
    return;
  }
  std::string text(static_cast<size_t>(length), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);

  LogSink& sink = CurrentSink();
  if (sink) {
    sink(text);
  } else {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }
}

LogSink SetLogSink(LogSink sink) { return std::exchange(CurrentSink(), std::move(sink)); }
