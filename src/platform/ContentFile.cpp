#include "platform/ContentFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>

std::string ContentPath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

bool IsSpecialFile(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

namespace {

// Coarser than any filesystem's timestamp grain (FAT keeps two seconds) plus the kernel's coarse
// clock that stamps writes.
constexpr int64_t kSettledNs = 3'000'000'000;

int64_t Nanoseconds(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

ContentStamp StampContentFile(const std::string& path) {
  ContentStamp stamp;
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return stamp;
  stamp.exists = true;
  stamp.regular = S_ISREG(status.st_mode);
  stamp.device = status.st_dev;
  stamp.inode = status.st_ino;
  stamp.size = status.st_size;
  stamp.modifiedNs = Nanoseconds(status.st_mtim);
  stamp.changedNs = Nanoseconds(status.st_ctim);
  return stamp;
}

bool IsSettled(const ContentStamp& stamp) {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return stamp.exists && stamp.modifiedNs < Nanoseconds(now) - kSettledNs;
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
