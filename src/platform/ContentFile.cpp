#include "platform/ContentFile.h"

#include <sys/stat.h>

#include <algorithm>

std::string ContentPath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

bool IsSpecialFile(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

FILE* OpenContentFile(const char* path, const char* mode) {
  if (path == nullptr) return nullptr;
  const std::string content = ContentPath(path);
  if (IsSpecialFile(content)) return nullptr;
  return std::fopen(content.c_str(), mode);
}

bool CanOpenContentFile(const char* path) {
  FILE* file = OpenContentFile(path, "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}
