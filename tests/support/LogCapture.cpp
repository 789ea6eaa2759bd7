#include "support/LogCapture.h"

LogCapture::LogCapture() {
  previous = SetLogSink([this](std::string_view logged) { text.append(logged); });
}

LogCapture::~LogCapture() { SetLogSink(std::move(previous)); }

std::vector<std::string> LogCapture::Lines() const {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start + 1));
    start = end + 1;
  }
  return lines;
}

bool LogCapture::Contains(const std::string& fragment) const {
  return text.find(fragment) != std::string::npos;
}
