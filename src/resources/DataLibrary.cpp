#include "resources/DataLibrary.h"

#include <string>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "resources/PortraitHolder.h"
#include "resources/TextureFileRecord.h"

namespace {

// Log arguments are C strings; names are views.
std::string Text(std::string_view view) { return std::string(view); }

// The first child of that name in the level; none silently when there is no level, and none with
// "DataLibrary - <operation>:  Failed, <name> not found" when the name is missing.
template <class Level>
auto FindLogged(const Level* level, std::string_view name, const char* operation)
    -> decltype(level->Find(name)) {
  if (level == nullptr) return nullptr;
  const auto found = level->Find(name);
  if (found == nullptr) {
    Log("DataLibrary - %s:  Failed, %s not found\n", operation, Text(name).c_str());
  }
  return found;
}

}  // namespace

DataKind KindOf(const DataValue& value) { return static_cast<DataKind>(value.index()); }

const char* KindName(DataKind kind) {
  switch (kind) {
    case DataKind::Image:
      return "image";
    case DataKind::Palette:
      return "palette";
    case DataKind::Font:
      return "font";
    case DataKind::Portrait:
      return "portrait";
    case DataKind::TextureRecord:
      return "texture record";
  }
  return "resource";
}

bool IsNone(const DataValue& value) {
  return std::visit([](auto* pointer) { return pointer == nullptr; }, value);
}

void DestroyDataValue(const DataValue& value) {
  if (ImageObject* image = As<ImageObject>(value)) {
    delete image;
  } else if (PortraitHolder* portrait = As<PortraitHolder>(value)) {
    delete portrait;
  } else if (ALLEGRO_FONT* font = As<ALLEGRO_FONT>(value)) {
    al_destroy_font(font);
  } else {
    delete As<PaletteSet>(value);
    delete As<TextureFileRecord>(value);
  }
}

const DataEntry* DataHeading::Find(std::string_view name) const {
  for (const DataEntry& entry : entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

DataLibrary::DataLibrary() { RegisterWithLuaManager(kDataLibraryFamily); }

DataLibrary::~DataLibrary() {
  Walk([](const DataHeading& heading) {
    for (const DataEntry& entry : heading.Entries()) DestroyDataValue(entry.value);
    return false;
  });
}

void DataLibrary::AddSection(std::string_view name) { activeSection = root.Add(Text(name)); }

void DataLibrary::AddCatalogue(std::string_view section, std::string_view name) {
  DataSection* parent = root.Find(section);
  if (parent != nullptr) activeCatalogue = parent->Add(Text(name));
}

void DataLibrary::AddHeading(std::string_view section, std::string_view catalogue,
                             std::string_view name) {
  DataSection* grandparent = root.Find(section);
  DataCatalogue* parent = grandparent != nullptr ? grandparent->Find(catalogue) : nullptr;
  if (parent != nullptr) activeHeading = parent->Add(Text(name));
}

DataSection* DataLibrary::GetSection(std::string_view name) const {
  return FindLogged(&root, name, "GetSection(N)");
}

DataCatalogue* DataLibrary::GetCatalogue(std::string_view section, std::string_view name) const {
  return FindLogged(GetSection(section), name, "GetCatalogue(N)");
}

DataHeading* DataLibrary::GetHeading(std::string_view section, std::string_view catalogue,
                                     std::string_view name) const {
  return FindLogged(GetCatalogue(GetSection(section), catalogue), name, "GetHeading(N)");
}

DataCatalogue* DataLibrary::GetCatalogue(const DataSection* section, std::string_view name) const {
  return FindLogged(section, name, "GetCatalogue(B)");
}

DataHeading* DataLibrary::GetHeading(const DataCatalogue* catalogue, std::string_view name) const {
  return FindLogged(catalogue, name, "GetHeading(B)");
}

DataCatalogue* DataLibrary::GetCatalogue(std::string_view name) const {
  if (activeSection == nullptr) {
    Log("DataLibrary - GetCatalogue(A):  Failed, no Active Section\n");
    return nullptr;
  }
  return activeSection->Find(name);
}

DataHeading* DataLibrary::GetHeading(std::string_view name) const {
  if (activeCatalogue == nullptr) {
    Log("DataLibrary - GetHeading(A):  Failed, no Active Catalogue\n");
    return nullptr;
  }
  return activeCatalogue->Find(name);
}

DataHeading* DataLibrary::FindHeading(std::string_view section, std::string_view catalogue,
                                      std::string_view heading) const {
  return GetHeading(GetCatalogue(GetSection(section), catalogue), heading);
}

void DataLibrary::LogMissing(std::string_view section, std::string_view catalogue,
                             std::string_view heading, std::string_view name, const char* kind) {
  const std::string path =
      Text(section) + "/" + Text(catalogue) + "/" + Text(heading) + "/" + Text(name);
  if (kind == nullptr) {
    Log("DataLibrary:  Warning, Root/%s does not exist\n", path.c_str());
  } else {
    Log("DataLibrary:  Warning, Root/%s is not a %s\n", path.c_str(), kind);
  }
}

const DataEntry* DataLibrary::GetEntry(std::string_view section, std::string_view catalogue,
                                       std::string_view heading, std::string_view name) const {
  const DataHeading* found = FindHeading(section, catalogue, heading);
  if (found == nullptr) return nullptr;
  const DataEntry* entry = found->Find(name);
  if (entry == nullptr) LogMissing(section, catalogue, heading, name, nullptr);
  return entry;
}

const DataEntry* DataLibrary::FindByName(std::string_view name) const {
  const DataEntry* found = nullptr;
  Walk([&](const DataHeading& heading) { return (found = heading.Find(name)) != nullptr; });
  return found;
}

bool DataLibrary::Register(std::string_view section, std::string_view catalogue,
                           std::string_view heading, std::string_view name, DataValue value) {
  if (IsNone(value)) {
    Log("DataLibrary - Register:  Warning, Pointer %s did not exist when registered\n",
        Text(name).c_str());
    return false;
  }
  DataHeading* found = FindHeading(section, catalogue, heading);
  if (found == nullptr) return false;
  found->Add(Text(name), value);
  return true;
}

bool DataLibrary::RegisterInActiveHeading(std::string_view name, DataValue value) {
  if (IsNone(value) || activeHeading == nullptr) return false;
  activeHeading->Add(Text(name), value);
  return true;
}

void DataLibrary::SetActiveObject(std::string_view section, std::string_view catalogue,
                                  std::string_view heading, std::string_view name) {
  const DataEntry* entry = GetEntry(section, catalogue, heading, name);
  if (entry != nullptr) {
    activeObject = entry->value;
  } else {
    activeObject.reset();
  }
}
