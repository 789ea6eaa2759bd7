#pragma once

#include <allegro5/allegro_font.h>

#include <lua.hpp>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/script/ScriptFamily.h"

class ImageObject;
class PaletteSet;
class PortraitHolder;
struct TextureFileRecord;

// What a data-library entry is. Every entry carries its kind, and a look-up for one kind never
// answers an entry of another.
enum class DataKind { Image, Palette, Font, Portrait, TextureRecord };

// One registered resource: exactly one of the kinds, never none.
using DataValue =
    std::variant<ImageObject*, PaletteSet*, ALLEGRO_FONT*, PortraitHolder*, TextureFileRecord*>;

DataKind KindOf(const DataValue& value);
// "image", "palette", "font", "portrait", "texture record".
const char* KindName(DataKind kind);

template <class T>
DataKind KindFor() {
  return KindOf(DataValue(static_cast<T*>(nullptr)));
}

// The value as that kind, none when it is another kind.
template <class T>
T* As(const DataValue& value) {
  T* const* held = std::get_if<T*>(&value);
  return held != nullptr ? *held : nullptr;
}

struct DataEntry {
  std::string name;
  DataValue value;
};

// The last level of the tree: named entries in the order they were registered.
class DataHeading {
 public:
  void Add(std::string name, DataValue value) { entries.push_back({std::move(name), value}); }
  // The first entry of that name, of any kind; none when absent.
  const DataEntry* Find(std::string_view name) const;
  // The first entry of that name and kind; none when there is none.
  template <class T>
  T* Find(std::string_view name) const {
    for (const DataEntry& entry : entries) {
      if (entry.name == name) {
        if (T* value = As<T>(entry.value)) return value;
      }
    }
    return nullptr;
  }
  const std::vector<DataEntry>& Entries() const { return entries; }

 private:
  std::vector<DataEntry> entries;
};

// A level of named lists (the root's sections, a section's catalogues, a catalogue's headings).
// Names need not be unique: look-ups take the first of a name.
template <class Child>
class DataLevel {
 public:
  Child* Add(std::string name) {
    children.emplace_back(std::move(name), std::make_unique<Child>());
    return children.back().second.get();
  }
  Child* Find(std::string_view name) const {
    for (const auto& [childName, child] : children) {
      if (childName == name) return child.get();
    }
    return nullptr;
  }
  const std::vector<std::pair<std::string, std::unique_ptr<Child>>>& Children() const {
    return children;
  }

 private:
  std::vector<std::pair<std::string, std::unique_ptr<Child>>> children;
};

using DataCatalogue = DataLevel<DataHeading>;
using DataSection = DataLevel<DataCatalogue>;

// The registry of loaded resources, named Root/section/catalogue/heading/name and looked up by
// that path or by the bare name. Scripts build the tree and fill it; nothing is ever removed.
// The library owns every resource registered in it and destroys them when it is destroyed (so
// before Allegro shuts down).
class DataLibrary {
 public:
  // Registers the "DL_" script functions on the Lua manager's state, when there is one.
  DataLibrary();
  ~DataLibrary();
  DataLibrary(const DataLibrary&) = delete;
  DataLibrary& operator=(const DataLibrary&) = delete;

  // Each new list becomes the active one of its level, whatever its parents. A missing parent
  // adds nothing and logs nothing.
  void AddSection(std::string_view name);
  void AddCatalogue(std::string_view section, std::string_view name);
  void AddHeading(std::string_view section, std::string_view catalogue, std::string_view name);

  // Look-ups by names; each missing level logs its line and answers none.
  DataSection* GetSection(std::string_view name) const;
  DataCatalogue* GetCatalogue(std::string_view section, std::string_view name) const;
  DataHeading* GetHeading(std::string_view section, std::string_view catalogue,
                          std::string_view name) const;
  // Look-ups in a list (none for a none list, silently).
  DataCatalogue* GetCatalogue(const DataSection* section, std::string_view name) const;
  DataHeading* GetHeading(const DataCatalogue* catalogue, std::string_view name) const;
  // Look-ups in the active section or catalogue; a missing name answers none silently.
  DataCatalogue* GetCatalogue(std::string_view name) const;
  DataHeading* GetHeading(std::string_view name) const;

  // The first entry of the path, any kind; the first missing level logs its line, a missing name
  // "DataLibrary:  Warning, Root/s/c/h/n does not exist".
  const DataEntry* GetEntry(std::string_view section, std::string_view catalogue,
                            std::string_view heading, std::string_view name) const;
  // The first entry of the path of that kind. When the name exists only with other kinds, logs
  // "DataLibrary:  Warning, Root/s/c/h/n is not a <kind>".
  template <class T>
  T* GetEntry(std::string_view section, std::string_view catalogue, std::string_view heading,
              std::string_view name) const {
    const DataHeading* found = FindHeading(section, catalogue, heading);
    if (found == nullptr) return nullptr;
    if (T* value = found->Find<T>(name)) return value;
    LogMissing(section, catalogue, heading, name,
               found->Find(name) != nullptr ? KindName(KindFor<T>()) : nullptr);
    return nullptr;
  }

  // The same look-up, silent: none when any level or the name is missing (for resources that a
  // game may leave out).
  template <class T>
  T* FindEntry(std::string_view section, std::string_view catalogue, std::string_view heading,
               std::string_view name) const {
    const DataSection* inSection = root.Find(section);
    const DataCatalogue* inCatalogue = inSection != nullptr ? inSection->Find(catalogue) : nullptr;
    const DataHeading* inHeading = inCatalogue != nullptr ? inCatalogue->Find(heading) : nullptr;
    return inHeading != nullptr ? inHeading->Find<T>(name) : nullptr;
  }

  // The first entry of that name anywhere, depth-first in the order things were added; silent.
  const DataEntry* FindByName(std::string_view name) const;
  // The first entry of that name and kind anywhere, passing over entries of other kinds.
  template <class T>
  T* FindByName(std::string_view name) const {
    T* found = nullptr;
    Walk([&](const DataHeading& heading) { return (found = heading.Find<T>(name)) != nullptr; });
    return found;
  }

  // Registers the resource at the path; the library then owns it (so a resource is registered
  // once). A none resource logs
  // "DataLibrary - Register:  Warning, Pointer <name> did not exist when registered"; a missing
  // level logs its line. Answers whether it was registered (the caller keeps it otherwise).
  bool Register(std::string_view section, std::string_view catalogue, std::string_view heading,
                std::string_view name, DataValue value);
  // Registers under the most recently added heading; silently nothing when the resource is none
  // or no heading was added yet. Answers whether it was registered.
  bool RegisterInActiveHeading(std::string_view name, DataValue value);

  // The active object becomes the entry of the path, or none when it is missing.
  void SetActiveObject(std::string_view section, std::string_view catalogue,
                       std::string_view heading, std::string_view name);
  const std::optional<DataValue>& GetActiveObject() const { return activeObject; }

  const DataLevel<DataSection>& Root() const { return root; }

 private:
  // The heading as GetEntry reaches it: GetSection, then the list forms.
  DataHeading* FindHeading(std::string_view section, std::string_view catalogue,
                           std::string_view heading) const;
  // Logs the missing-name line, or the wrong-kind line when a kind name is given.
  static void LogMissing(std::string_view section, std::string_view catalogue,
                         std::string_view heading, std::string_view name, const char* kind);
  // Visits headings depth-first until the visitor answers true.
  template <class Visit>
  void Walk(Visit visit) const {
    for (const auto& section : root.Children()) {
      for (const auto& catalogue : section.second->Children()) {
        for (const auto& heading : catalogue.second->Children()) {
          if (visit(*heading.second)) return;
        }
      }
    }
  }

  DataLevel<DataSection> root;
  std::optional<DataValue> activeObject;
  DataSection* activeSection = nullptr;
  DataCatalogue* activeCatalogue = nullptr;
  DataHeading* activeHeading = nullptr;
};

// Destroys a resource that was not registered (the library destroys its own).
void DestroyDataValue(const DataValue& value);
bool IsNone(const DataValue& value);

// The ten "DL_" functions; the data library's constructor registers them.
extern const ScriptFamily kDataLibraryFamily;
