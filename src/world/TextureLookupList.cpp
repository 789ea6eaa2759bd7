#include "world/TextureLookupList.h"

#include <algorithm>
#include <cstring>

#include "core/Log.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "resources/TextureFileRecord.h"
#include "world/TextureContainer.h"

TextureLookupList::TextureLookupList() = default;
TextureLookupList::~TextureLookupList() = default;

void TextureLookupList::BuildLookupList(const DataHeading* heading) {
  if (heading == nullptr) {
    Log("MapManager:  Warning, cannot build lookup list, rTextureFileHeading was invalid.\n");
    return;
  }
  const TextureFileRecord* record = heading->Find<TextureFileRecord>("StandardTextures");
  if (record == nullptr) {
    Log("MapManager:  Warning, no StandardTextures was found\n");
    return;
  }
  files.push_back({kStandardFile, record->path, {}});
  TextureContainer container;
  if (!container.Open(record->path)) return;
  for (const DirectoryEntry& entry : container.GetEntries()) {
    // Names are compared as the C strings they are stored as.
    const auto offset = static_cast<int32_t>(entry.offset);
    lookups.push_back({entry.name.c_str(), kStandardFile, offset, files.size() - 1});
    Log("Registered Lookup %s at %i in file %s\n", entry.name.c_str(), offset, kStandardFile);
  }
}

void TextureLookupList::QueueTexture(const char* name, int32_t slot) {
  if (name == nullptr) return;
  const auto lookup = std::find_if(lookups.begin(), lookups.end(),
                                   [name](const Lookup& l) { return l.name == name; });
  if (lookup == lookups.end()) return;
  FileQueue& file = files[lookup->file];
  file.queue.push_back({static_cast<size_t>(lookup - lookups.begin()), slot});
  Log("%s has been queued for loading in list %s in slot %i\n", name, file.name.c_str(), slot);
  ++queuedCount;
}

void TextureLookupList::LoadQueuedTextures() {
  // Names the lookups do not know are not counted, so the count alone may not reach the slots of
  // later names.
  int64_t size = queuedCount;
  for (const FileQueue& file : files) {
    for (const Queued& queued : file.queue)
      size = std::max<int64_t>(size, int64_t{queued.slot} + 1);
  }
  slots.clear();
  slots.resize(static_cast<size_t>(size));
  TextureContainer container;
  for (const FileQueue& file : files) {
    if (file.queue.empty() || !container.Open(file.path)) continue;
    for (const Queued& queued : file.queue) {
      if (queued.slot < 0) continue;
      const Lookup& lookup = lookups[queued.lookup];
      ImageObject* image = container.GetImageAt(static_cast<uint32_t>(lookup.offset));
      if (image == nullptr) continue;
      auto texture = std::make_unique<IsoTileTexture>();
      texture->CreateTexture(image);
      image->Destroy();
      delete image;
      slots[static_cast<size_t>(queued.slot)] = std::move(texture);
      Log("Loaded texture %s from file %s at location %i into slot %i\n", lookup.name.c_str(),
          file.name.c_str(), lookup.offset, queued.slot);
    }
    container.Close();
  }
}

void TextureLookupList::ClearTextureQueues() {
  for (FileQueue& file : files) file.queue.clear();
}

void TextureLookupList::FreeTextures() {
  slots.clear();
  slots.shrink_to_fit();
  queuedCount = 0;
}
