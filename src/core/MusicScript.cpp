// The music manager's script functions. None returns a result. They come in three shapes (a
// name; a name and a path; a name, a volume and a loop switch), each made from one template with
// the function's own label and operation.

#include "core/Globals.h"
#include "core/MusicManager.h"
#include "core/script/ScriptCall.h"

namespace {

using NameOperation = void (MusicManager::*)(std::string_view);
using LoadOperation = void (MusicManager::*)(std::string_view, const char*);
using EditOperation = void (MusicManager::*)(std::string_view, float, bool);

template <const char* Label, NameOperation Operation>
int NameFunction(lua_State* state) {
  ScriptCall call(state, Label);
  const char* name;
  if (MusicManager* music = call.Begin(1, gMusicManager, name)) (music->*Operation)(name);
  return 0;
}

template <const char* Label, LoadOperation Operation>
int LoadFunction(lua_State* state) {
  ScriptCall call(state, Label);
  const char* name;
  const char* path;
  if (MusicManager* music = call.Begin(2, gMusicManager, name, path)) {
    (music->*Operation)(name, path);
  }
  return 0;
}

template <const char* Label, EditOperation Operation>
int EditFunction(lua_State* state) {
  ScriptCall call(state, Label);
  const char* name;
  if (MusicManager* music = call.Begin(3, gMusicManager, name)) {
    (music->*Operation)(name, call.Float(2), call.Flag(3));
  }
  return 0;
}

int PlayActiveSong(lua_State* state) {
  ScriptCall call(state, "PlayActiveSong");
  if (MusicManager* music = call.Begin(Arity::Any(), gMusicManager)) music->PlayActiveSong();
  return 0;
}

constexpr char kLoadSong[] = "LoadSong";
constexpr char kSetActiveSong[] = "SetActiveSong";
constexpr char kEditMusic[] = "MM EditMusic";
constexpr char kLoadSound[] = "MM LoadSound";
constexpr char kPlaySound[] = "MM PlaySound";
constexpr char kEditSound[] = "MM EditSound";

const ScriptFunction kMusicFunctions[] = {
    ScriptEntry<LoadFunction<kLoadSong, &MusicManager::LoadSong>>("LoadSong"),
    ScriptEntry<NameFunction<kSetActiveSong, &MusicManager::SetActiveSong>>("SetActiveSong"),
    ScriptEntry<PlayActiveSong>("PlayActiveSong"),
    ScriptEntry<EditFunction<kEditMusic, &MusicManager::EditMusic>>("MM_EditMusic"),
    ScriptEntry<LoadFunction<kLoadSound, &MusicManager::LoadSound>>("MM_LoadSound"),
    ScriptEntry<NameFunction<kPlaySound, &MusicManager::PlaySound>>("MM_PlaySound"),
    ScriptEntry<EditFunction<kEditSound, &MusicManager::EditSound>>("MM_EditSound"),
};

}  // namespace

const ScriptFamily kMusicFamily = {"Music", ScriptTiming::WithLuaManager, kMusicFunctions};
