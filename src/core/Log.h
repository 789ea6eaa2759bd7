#pragma once

#include <cstdarg>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Longest text a "%s" logs: a longer one is cut there and "..." follows.
inline constexpr size_t kLogTextLimit = 64 * 1024;

// The one log of the program: printf-style text to standard error. Every line the system writes
// goes through here, so tests can swap the sink and compare the exact bytes. Texts of any length
// are safe: each "%s" text is read no further than the limit (or its precision).
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The text Log would write for these arguments, for callers that build a line in parts.
std::string FormatLogText(const char* format, va_list arguments);

using LogSink = std::function<void(std::string_view text)>;

// Replaces where log text goes; an empty sink restores standard error. Answers the previous sink.
LogSink SetLogSink(LogSink sink);
