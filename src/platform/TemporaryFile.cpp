#include "platform/TemporaryFile.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

FILE* CreateTemporaryFile(const char* name) {
  // unlink removes anything but a folder without opening it; a folder makes the open fail below.
  unlink(name);
  const int fd = open(name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  FILE* file = fdopen(fd, "w+b");
  if (file == nullptr) {
    close(fd);
    unlink(name);
  }
  return file;
}

void RemoveTemporaryFile(const char* name) { unlink(name); }

int64_t WorkingFolderFreeSpace() {
  struct statvfs status {};
  if (statvfs(".", &status) != 0) return -1;
  const uint64_t bytes = static_cast<uint64_t>(status.f_bavail) * status.f_frsize;
  return bytes > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(bytes);
}
