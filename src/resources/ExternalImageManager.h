#pragma once

#include <cstdint>
#include <cstdio>
#include <lua.hpp>
#include <string>
#include <vector>

#include "core/script/ScriptFamily.h"
#include "resources/ImageContainerFormat.h"

class ImageObject;
class PaletteSet;

// Holds at most one open image container and extracts its images and palettes. A compressed
// container is inflated into "ActiveImageFile.tmp" in the working directory, which is read in its
// place while it is open and removed when it is closed. Containers are untrusted: a directory that
// does not fit the file or the bounds of ImageContainerFormat.h leaves the manager closed, and a
// record that does not fit is refused; each with one warning line. Extraction takes memory for the
// new image or palette and little more. An exception (running out of memory) leaves the manager
// closed or the container open as it was, never half-open.
class ExternalImageManager {
 public:
  // Registers the "EIM_" script functions on the Lua manager's state, when there is one.
  ExternalImageManager();
  ~ExternalImageManager();
  ExternalImageManager(const ExternalImageManager&) = delete;
  ExternalImageManager& operator=(const ExternalImageManager&) = delete;

  // Opens a compressed container: closes any open one first, inflates the file into the
  // temporary file and reads the directory from it. An inflate error is logged and what was
  // inflated is kept; a file that does not open (silently), one that inflates past the largest
  // container or a directory that does not fit leaves the manager closed, the temporary file
  // removed.
  void OpenFile(const char* path);
  // Opens a plain container in place (read-only), closing any open one first.
  void OpenFileUncompressed(const char* path);
  // Closes the file (removing the temporary file of a compressed container) and forgets the
  // directory; harmless when nothing is open.
  void CloseFile();

  bool IsOpen() const { return file != nullptr; }

  // A new image of the named record (the caller owns it), or none with a warning line: no file
  // open, no such name (the first entry of a name wins), or a record that does not fit the file.
  // The image is the current Allegro target afterwards.
  ImageObject* GetBitmapFromActiveFile(const char* name);
  // The image of the first entry with this record offset, read at that offset; none with the
  // "(L) ... not found" line when no entry has it (also when no container is open).
  ImageObject* GetBitmapFromActiveFile(int32_t offset);
  // A new palette set of the named record (the caller owns it), or none: silently with no file
  // open, with a warning line for a missing name or a record that does not fit the file.
  PaletteSet* GetPaletteFromActiveFile(const char* name);

  int32_t GetEntryCount() const { return static_cast<int32_t>(entries.size()); }
  const std::vector<DirectoryEntry>& GetEntries() const { return entries; }

 private:
  // Takes the opened file and reads its directory; closes everything when it does not fit.
  void ReadOpenedDirectory(const char* operation, const char* path, int64_t headerSize);
  // The first entry of that name; none after the "not found" warning.
  const DirectoryEntry* FindEntry(const char* name) const;
  ImageObject* LoadImage(const DirectoryEntry& entry);
  // Runs a step of an open; when it throws, closes everything before the exception goes on.
  template <class Step>
  void OpenedOrClosed(Step step);

  bool isTemporary = false;
  FILE* file = nullptr;
  int64_t fileSize = 0;
  std::vector<DirectoryEntry> entries;
  std::vector<uint8_t> band;  // a few columns of pixels, reused from one extraction to the next
};

// Reads the image record at the offset of an open container file of that size into a new image
// (the caller owns it), which is the current Allegro target afterwards; `band` is scratch memory
// kept between calls. None, with one warning line that starts with lineStart and names the
// record, when the record does not fit the file or no bitmap can be made or locked.
ImageObject* ExtractImage(FILE* file, int64_t fileSize, uint32_t offset, const char* name,
                          const char* lineStart, std::vector<uint8_t>& band);

// "EIM_OpenFile", "EIM_OpenFileUncompressed", "EIM_CloseFile"; the image container manager's
// constructor registers them.
extern const ScriptFamily kImageContainerFamily;
