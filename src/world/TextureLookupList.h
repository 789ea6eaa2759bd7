#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world/IsoTileTexture.h"

class DataHeading;

// The map manager's tile textures: which texture name lies where in which texture container, the
// textures an isometric map file asks for, queued per container, and the loaded textures in the
// slots that the map's faces index.
class TextureLookupList {
 public:
  // The container name that the records and the queue carry in their log lines, whatever path the
  // data library gives.
  static constexpr const char* kStandardFile = "Data/StandardTextures.sif";

  TextureLookupList();
  ~TextureLookupList();
  TextureLookupList(const TextureLookupList&) = delete;
  TextureLookupList& operator=(const TextureLookupList&) = delete;

  // Reads the directory of the heading's "StandardTextures" texture file into the list (with one
  // "Registered Lookup" line per entry), after a new empty queue for that file. Building again
  // adds a second set; look-ups find the first. Warns and does nothing without a heading or
  // without that entry.
  void BuildLookupList(const DataHeading* heading);
  // Queues a known name for loading into the slot (one line); an unknown name does nothing.
  // Every call is its own occurrence: a name queued twice loads into both slots.
  void QueueTexture(const char* name, int32_t slot);
  // Makes a new slot array that holds every queued slot, and loads each queued texture from the
  // container it was listed in, opened at its real path. A texture whose image cannot be read
  // leaves its slot empty.
  void LoadQueuedTextures();
  // Empties every queue; the lookups stay.
  void ClearTextureQueues();
  // Destroys every loaded texture and the slot array; the queued count goes back to 0.
  void FreeTextures();

  // Textures queued since the queues were last cleared and freed.
  int32_t GetQueuedTextureCount() const { return queuedCount; }
  // Slot i holds the texture of the map's texture number i, or none.
  const std::vector<std::unique_ptr<IsoTileTexture>>& GetTextureSlots() const { return slots; }

  struct Lookup {
    std::string name;
    std::string fileName;  // always kStandardFile
    int32_t offset;
    size_t file;  // the queue of the container it was listed in (every build names it alike)
  };
  const std::vector<Lookup>& GetLookups() const { return lookups; }

 private:
  struct Queued {
    size_t lookup;
    int32_t slot;
  };
  struct FileQueue {
    std::string name;
    std::string path;  // where its offsets were read
    std::vector<Queued> queue;
  };

  std::vector<Lookup> lookups;
  std::vector<FileQueue> files;
  int32_t queuedCount = 0;
  std::vector<std::unique_ptr<IsoTileTexture>> slots;
};
