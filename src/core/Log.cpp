#include "core/Log.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

LogSink& CurrentSink() {
  static LogSink sink;
  return sink;
}

// Appends one conversion, formatted alone, so no piece can outgrow what printf counts in an int.
template <typename T>
void AppendFormatted(std::string& out, const std::string& piece, T value) {
  const int length = std::snprintf(nullptr, 0, piece.c_str(), value);
  if (length <= 0) return;
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(length) + 1);
  std::snprintf(out.data() + at, static_cast<size_t>(length) + 1, piece.c_str(), value);
  out.resize(at + static_cast<size_t>(length));
}

void AppendText(std::string& out, const std::string& piece, const char* text, int precision) {
  if (text == nullptr) {
    AppendFormatted(out, piece, text);
    return;
  }
  // Never measured past the cut: a script's text can be gigabytes long.
  const size_t limit = precision >= 0 ? static_cast<size_t>(precision) : kLogTextLimit + 1;
  const size_t length = strnlen(text, limit);
  if (precision < 0 && length > kLogTextLimit) {
    const std::string cut = std::string(text, kLogTextLimit) + "...";
    AppendFormatted(out, piece, cut.c_str());
    return;
  }
  const std::string whole(text, length);
  AppendFormatted(out, piece, whole.c_str());
}

enum class Size { kDefault, kChar, kShort, kLong, kLongLong, kMax, kSize, kPtrDiff, kLongDouble };

// Longer modifiers first, so "hh" is not read as "h".
constexpr std::pair<const char*, Size> kSizeModifiers[] = {
    {"hh", Size::kChar}, {"h", Size::kShort},    {"ll", Size::kLongLong},
    {"l", Size::kLong},  {"q", Size::kLongLong}, {"j", Size::kMax},
    {"z", Size::kSize},  {"t", Size::kPtrDiff},  {"L", Size::kLongDouble},
};

// An integer argument of the type the size modifier names (char and short come as Plain).
template <typename Plain, typename Long, typename LongLong, typename Max, typename Size_>
void AppendInteger(std::string& out, const std::string& piece, Size size, va_list& args) {
  if (size == Size::kLong) {
    AppendFormatted(out, piece, va_arg(args, Long));
  } else if (size == Size::kLongLong) {
    AppendFormatted(out, piece, va_arg(args, LongLong));
  } else if (size == Size::kMax) {
    AppendFormatted(out, piece, va_arg(args, Max));
  } else if (size == Size::kSize || size == Size::kPtrDiff) {
    AppendFormatted(out, piece, va_arg(args, Size_));
  } else {
    AppendFormatted(out, piece, va_arg(args, Plain));
  }
}

// One conversion of the format at `format` (just past its '%'), its arguments taken from `args`;
// answers the first character after it.
const char* AppendConversion(std::string& out, const char* format, va_list& args) {
  std::string piece = "%";
  const char* p = format;
  while (*p != '\0' && std::strchr("-+ #0'", *p) != nullptr) piece += *p++;
  if (*p == '*') {
    piece += std::to_string(va_arg(args, int));
    ++p;
  } else {
    while (*p >= '0' && *p <= '9') piece += *p++;
  }
  int precision = -1;
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      precision = va_arg(args, int);
      ++p;
    } else {
      precision = 0;
      while (*p >= '0' && *p <= '9') {
        if (precision < 100000000) precision = precision * 10 + (*p - '0');
        ++p;
      }
    }
    // A negative precision counts as none.
    if (precision >= 0) piece += "." + std::to_string(precision);
  }
  Size size = Size::kDefault;
  std::string modifier;
  for (const auto& [text, meaning] : kSizeModifiers) {
    if (std::strncmp(p, text, std::strlen(text)) == 0) {
      size = meaning;
      modifier = text;
      p += modifier.size();
      break;
    }
  }
  const char conversion = *p;
  if (conversion == '\0') return p;
  piece += modifier;
  piece += conversion;
  ++p;

  switch (conversion) {
    case 'd':
    case 'i':
      AppendInteger<int, long, long long, intmax_t, ptrdiff_t>(out, piece, size, args);
      break;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      AppendInteger<unsigned, unsigned long, unsigned long long, uintmax_t, size_t>(out, piece,
                                                                                    size, args);
      break;
    case 'c':
      AppendFormatted(out, piece, va_arg(args, int));
      break;
    case 's':
      AppendText(out, piece, va_arg(args, const char*), precision);
      break;
    case 'p':
      AppendFormatted(out, piece, va_arg(args, void*));
      break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
      if (size == Size::kLongDouble) {
        AppendFormatted(out, piece, va_arg(args, long double));
      } else {
        AppendFormatted(out, piece, va_arg(args, double));
      }
      break;
    case 'n':
      (void)va_arg(args, void*);  // writes nothing anywhere
      break;
    case '%':
      out += '%';
      break;
    default:
      out += piece;  // not a conversion: kept as written
      break;
  }
  return p;
}

}  // namespace

std::string FormatLogText(const char* format, va_list args) {
  std::string out;
  if (format == nullptr) return out;
  va_list own;
  va_copy(own, args);
  const char* p = format;
  while (*p != '\0') {
    const char* percent = std::strchr(p, '%');
    if (percent == nullptr) {
      out += p;
      break;
    }
    out.append(p, static_cast<size_t>(percent - p));
    p = AppendConversion(out, percent + 1, own);
  }
  va_end(own);
  return out;
}

void Log(const char* format, ...) {
  if (format == nullptr) return;
  va_list args;
  va_start(args, format);
  const std::string text = FormatLogText(format, args);
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
