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

std::optional<std::vector<uint8_t>> ReadContentFile(const char* path) {
  FILE* file = OpenContentFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(file);
  return bytes;
}
