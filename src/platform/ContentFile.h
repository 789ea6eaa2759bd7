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

// fopen of the content path; none for a missing path and for one that IsSpecialFile refuses.
FILE* OpenContentFile(const char* path, const char* mode);

// Whether OpenContentFile would open the path for reading.
bool CanOpenContentFile(const char* path);

// The whole file that OpenContentFile opens, read and closed again; none when it does not open.
std::optional<std::vector<uint8_t>> ReadContentFile(const char* path);
