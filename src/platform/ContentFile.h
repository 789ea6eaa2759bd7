#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Content written for Windows names folders with "\"; every path that comes from a script or a
// data file is opened through here so that both separators work.

// The path with every "\" turned into "/".
std::string ContentPath(std::string_view path);

// Whether the path (taken as it is) names something that exists but is not a regular file: a
// folder, a FIFO, a device. Opening a FIFO blocks until a writer comes and a device such as
// /dev/zero never ends, so such paths are refused wherever a script or a data file names a file.
bool IsSpecialFile(const std::string& path);

// What a path's status tells of the file's version. Rewriting, replacing or touching the file
// changes the stamp, except a rewrite of the same size within the filesystem's timestamp grain,
// which keeps both times: only a settled stamp rules that out.
struct ContentStamp {
  bool exists = false;
  bool regular = false;
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modifiedNs = 0;
  int64_t changedNs = 0;

  bool SameVersion(const ContentStamp& other) const {
    return exists && other.exists && device == other.device && inode == other.inode &&
           size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
  }
};

// One stat of the path (taken as it is); a path that is not there answers exists false.
ContentStamp StampContentFile(const std::string& path);

// Whether the modification time lies further in the past than any timestamp grain, so that no
// rewrite from now on can leave it as it is.
bool IsSettled(const ContentStamp& stamp);

// fopen of the content path; none for a missing path and for one that IsSpecialFile refuses.
FILE* OpenContentFile(const char* path, const char* mode);

// Whether OpenContentFile would open the path for reading.
bool CanOpenContentFile(const char* path);

// The whole file that OpenContentFile opens, read and closed again; none when it does not open.
std::optional<std::vector<uint8_t>> ReadContentFile(const char* path);
