#pragma once

#include <cstdint>
#include <cstdio>

// The program's fixed scratch files ("ActiveImageFile.tmp", "ActiveChunks.pcf") live under fixed
// names in the working directory, where anything may already stand: a FIFO would block the open,
// a symbolic link would have the program write through it, a hard link would have it truncate
// another file.

// A new, empty regular file at the name, opened for reading and writing ("w+b"). Whatever stood at
// the name is unlinked first (only the name: the target of a link is left alone), and the file is
// created exclusively and without following links, so nothing can slip in between. None when the
// name cannot be had (a folder stands there, the directory is read-only).
FILE* CreateTemporaryFile(const char* name);

// Removes the name (never a folder, never what a link points at); harmless when it is missing.
void RemoveTemporaryFile(const char* name);

// The bytes an unprivileged writer may still put in the working directory's filesystem; -1 when
// that cannot be told.
int64_t WorkingFolderFreeSpace();
