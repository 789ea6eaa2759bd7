// The data library's script functions: building the tree, choosing the active object and the
// loaders that register images, palettes, fonts, portraits and texture files.

#include <allegro5/allegro_ttf.h>

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "platform/ContentFile.h"
#include "platform/MemoryFile.h"
#include "resources/DataLibrary.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "resources/PaletteSet.h"
#include "resources/PortraitHolder.h"
#include "resources/TextureFileRecord.h"

namespace {

// Registers at the path the texts name, destroying what could not be registered.
void RegisterAt(DataLibrary& library, const char* const* path, DataValue value) {
  if (!library.Register(path[0], path[1], path[2], path[3], value)) DestroyDataValue(value);
}

void RegisterInActiveHeading(DataLibrary& library, const char* name, DataValue value) {
  if (!library.RegisterInActiveHeading(name, value)) DestroyDataValue(value);
}

int DL_AddSection(lua_State* state) {
  ScriptCall call(state, "DL_AddSection");
  const char* section;
  if (DataLibrary* library = call.Begin(1, gDataLibrary, section)) library->AddSection(section);
  return 0;
}

int DL_AddCatalogue(lua_State* state) {
  ScriptCall call(state, "DL_AddCatalogue");
  const char* section;
  const char* catalogue;
  if (DataLibrary* library = call.Begin(2, gDataLibrary, section, catalogue)) {
    library->AddCatalogue(section, catalogue);
  }
  return 0;
}

int DL_AddHeading(lua_State* state) {
  ScriptCall call(state, "DL_AddHeading");
  const char* section;
  const char* catalogue;
  const char* heading;
  if (DataLibrary* library = call.Begin(3, gDataLibrary, section, catalogue, heading)) {
    library->AddHeading(section, catalogue, heading);
  }
  return 0;
}

int DL_SetActiveObject(lua_State* state) {
  ScriptCall call(state, "DL_SetActiveObject");
  const char* path[4];
  if (DataLibrary* library = call.Begin(4, gDataLibrary, path)) {
    library->SetActiveObject(path[0], path[1], path[2], path[3]);
  }
  return 0;
}

// Section, catalogue, heading, name, then the file's path.
int DL_RegisterTextureFile(lua_State* state) {
  ScriptCall call(state, "DL_RegisterTextureFile");
  const char* texts[5];
  DataLibrary* library = call.Begin(5, gDataLibrary, texts);
  if (library == nullptr) return 0;
  if (!CanOpenContentFile(texts[4])) return call.Fail("file %s not found", texts[4]);
  RegisterAt(*library, texts, new TextureFileRecord{texts[4]});
  return 0;
}

// The loaders that read the open image container need both managers.
struct ContainerCall {
  DataLibrary* library = nullptr;
  ExternalImageManager* images = nullptr;
  explicit operator bool() const { return library != nullptr && images != nullptr; }
};

// Every argument the call has is a required text: all of them, or the first two in the short form.
ContainerCall BeginContainerCall(ScriptCall& call, std::span<const char*> texts,
                                 int shortForm = -1) {
  const int full = static_cast<int>(texts.size());
  ContainerCall managers;
  managers.library = call.Begin(Arity::Either(full, shortForm), gDataLibrary,
                                call.Count() == shortForm ? texts.first(2) : texts);
  if (managers.library != nullptr) managers.images = call.Require(gExternalImageManager);
  return managers;
}

// The two image loaders: the image's name, then the entry's name alone (registered under the
// active heading) or a longer form. Answers no image after the line that says why.
struct Extraction {
  DataLibrary* library = nullptr;
  ImageObject* image = nullptr;
};

Extraction ExtractImage(ScriptCall& call, std::span<const char*> texts) {
  const ContainerCall managers = BeginContainerCall(call, texts, 2);
  if (!managers) return {};
  ImageObject* image = managers.images->GetBitmapFromActiveFile(texts[0]);
  if (image == nullptr) call.Fail("no Bitmap named %s found", texts[0]);
  return {managers.library, image};
}

// Image name and entry name (active heading), or image name and the four parts of the path.
int DL_ExtractBitmap(lua_State* state) {
  ScriptCall call(state, "DL_ExtractBitmap");
  const char* texts[5];
  const auto [library, image] = ExtractImage(call, texts);
  if (image == nullptr) return 0;
  if (call.Count() == 2) {
    RegisterInActiveHeading(*library, texts[1], image);
  } else {
    RegisterAt(*library, texts + 1, image);
  }
  return 0;
}

// Image name and entry name: the palette is the active object. Image name, the entry's four path
// parts and the palette's four path parts: the palette is that entry.
int DL_ExtractBitmapWithPalette(lua_State* state) {
  ScriptCall call(state, "DL_ExtractBitmapWithPalette");
  const char* texts[9];
  const auto [library, image] = ExtractImage(call, texts);
  if (image == nullptr) return 0;
  if (call.Count() == 2) {
    const std::optional<DataValue>& active = library->GetActiveObject();
    const PaletteSet* palette = active ? As<PaletteSet>(*active) : nullptr;
    if (palette == nullptr) {
      call.Fail("no active Object to cast into a Palette");
      DestroyDataValue(image);
      return 0;
    }
    image->BuildPaletteIndex(palette, GlobalPaletteNumberAddress());
    RegisterInActiveHeading(*library, texts[1], image);
    return 0;
  }
  const PaletteSet* palette = library->GetEntry<PaletteSet>(texts[5], texts[6], texts[7], texts[8]);
  image->BuildPaletteIndex(palette, GlobalPaletteNumberAddress());
  RegisterAt(*library, texts + 1, image);
  return 0;
}

// The loaders of one value from the open container: its name in the container, then the entry's
// path. Load answers what to register.
template <const char* Label, DataValue (*Load)(ExternalImageManager&, const char*)>
int ExtractNamed(lua_State* state) {
  ScriptCall call(state, Label);
  const char* texts[5];
  const ContainerCall managers = BeginContainerCall(call, texts);
  if (!managers) return 0;
  RegisterAt(*managers.library, texts + 1, Load(*managers.images, texts[0]));
  return 0;
}

DataValue LoadPalette(ExternalImageManager& images, const char* name) {
  return images.GetPaletteFromActiveFile(name);
}

// The holder is registered even when the image is missing.
DataValue LoadPortrait(ExternalImageManager&, const char* name) {
  auto* portrait = new PortraitHolder;
  portrait->LoadFromContainer(name);
  return portrait;
}

constexpr char kExtractPalette[] = "DL_ExtractPalette";
constexpr char kExtractPortrait[] = "DL_ExtractPortrait";

// Font file path, then the entry's path.
int DL_RegisterFont(lua_State* state) {
  ScriptCall call(state, "DL_RegisterFont");
  const char* texts[5];
  DataLibrary* library = call.Begin(5, gDataLibrary, texts);
  if (library == nullptr) return 0;
  // The font reads its glyphs from its file as long as it lives: it gets the file's bytes, so
  // that no registered font holds a descriptor. A FIFO is refused like a missing file.
  ALLEGRO_FONT* font = nullptr;
  if (std::optional<std::vector<uint8_t>> bytes = ReadContentFile(texts[0])) {
    // The font owns the handle from here on, and closes it even when it fails to load.
    ALLEGRO_FILE* file = OpenMemoryFile(std::move(*bytes));
    if (file != nullptr) font = al_load_ttf_font_f(file, ContentPath(texts[0]).c_str(), 16, 0);
  }
  RegisterAt(*library, texts + 1, font);
  return 0;
}

const ScriptFunction kDataLibraryFunctions[] = {
    // The tree.
    ScriptEntry<DL_AddSection>("DL_AddSection"),
    ScriptEntry<DL_AddCatalogue>("DL_AddCatalogue"),
    ScriptEntry<DL_AddHeading>("DL_AddHeading"),
    ScriptEntry<DL_SetActiveObject>("DL_SetActiveObject"),
    // The loaders.
    ScriptEntry<DL_RegisterTextureFile>("DL_RegisterTextureFile"),
    ScriptEntry<DL_ExtractBitmap>("DL_ExtractBitmap"),
    ScriptEntry<DL_ExtractBitmapWithPalette>("DL_ExtractBitmapWithPalette"),
    ScriptEntry<ExtractNamed<kExtractPalette, LoadPalette>>(kExtractPalette),
    ScriptEntry<DL_RegisterFont>("DL_RegisterFont"),
    ScriptEntry<ExtractNamed<kExtractPortrait, LoadPortrait>>(kExtractPortrait),
};

}  // namespace

const ScriptFamily kDataLibraryFamily = {"DataLibrary", ScriptTiming::WithManager,
                                         kDataLibraryFunctions};
