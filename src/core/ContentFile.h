#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Content written for Windows names folders with "\"; every path that comes from a script or a
// data file is opened through here so that both separators work.

// The path with every "\" turned into "/".
std::string ContentPath(std::string_view path);

// fopen of the content path; none for a missing path.
FILE* OpenContentFile(const char* path, const char* mode);
