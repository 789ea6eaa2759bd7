#pragma once

#include <functional>
#include <string_view>

// The one log of the program: printf-style text to standard error. Every line the system writes
// goes through here, so tests can swap the sink and compare the exact bytes.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

using LogSink = std::function<void(std::string_view text)>;

// Replaces where log text goes; an empty sink restores standard error. Answers the previous sink.
LogSink SetLogSink(LogSink sink);
