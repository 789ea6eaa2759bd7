#include "core/ContentFile.h"

#include <algorithm>

std::string ContentPath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

FILE* OpenContentFile(const char* path, const char* mode) {
  if (path == nullptr) return nullptr;
  return std::fopen(ContentPath(path).c_str(), mode);
}
