// Calls every script function that is registered today with hostile argument lists: once with the
// managers built as start-up builds them and once with the managers absent. No call may raise a
// Lua error, crash, hang or trip a sanitizer, and a script's text never acts as a log format.
//
// The names come from the program's family list, so a family that lands is swept as soon as it
// registers here. When your family lands: give its start-up row a builder in World and, when a
// valid call needs something to exist (a name, an open file), add it to World and seed rows to
// kSeeds; each seed is swept again with every hostile value in each position in turn.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ImageContainerWriter.h"
#include "actors/AIDrawingList.h"
#include "actors/AIFollowingPackage.h"
#include "actors/AIManager.h"
#include "actors/AISlidePathPackage.h"
#include "actors/AIValueScaleRouter.h"
#include "actors/ObjectManager.h"
#include "actors/Player.h"
#include "actors/ShooterMiniGameManager.h"
#include "actors/TargetRegistry.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/MusicManager.h"
#include "core/TimerManager.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"
#include "core/script/ScriptVariableStore.h"
#include "gui/ChatManager.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIDropMenu.h"
#include "gui/GUIImage.h"
#include "gui/GUIInputTextBox.h"
#include "gui/GUIList.h"
#include "gui/GUIManager.h"
#include "gui/GUIResizeWindow.h"
#include "gui/GUIScrollBar.h"
#include "gui/GUISmartImage.h"
#include "gui/GUISmartTextLine.h"
#include "program/ProgramScriptFamilies.h"
#include "program/ProgramStartup.h"
#include "resources/DataLibrary.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "resources/PathManager.h"
#include "support/AllegroHeadless.h"
#include "support/FakeAudioDevice.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/BackgroundManager.h"
#include "world/CameraManager.h"
#include "world/MapManager.h"
#include "world/TriggerManager.h"

namespace {

using namespace image_container;

// Script texts that a log line must show verbatim. Used as a format, the first reads and writes
// through pointers that are not there (a crash, or a line that vanishes) and the second loses a
// "%", which shows.
const std::string kFormatProbes[] = {"fmt%s%n%x%p%%", "fmt%%only"};

// Lua expressions, each evaluated once. The files named here exist in the test's folder ("fifo"
// is a FIFO with no writer: opening it for reading blocks).
const char* const kHostile[] = {
    "nil",
    "true",
    "false",
    "{}",
    "{1, 'two', {}}",
    "setmetatable({}, {__index = error, __tostring = error, __call = error})",
    "print",
    "function() error('boom') end",
    "coroutine.create(function() end)",
    "io.stdout",
    "0",
    "-1",
    "0.5",
    "-0.5",
    "1e308",
    "-1e308",
    "0/0",
    "1/0",
    "-1/0",
    "3e9",
    "-3e9",
    "2^31",
    "-2^31 - 1",
    "2^53 + 1",
    "2^63",
    "''",
    "' '",
    "string.rep('x', 100 * 1024)",
    "string.rep('AN', 5000)",
    "'fmt%s%n%x%p%%'",
    "'fmt%%only'",
    "'a\\0b'",
    "'\\0'",
    "'nan'",
    "'-inf'",
    "'0x7fffffff'",
    "'12abc'",
    "'../../etc/passwd'",
    "'/dev/zero'",
    "'/dev/stdin'",
    "'/proc/self/fd/0'",
    "'/proc/self/mem'",
    "'fifo'",
    "'folder'",
    "'folder/'",
    "'.'",
    "'/'",
    "'C:\\\\Windows\\\\..\\\\folder'",
    "'NULL'",
    "'Root'",
    "'NONE'",
    "'Menu'",
};
constexpr int kHostileCount = static_cast<int>(std::size(kHostile));

// Valid calls that reach past the argument checks into the managers, given as Lua argument lists.
struct Seed {
  const char* function;
  const char* arguments;
};

const Seed kSeeds[] = {
    {"Get_Random_Number", "1, 6"},
    {"LM_ExecuteScript", "'ok.lua'"},
    {"LM_ExecuteScript", "'ok.lua', 3"},
    {"LM_ExecuteScript", "'Scripts', 'ok.lua', 3"},
    {"LM_ExecuteScript", "'self.lua'"},
    {"LM_ExecuteScript", "'error.lua'"},
    {"LM_ExecuteScript", "'broken.lua'"},
    {"LM_ExecuteScript", "'yield.lua'"},
    {"LM_SetBasePath", "'folder/'"},
    {"LM_ExecuteScriptWithArguments", "'args.lua', 'ANAN', 'text', 2, 'x', 4"},
    {"LM_ExecuteScriptWithArguments", "'self.lua', 'A'"},
    {"LM_GetScriptArgumentNumber", "0"},
    {"LM_GetScriptArgumentString", "1"},
    {"Path_AddPath", "'Key', 'prefix/'"},
    {"Path_AddPathFromRoot", "'Key', 'relative/'"},
    {"Path_SetPath", "'Scripts', ''"},
    {"Path_SetPathFromRoot", "'Key', 'relative/'"},
    {"Path_GetPath", "'Root'"},
    {"LoadSong", "'song', 'song.ogg'"},
    {"SetActiveSong", "'song'"},
    {"MM_EditMusic", "'song', 0.5, 1"},
    {"MM_LoadSound", "'blip', 'blip.wav'"},
    {"MM_PlaySound", "'blip'"},
    {"MM_EditSound", "'blip', 0.5, 1"},
    {"Global_AddScriptVariableI", "'number', 1"},
    {"Global_AddScriptVariableA", "'text', 'value'"},
    {"Global_DeleteScriptVariable", "'number'"},
    {"Global_GetScriptVariableI", "'number'"},
    {"Global_GetScriptVariableA", "'text'"},
    {"Global_SetScriptVariableI", "'number', 2"},
    {"Global_SetScriptVariableA", "'text', 'other'"},
    {"DL_AddSection", "'S'"},
    {"DL_AddCatalogue", "'S', 'C'"},
    {"DL_AddHeading", "'S', 'C', 'H'"},
    {"DL_SetActiveObject", "'S', 'C', 'H', 'palette'"},
    {"DL_RegisterTextureFile", "'S', 'C', 'H', 'texture', 'images.sif'"},
    {"DL_ExtractBitmap", "'a', 'image'"},
    {"DL_ExtractBitmap", "'a', 'S', 'C', 'H', 'image'"},
    {"DL_ExtractBitmapWithPalette", "'a', 'image'"},
    {"DL_ExtractBitmapWithPalette", "'a', 'S', 'C', 'H', 'image', 'S', 'C', 'H', 'palette'"},
    {"DL_ExtractPalette", "'pal', 'S', 'C', 'H', 'palette'"},
    {"DL_RegisterFont", "'font.ttf', 'S', 'C', 'H', 'font'"},
    {"DL_ExtractPortrait", "'a', 'S', 'C', 'H', 'portrait'"},
    {"EIM_OpenFile", "'images.z'"},
    {"EIM_OpenFileUncompressed", "'images.sif'"},
    {"PM_GetValue", "'Player', 'x', 'Health'"},
    {"PM_GetValue", "'ChatLog', 'x', 'Name'"},
    {"PM_SetValue", "1, 'Player', 'x', 'Health'"},
    {"PM_SetValue", "1, 'Player', 'x', 'St|Jumping'"},
    {"PM_SetValue", "1, 'Player', 'x', 'XSpeed'"},
    {"PM_SetValue", "1, 'ChatLog', 'x', 'Precise'"},
    {"PM_GetPropertyPointerInteger", "'Player', 'x', 'St|Walking'"},
    {"PM_SetPropertyPointerInteger", "1, 'Player', 'x', 'Health'"},
    {"KeyboardManager_SetPlayerInputState", "1"},
    {"KeyboardManager_AttachScript", "'key', 'script.lua'"},
    {"KeyboardManager_DetachScript", "'key'"},
    {"CFG_SetKey", "'Jump', 'SPACE', 'NONE'"},
    {"TimerManager_AddTimer", "'timer', 5"},
    {"TimerManager_GetTimer", "'timer'"},
    {"TimerManager_DelTimer", "'timer'"},
    {"CM_AddCamera", "'cam', 0, 0, 100, 100"},
    {"CM_SetActiveCamera", "'cam'"},
    {"Cam_SetBoundaries", "0, 0, 2000, 2000"},
    {"CM_RemoveCamera", "'cam'"},
    {"BackgroundManager_SpawnObject", "'cloud', 'a', 10, 0, 0.5, 0, 0"},
    {"BackgroundManager_SetFillColor", "0, 0, 128"},
    {"BackgroundObject_SetSpeed", "-2, 0"},
    {"MapM_SetMapLoadTarget", "'MAPNONE'"},
    {"MapM_TransitionMap", "'MAPNONE'"},
    {"MapM_TransitionMap", "'travel'"},
    {"MapM_SetTextureFileHeading", "'S', 'C', 'H'"},
    {"MapM_SetDefaultPosition", "1, 2"},
    {"DefinedMap_SetDimensions", "64, 48"},
    {"DefinedMap_ClipArea", "1, 0, 0, 10, 10"},
    {"AIM_SetActiveAIObject", "'Animation', 'AIManager', 'Base', 'walk'"},
    {"AIM_SetActiveAIObject", "'DrawingList', 'Player', 'x', 'AIDrawingList'"},
    {"AIM_CreateObject", "'n', 'AnimationsList', 'Animation'"},
    {"AIM_CreateObject", "'n', 'FloatingAIPackageList', 'AIAutoScript', 'ok.lua', 2"},
    {"AIM_DeleteObject", "'AnimationsList', 'walk'"},
    {"AI_GetType", ""},
    {"AI_Activate", ""},
    {"AI_Deactivate", ""},
    {"AIDL_AddAI", "'layer', 'body'"},
    {"AIDL_SwitchAI", "'layer', 'body'"},
    {"AIDL_SetAIPalette", "'layer', 2"},
    {"AIDL_EnableAI", "'layer'"},
    {"AIDL_DisableAI", "'layer'"},
    {"AIDL_RemoveAI", "'layer'"},
    {"AIDL_ClearAIList", ""},
    {"AIDL_SetBaseStateToActive", ""},
    {"AIDL_SetActiveStateList", "'Still'"},
    {"AIDL_SetActiveStateList", "'Base'"},
    {"AIDP_AllocateSpace", "3"},
    {"AIDP_SetAnimation", "0, 'walk'"},
    {"Anim_DeclareSizes", "2, 3"},
    {"Anim_SetFrame", "0, 0, 'a'"},
    {"Anim_SetDuration", "4"},
    {"AIS_AddState", "'Moving', 1, 'Player', 'x', 'St|Walking', 0"},
    {"AIVR_SyncPointer", "'Player', 'x', 'Health', 'Player', 'x', 'Direction'"},
    {"AIVSR_SyncPointer", "'Player', 'x', 'Health', 'Player', 'x', 'Direction'"},
    {"AIVSR_SetScaler", "0.5"},
    {"AIFP_FollowCoordinates", "'Player', 'x', 'XCenter', 'Player', 'x', 'YCenter'"},
    {"AISP_SetPhysicsValues", "1, 2, 0.5, 0.5, 1"},
    {"AISP_SetSpeedLimits", "-5, 5, -5, 5"},
    {"Player_SetPosition", "1, 2, 3"},
    {"Player_SetGameMode", "2"},
    {"Player_GetHealth", ""},
    {"AddRectangularTrigger", "'rect', 0, 0, 1000, 1000"},
    {"AddRadialTrigger", "'round', 0, 0, 5"},
    {"AddPropertyTrigger", "'watch'"},
    {"SetActiveTrigger", "'watch'"},
    {"SetTriggerProperties", "'ok.lua', 3, 0, 1, 0"},
    {"SetTriggerProperties", "'self.lua', 3, 0, 0, 0"},
    {"SetTriggerProperties", "'~NOEDIT', -1000, -1000, -1000, -1000"},
    {"TriggerWatchProperty", "'Player', 'x', 'XPos'"},
    {"TriggerWatchProperty", "'ChatLog', 'x', 'Name'"},
    {"TriggerWatchProperty", "'text', 1"},
    {"TriggerAddEquivalency", "'a', 1, 5"},
    {"TriggerModifyEquivalency", "'a', 2, 3"},
    {"TriggerRemoveEquivalency", "'a'"},
    {"TriggerClearEquivalencies", ""},
    {"NPCM_AddNPC", "'d', 'DialogueNPC'"},
    {"NPCM_AddNPC", "'e2', 'EnemyNPC', 'ok.lua'"},
    {"SetActiveNPCA", "'e'"},
    {"NPC_SetDialoguePath", "'ok.lua'"},
    {"NPC_SetDefaultScript", "'ok.lua'"},
    {"NPC_SetCoordinateData", "10, 10, 0, 16, 16, 16"},
    {"NPC_SetPositionData", "1, 2, 3"},
    {"NPC_SetDisplayData", "0, 0, 8, 8"},
    {"NPC_AllocateStateVariables", "2"},
    {"NPC_SetStateVariable", "0, 'Idle', 1"},
    {"NPC_PushAI", "'walk', 5, 'Basic Pathing', 'St|Idle', 'St|Moving', 100, 100"},
    {"NPC_PushAI", "'slide', 1, 'Slide Pathing'"},
    {"NPC_PushAI", "'bounce', -1, 'Slide Bounce Pathing'"},
    {"NPC_PushAI", "'follow', 0, 'Follow Target', 'St|Idle', 'St|Moving', 'St|Moving'"},
    {"NPC_PushAI", "'pose', 3, 'Force Frame', 1, 2"},
    {"NPC_PushAI", "'fire', 1, 'Fire Script', 'ok.lua', 4"},
    {"NPC_ClearAIQueue", ""},
    {"NPCBE_SetHitReactionScript", "'ok.lua'"},
    {"OBJM_CreateObject", "'i', 'Item', 1, 2, 3, 4, 5, 6, 'a'"},
    {"OBJM_CreateObject", "'p2', 'Projectile'"},
    {"OBJM_CreateObject", "'s', 'SimpleProjectile', 1, 2, 3"},
    {"OBJM_CreateObject", "'c', 'ChillProjectile', 1, 0, 0"},
    {"OBJM_CreateObject", "'sa2', 'StaticAnimation'"},
    {"OBJM_SetActiveObject", "'p'"},
    {"OBJM_SetActiveObjectByID", "1"},
    {"OBJ_SetCoordinates", "1, 2, 3"},
    {"OBJ_SetDimensions", "4, 5, 6"},
    {"OBJ_SetKillScript", "'ok.lua', 2"},
    {"OBJSA_SetAnimationData", "'walk', 0, 0, 10"},
    {"OBJPB_SetCoordinateData", "1, 2, 3, 8, 8, 8"},
    {"OBJPB_SetDisplayData", "'walk', 'a', 0, 3, 1"},
    {"OBJPB_SetDrawingOffset", "1, 2"},
    {"OBJPB_SetTargetFlags", "5"},
    {"OBJPB_SetDamageOutput", "7"},
    {"GUI_HideAllObjects", ""},
    {"GUI_SetActiveObject", "'Resize'"},
    {"GUI_SetActiveObjectList", "'Base'"},
    {"GUI_SetActiveObjectList", "'Resize'"},
    {"GUIOL_AddObject", "'W', 'GUIWindow'"},
    {"GUIOL_AddObject", "'S', 'GUIScrollableWindow', 'extra'"},
    {"GUI_SetActiveObjectAndListFromBase", "'Resize'"},
    {"GUIG_Show", ""},
    {"GUIG_Hide", ""},
    {"GUIG_Flip", ""},
    {"GUIG_SetLock", "0"},
    {"GUIG_SetDimensions", "0, 0, 8, 8"},
    {"GUIG_SetBorderImages", "'corner', 'edge', 'edge'"},
    {"GUIRSW_SetBackgroundPic", "'picture'"},
    {"GUIRSW_SetWindowDimensions", "1, 2, 8, 8"},
    {"GUIRSW_SetPictureDimensions", "-1, -1, 4, 4"},
    {"GUIRSW_SetWindowBorderWidth", "3"},
    {"GUIB_SetImages", "'normal', 'hover', 'pressed'"},
    {"GUIB_SetDisplayData", "1, 3"},
    {"GUIB_SetScriptData", "'none.lua', 2"},
    {"GUIB_SetFunctionData", "'Button_Hide_Parent'"},
    {"GUICB_SetFiringData", "'check.lua', 1, 'uncheck.lua', 2"},
    {"GUIColB_SetColorData", "300, 0, 0, 255"},
    {"GUII_SetImage", "'picture'"},
    {"GUISI_SetImage", "'GUI', 'Box', 'Cursor'"},
    {"GUIITB_SetSystemData", "4, 1"},
    {"GUIT_SetString", "'longer than MaxChars'"},
    {"GUISTL_WatchProperty", "'GUI', 'Box', 'String'"},
    {"GUISTL_WatchProperty", "'GUI', 'Box', 'MaxChars'"},
    {"SetPortrait", "'face'"},
    {"SetPortraitBackground", "'back'"},
    {"SetDialogueLine", "0, 'line'"},
    {"SetDialogueLineIncr", "11, '~BLANK'"},
    {"SetDialogueResponse", "3, 'answer', 5"},
    {"SetDialogueResponseIncr", "12, 'answer', -3"},
    {"GetLastChatResponse", ""},
    {"ClearDialogue", ""},
    {"ChatManager_WatchProperty", "'Resize'"},
    {"ChatManager_WatchProperty", "'Box'"},
    {"SMM_SetActivity", "1"},
    {"SE_SpawnGnatling", "100.7, 50.2"},
    {"GUISB_SetScrollData", "0, 0, 8, 100, 1"},
    {"GUISB_SetScrollData", "0, 0, 100, 8, 0"},
    {"GUIL_SetListSize", "20"},
    {"GUIL_SetListEntry", "0, 'GUI', 'Box', 'String', 'GUI', 'Box', 'Length'"},
    {"GUIDM_AddField", "'Edit'"},
    {"GUIDM_AddEntry", "'File', 'Save', 'Save', 'ok.lua', 1, 1"},
    {"GUIDM_ModifyEntry", "'File', 'Open', 'Opened', 'ok.lua', 2, 0"},
};

// Functions that act on no manager: with the managers absent a valid call of theirs is silent.
const std::set<std::string> kNeedNoManager = {
    "Get_Random_Number",
    "KeyboardManager_AttachScript",
    "KeyboardManager_DetachScript",
    "MapM_SetDefaultPosition",
    "SetActiveNPCI",
};

// Counts of plain arguments swept for every function: none, the counts every function takes and
// more, and far too many.
const int kArgumentCounts[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 250};

// Texts and doubles, which the player has none of, routed as "ChatLog" so that the router's reads
// and writes of those kinds are reached.
class TextStandIn : public PropertyHolder {
 public:
  PropertyRef GetPropertyAddress(const char*, const char* property) override {
    static constexpr PropertyField<TextStandIn> kFields[] = {
        FieldOf<&TextStandIn::precise, PropertyRef::Double>("Precise"),
        FieldOf<&TextStandIn::text, PropertyRef::Text>("Name"),
    };
    return AnswerFromFields(kFields, *this, property, lifetime.Token());
  }

 private:
  double precise = 0.0;
  std::string text = "stand-in";
  Lifetime lifetime;
};

// Aborts the test program, naming the call, when one call runs for longer than a minute: a
// blocking open or an endless read would otherwise hang the run without a word.
class Watchdog {
 public:
  Watchdog() : thread([this] { Watch(); }) {}
  ~Watchdog() {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      done = true;
    }
    wake.notify_one();
    thread.join();
  }

  void Enter(const std::string& call) {
    const std::lock_guard<std::mutex> lock(mutex);
    current = call;
    ++generation;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex);
    while (!done) {
      const uint64_t seen = generation;
      if (!wake.wait_for(lock, std::chrono::seconds(60),
                         [&] { return done || generation != seen; })) {
        std::fprintf(stderr, "Hung for a minute in %s\n", current.c_str());
        std::abort();
      }
    }
  }

  std::mutex mutex;
  std::condition_variable wake;
  std::string current;
  uint64_t generation = 0;
  bool done = false;
  std::thread thread;
};

// The managers that exist today, created in the order of the program's start-up rows (each
// constructor registers its family on gLuaManager's state), with what the seeds name: a "Scripts"
// path key, the heading S/C/H holding the active palette, the plain container open, a song, a
// sound, two global variables, a timer, a text stand-in for the router, window images under
// Images/GUI/Windows and a top-level resize window "Resize" as the GUI's active object.
struct World {
  // A start-up script, when given, runs as soon as the Lua manager exists: every later manager
  // registers its family on a state that the script has shaped.
  explicit World(const char* startupScript = nullptr) {
    // How this world builds each row; a row without a builder here fails the test.
    const std::map<std::string, std::function<void()>> builders = {
        {"Lua manager",
         [&] {
           gLuaManager = lua.get();
           if (startupScript != nullptr) {
             luaL_dostring(lua->GetState(), startupScript);
             lua_settop(lua->GetState(), 0);
           }
         }},
        {"display", [] {}},  // headless: no window
        {"data library",
         [this] { gDataLibrary = (library = std::make_unique<DataLibrary>()).get(); }},
        {"entity registry",
         [this] { gEntityManager = (entities = std::make_unique<EntityManager>()).get(); }},
        {"path manager",
         [this] {
           gPathManager = (paths = std::make_unique<PathManager>()).get();
           gScriptPathSource = paths.get();
         }},
        {"image container manager",
         [this] {
           gExternalImageManager = (images = std::make_unique<ExternalImageManager>()).get();
         }},
        {"property router",
         [this] { gPropertyManager = (router = std::make_unique<PropertyManager>()).get(); }},
        {"global script variables",
         [this] {
           gGlobalVariables = (variables = std::make_unique<ScriptVariableStore>()).get();
         }},
        {"music manager",
         [this] {
           gMusicManager =
               (music = std::make_unique<MusicManager>(std::make_unique<FakeAudioDevice>())).get();
         }},
        {"camera manager",
         [this] {
           gCameraManager = (cameras = std::make_unique<CameraManager>("Default", 0, 0,
                                                                       gScreenWidth, gScreenHeight))
                                .get();
         }},
        {"background manager",
         [this] { gBackgroundManager = (scenery = std::make_unique<BackgroundManager>()).get(); }},
        {"map manager",
         [this] {
           gMapManager = (map = std::make_unique<MapManager>()).get();
           gEnvironmentScope = map.get();
         }},
        // The clip map, so that its functions are registered and reach a map.
        {"first map", [this] { map->TransitionMap("MAPNONE"); }},
        {"keyboard manager",
         [this] { gKeyboardManager = (keyboard = std::make_unique<KeyboardManager>()).get(); }},
        {"player",
         [this] {
           gPlayer = (player = std::make_unique<Player>()).get();
           gWorldPlayer = gPlayer;
         }},
        {"trigger manager",
         [this] { gTriggerManager = (triggers = std::make_unique<TriggerManager>()).get(); }},
        {"player's shadow images",
         [this] { player->SetShadowImage(1, "Images", "Background", "Scenery", "a"); }},
        {"AI manager", [this] { gAIManager = (ai = std::make_unique<AIManager>()).get(); }},
        {"object manager",
         [this] { gObjectManager = (objects = std::make_unique<ObjectManager>()).get(); }},
        {"target registry",
         [this] { gTargetRegistry = (targets = std::make_unique<TargetRegistry>()).get(); }},
        {"timer manager",
         [this] { gTimerManager = (timers = std::make_unique<TimerManager>()).get(); }},
        {"shooter mini-game manager",
         [this] {
           gShooterMiniGameManager = (shooter = std::make_unique<ShooterMiniGameManager>()).get();
         }},
        {"GUI manager", [this] { gGUIManager = (gui = std::make_unique<GUIManager>()).get(); }},
        {"chat manager", [this] { gChatManager = (chat = std::make_unique<ChatManager>()).get(); }},
        {"dialogue window", [this] { gui->CreateDialogueManager(); }},
        {"event sources", [] {}},       // headless: no event queue
        {"deferred-call list", [] {}},  // registers no functions
    };
    for (const StartupRow& row : ProgramStartupRows()) {
      if (row.script != nullptr) continue;
      const auto builder = builders.find(row.name);
      if (builder == builders.end()) {
        ADD_FAILURE() << "the test world has no builder for the start-up row " << row.name;
        continue;
      }
      builder->second();
    }

    paths->AddPath("Scripts", "");
    library->AddSection("S");
    library->AddCatalogue("S", "C");
    library->AddHeading("S", "C", "H");
    images->OpenFileUncompressed("images.sif");
    library->Register("S", "C", "H", "palette", images->GetPaletteFromActiveFile("pal"));
    library->SetActiveObject("S", "C", "H", "palette");
    music->LoadSong("song", "song.ogg");
    music->LoadSound("blip", "blip.wav");
    variables->AddNumber("number", 1.0f);
    variables->AddString("text", "value");
    timers->AddTimer("timer", 5);
    library->AddSection("Images");
    library->AddCatalogue("Images", "Background");
    library->AddHeading("Images", "Background", "Scenery");
    images->OpenFileUncompressed("images.sif");
    library->Register("Images", "Background", "Scenery", "a", images->GetBitmapFromActiveFile("a"));
    // An animation, a drawing package with a layer on the player's list, a state at its base,
    // and a value router as the active AI package.
    luaL_dostring(lua->GetState(),
                  "AIM_CreateObject('walk', 'AnimationsList', 'Animation') Anim_DeclareSizes(2, 2)"
                  " AIM_CreateObject('body', 'AIDrawingPackageList', 'AIDrawingPackage')"
                  " AIDP_AllocateSpace(2) AIDP_SetAnimation(0, 'walk')"
                  " AIM_SetActiveAIObject('DrawingList', 'Player', 'x', 'AIDrawingList')"
                  " AIDL_AddAI('layer', 'body') AIDL_SetBaseStateToActive()"
                  " AIS_AddState('Still', 0, 'Player', 'x', 'St|Stationary', 1)"
                  " AIM_CreateObject('r', 'FloatingAIPackageList', 'AIValueRouter')"
                  // An enemy with two state flags as the active NPC; a projectile and a static
                  // animation for the functions on the active object.
                  " NPCM_AddNPC('e', 'EnemyNPC') NPC_AllocateStateVariables(2)"
                  " NPC_SetStateVariable(0, 'Idle', 0) NPC_SetStateVariable(1, 'Moving', 0)"
                  " OBJM_CreateObject('sa', 'StaticAnimation')"
                  " OBJM_CreateObject('p', 'Projectile')");
    lua_settop(lua->GetState(), 0);
    library->AddCatalogue("Images", "GUI");
    library->AddHeading("Images", "GUI", "Windows");
    for (const char* name : {"corner", "edge", "picture"}) {
      auto* image = new ImageObject();
      image->Create(4, 4, nullptr);
      library->Register("Images", "GUI", "Windows", name, image);
    }
    gui->SetActiveObjectList("Base");
    gui->AddToActiveList("Resize", new GUIResizeWindow());
    gui->GetActiveObject()->SetDimensions(0, 0, 16, 16);
  }

  // The active AI package that a function's seeds need.
  void PrepareFor(const std::string& function) {
    // The widget families act on an active widget of their own, beside an input box to watch (the
    // chat log's too).
    const auto widget = [&](const char* prefix) { return function.rfind(prefix, 0) == 0; };
    GUIBaseObject* active = nullptr;
    if (widget("GUIB_")) active = new GUIButton();
    if (widget("GUICB_")) active = new GUICheckBox();
    if (widget("GUIColB_")) active = new GUIColorBox();
    if (widget("GUII_")) active = new GUIImage();
    if (widget("GUISI_")) active = new GUISmartImage();
    if (widget("GUIITB_") || widget("GUIT_") || widget("ChatManager_")) {
      active = new GUIInputTextBox();
    }
    if (widget("GUISTL_")) active = new GUISmartTextLine();
    if (widget("GUISB_")) active = new GUIScrollBar();
    GUIList* list = widget("GUIL_") ? new GUIList() : nullptr;
    GUIDropMenu* menu = widget("GUIDM_") ? new GUIDropMenu() : nullptr;
    if (list != nullptr) active = list;
    if (menu != nullptr) active = menu;
    if (active != nullptr) {
      gui->SetActiveObjectList("Base");
      gui->AddToActiveList("Box", new GUIInputTextBox());
      gui->AddToActiveList("Widget", active);
      active->SetDimensions(0, 0, 16, 16);
    }
    // An entry to set, a field and an entry to change.
    if (list != nullptr) list->SetListSize(3);
    if (menu != nullptr) {
      menu->AddField("File");
      menu->AddEntry("File", "Open", "Open", "ok.lua", 1, false);
    }
    if (function == "AIVSR_SyncPointer" || function == "AIVSR_SetScaler") {
      ai->SetActiveAIPackage(&scaler);
    } else if (function == "AIFP_FollowCoordinates") {
      ai->SetActiveAIPackage(&following);
    } else if (function.rfind("AISP_", 0) == 0) {
      ai->SetActiveAIPackage(&slide);
    } else if (function.rfind("Trigger", 0) == 0) {
      triggers->AddPropertyTrigger("watch");
    } else if (function.rfind("OBJSA_", 0) == 0) {
      objects->SetActiveObject(objects->Find("sa"));
    }
  }
  // What the sweep set up runs for a few ticks: the player moves, triggers fire their scripts.
  void Tick() {
    for (int tick = 0; tick < 3; ++tick) {
      if (gPlayer != nullptr) gPlayer->Update();
      if (gTriggerManager != nullptr) gTriggerManager->Update(0.0f);
    }
  }
  ~World() {
    // The map first: unloading clears the entity registry.
    map.reset();
    ResetGlobals();
    images->CloseFile();
    al_set_target_bitmap(nullptr);
  }

  TextStandIn text;
  PropertyOwnerSlot textSlot{PropertyOwner::ChatLog, [this](const char*) { return &text; }};
  std::unique_ptr<LuaManager> lua = std::make_unique<LuaManager>(ProgramScriptFamilies());
  std::unique_ptr<DataLibrary> library;
  std::unique_ptr<EntityManager> entities;
  std::unique_ptr<PathManager> paths;
  std::unique_ptr<ExternalImageManager> images;
  std::unique_ptr<PropertyManager> router;
  std::unique_ptr<ScriptVariableStore> variables;
  std::unique_ptr<MusicManager> music;
  std::unique_ptr<KeyboardManager> keyboard;
  std::unique_ptr<Player> player;
  std::unique_ptr<TriggerManager> triggers;
  std::unique_ptr<TimerManager> timers;
  std::unique_ptr<ShooterMiniGameManager> shooter;
  std::unique_ptr<GUIManager> gui;
  std::unique_ptr<ChatManager> chat;
  std::unique_ptr<CameraManager> cameras;
  std::unique_ptr<BackgroundManager> scenery;
  std::unique_ptr<MapManager> map;
  std::unique_ptr<AIManager> ai;
  std::unique_ptr<ObjectManager> objects;
  std::unique_ptr<TargetRegistry> targets;
  AIValueScaleRouter scaler;
  AIFollowingPackage following;
  AISlidePathPackage slide;
};

class ScriptRobustnessTest : public GlobalsFixture {
 protected:
  ScriptRobustnessTest() {
    StartAllegroHeadless();
    WriteFiles();
  }

  // A fresh world, so that what one function's sweep left behind (a path key or a variable of a
  // hostile name) hides nothing from the next.
  void StartUp(const char* startupScript = nullptr) {
    world.reset();
    world = std::make_unique<World>(startupScript);
    PrepareValues();
  }

  void WriteFiles() {
    dir.Write("ok.lua", "ran = (ran or 0) + 1\n");
    // A chunked level whose map script changes the map during its own load.
    dir.Write("travel.plf", "");
    dir.Write("travel.lua", "MapM_TransitionMap('MAPNONE')\n");
    // Runs itself until Lua's limit on nested calls stops it.
    dir.Write("self.lua", "LM_ExecuteScript('self.lua')\n");
    dir.Write("error.lua", "error({})\n");
    dir.Write("broken.lua", "this is not Lua\n");
    dir.Write("yield.lua", "coroutine.yield(1)\n");
    dir.Write("args.lua",
              "for i = -2, 6 do\n"
              "  LM_GetScriptArgumentNumber(i)\n"
              "  LM_GetScriptArgumentString(i)\n"
              "end\n");
    dir.Write("folder/ok.lua", "ran = (ran or 0) + 1\n");
    ASSERT_EQ(mkfifo((dir.Path() / "fifo").c_str(), 0600), 0);

    const std::vector<Colour> pixels = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {0, 0, 0, 0}};
    ContainerWriter writer;
    writer.Add("a", ImageRecordBytes(2, 2, pixels));
    writer.Add("pal", PaletteRecordBytes(1, 4, pixels));
    ContainerWriter::WriteFile((dir.Path() / "images.sif").string(), writer.Plain());
    ContainerWriter::WriteFile((dir.Path() / "images.z").string(), writer.Compressed());
    const std::filesystem::path font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (std::filesystem::exists(font)) std::filesystem::copy_file(font, dir.Path() / "font.ttf");
  }

  // The hostile values and the seeds' argument lists, as arrays in the registry (index 1 up; a
  // nil leaves its index empty, which reads back as nil), and a function that calls its first
  // argument with the others inside a new coroutine.
  void PrepareValues() {
    lua_State* state = world->lua->GetState();
    std::string chunk = "local function pack(...) return {n = select('#', ...), ...} end\n";
    chunk += "return function(f, ...)\n";
    chunk += "  return coroutine.wrap(function(...) return f(...) end)(...)\n";
    chunk += "end, {";
    for (const char* value : kHostile) chunk += "(" + std::string(value) + "),\n";
    chunk += "}, {";
    for (const Seed& seed : kSeeds) chunk += "pack(" + std::string(seed.arguments) + "),\n";
    chunk += "}";
    ASSERT_EQ(luaL_loadstring(state, chunk.c_str()), 0) << lua_tostring(state, -1);
    ASSERT_EQ(lua_pcall(state, 0, 3, 0), 0) << lua_tostring(state, -1);
    seedsRef = luaL_ref(state, LUA_REGISTRYINDEX);
    hostileRef = luaL_ref(state, LUA_REGISTRYINDEX);
    coroutineRef = luaL_ref(state, LUA_REGISTRYINDEX);
  }

  // The names to sweep: every function of the program's families that is a global function now.
  // The fixture creates every family's manager; each must give at least one function.
  std::vector<std::string> RegisteredFunctions() {
    lua_State* state = world->lua->GetState();
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const ScriptFamily* family : ProgramScriptFamilies()) {
      bool gave = false;
      for (const ScriptFunction& row : family->functions) {
        lua_getglobal(state, row.name);
        const bool registered = lua_type(state, -1) == LUA_TFUNCTION;
        lua_pop(state, 1);
        if (!registered) continue;
        gave = true;
        if (seen.insert(row.name).second) names.push_back(row.name);
      }
      EXPECT_TRUE(gave) << family->name << " gave nothing";
    }
    return names;
  }

  // One call: the function and the arguments that push pushes (count of them), directly or from
  // inside a coroutine. Records a fault for a Lua error, for script text used as a format, for an
  // unterminated log line and, when asked, for silence.
  void Call(const std::string& function, int count, const std::function<void(int)>& push,
            const std::function<std::string()>& describe, bool mustLog, bool inCoroutine = false) {
    lua_State* state = world->lua->GetState();
    watchdog.Enter(function);
    log.Clear();
    const int top = lua_gettop(state);
    // The callee, its arguments and the two slots a push uses on the way.
    ASSERT_TRUE(lua_checkstack(state, count + 4));
    if (inCoroutine) lua_rawgeti(state, LUA_REGISTRYINDEX, coroutineRef);
    lua_getglobal(state, function.c_str());
    for (int i = 0; i < count; ++i) push(i);
    if (lua_pcall(state, inCoroutine ? count + 1 : count, LUA_MULTRET, 0) != 0) {
      const char* message = lua_tostring(state, -1);
      faults.push_back(describe() + " raised: " + (message ? message : "(non-text error)"));
    }
    lua_settop(state, top);
    ++calls;

    const std::string& text = log.Text();
    for (size_t at = text.find("fmt"); at != std::string::npos; at = text.find("fmt", at + 1)) {
      const auto verbatim = [&](const std::string& probe) {
        return text.compare(at, probe.size(), probe) == 0;
      };
      if (!verbatim(kFormatProbes[0]) && !verbatim(kFormatProbes[1])) {
        faults.push_back(describe() + " used script text as a format: " + text.substr(at, 40));
        break;
      }
    }
    if (!text.empty() && text.back() != '\n') {
      faults.push_back(describe() + " left an unterminated log line: " + text.substr(0, 200));
    }
    if (mustLog && text.empty()) faults.push_back(describe() + " failed without a log line");
  }

  void PushHostile(int index) {
    lua_State* state = world->lua->GetState();
    lua_rawgeti(state, LUA_REGISTRYINDEX, hostileRef);
    lua_rawgeti(state, -1, index + 1);
    lua_remove(state, -2);
  }

  // Pushes argument `position` (0-based) of seed `seed`; answers the seed's argument count.
  int PushSeedArgument(int seed, int position) {
    lua_State* state = world->lua->GetState();
    lua_rawgeti(state, LUA_REGISTRYINDEX, seedsRef);
    lua_rawgeti(state, -1, seed + 1);
    lua_remove(state, -2);
    lua_getfield(state, -1, "n");
    const int count = static_cast<int>(lua_tointeger(state, -1));
    lua_pop(state, 1);
    if (position >= 0) {
      lua_rawgeti(state, -1, position + 1);
      lua_remove(state, -2);
    } else {
      lua_pop(state, 1);
    }
    return count;
  }

  // Every argument list of the sweep for one function: each hostile value in every position of
  // each count of arguments; then each seed of the function as it is (directly and from inside a
  // coroutine), with each hostile value in each position in turn, and with one value too many.
  void Sweep(const std::string& function, bool mustLog) {
    const auto plain = [&](int count, int value) {
      return [=] { return function + "(" + std::to_string(count) + " x " + kHostile[value] + ")"; };
    };
    for (int count : kArgumentCounts) {
      for (int value = 0; value < kHostileCount; ++value) {
        // Far too many arguments need only one value each to show what they do.
        if (count > 10 && value > 1) break;
        Call(
            function, count, [&](int) { PushHostile(value); }, plain(count, value), mustLog);
      }
    }
    for (int seed = 0; seed < static_cast<int>(std::size(kSeeds)); ++seed) {
      if (function != kSeeds[seed].function) continue;
      const int count = PushSeedArgument(seed, -1);
      const auto pushSeed = [&](int i) { PushSeedArgument(seed, i); };
      const std::string call = function + "(" + kSeeds[seed].arguments + ")";
      for (bool inCoroutine : {false, true}) {
        Call(
            function, count, pushSeed, [&] { return call; }, mustLog, inCoroutine);
        // A seed that the function refuses would leave its deeper paths unswept.
        if (!mustLog &&
            (log.Contains("invalid argument list") || log.Contains("manager not created"))) {
          faults.push_back(call + " is not a valid call: " + log.Text());
        }
      }
      const auto seeded = [&](int position, int value) {
        return [=] {
          return call + " with argument " + std::to_string(position + 1) + " = " + kHostile[value];
        };
      };
      for (int position = 0; position <= count; ++position) {
        for (int value = 0; value < kHostileCount; ++value) {
          const int arguments = position == count ? count + 1 : count;
          Call(
              function, arguments, [&](int i) { i == position ? PushHostile(value) : pushSeed(i); },
              seeded(position, value), mustLog);
        }
      }
    }
  }

  std::string Faults() const {
    std::string out;
    for (size_t i = 0; i < faults.size() && i < 40; ++i) out += faults[i] + "\n";
    if (faults.size() > 40) out += "... and " + std::to_string(faults.size() - 40) + " more\n";
    return out;
  }

  TempDir dir;
  LogCapture log;
  Watchdog watchdog;
  std::unique_ptr<World> world;
  int hostileRef = LUA_NOREF;
  int seedsRef = LUA_NOREF;
  int coroutineRef = LUA_NOREF;
  std::vector<std::string> faults;
  int calls = 0;
};

TEST_F(ScriptRobustnessTest, EveryFunctionSurvivesHostileArguments) {
  StartUp();
  const std::vector<std::string> functions = RegisteredFunctions();
  for (const std::string& function : functions) {
    StartUp();
    world->PrepareFor(function);
    Sweep(function, false);
    world->Tick();
  }
  EXPECT_TRUE(faults.empty()) << faults.size() << " faults in " << calls << " calls:\n" << Faults();
}

// Every manager absent, as before start-up creates them: each call fails with its own line.
TEST_F(ScriptRobustnessTest, EveryFunctionSurvivesHostileArgumentsWithoutItsManager) {
  StartUp();
  const std::vector<std::string> functions = RegisteredFunctions();
  ResetGlobals();
  for (const std::string& function : functions) {
    Sweep(function, kNeedNoManager.count(function) == 0);
  }
  EXPECT_TRUE(faults.empty()) << faults.size() << " faults in " << calls << " calls:\n" << Faults();
}

}  // namespace

// A folder, FIFO or device named as a file is refused before anything opens it (a FIFO would
// block the open, /dev/zero never ends), with the line a missing file gives.
TEST_F(ScriptRobustnessTest, SpecialFilesFailAsMissingFilesDo) {
  struct Case {
    const char* call;
    const char* logged;
  };
  const Case cases[] = {
      {"LM_ExecuteScript('fifo')",
       "Lua Error during Loading: cannot open fifo: not a regular file\n"},
      {"LM_ExecuteScript('folder', 4)",
       "Lua Error during Loading: cannot open folder: not a regular file\n"},
      {"LM_ExecuteScriptWithArguments('/dev/zero', '')",
       "Lua Error during Loading: cannot open /dev/zero: not a regular file\n"},
      // A container that does not open is silent.
      {"EIM_OpenFile('fifo')", ""},
      {"EIM_OpenFileUncompressed('/dev/zero')", ""},
      {"DL_RegisterTextureFile('S', 'C', 'H', 'texture', 'folder\\\\')",
       "DL_RegisterTextureFile:  Failed, file folder\\ not found\n"},
      {"DL_RegisterFont('fifo', 'S', 'C', 'H', 'font')",
       "DataLibrary - Register:  Warning, Pointer font did not exist when registered\n"},
  };
  StartUp();
  lua_State* state = world->lua->GetState();
  ASSERT_EQ(luaL_dostring(state, "code = 7 LM_ExecuteScript('ok.lua', code)"), 0);
  for (const Case& c : cases) {
    watchdog.Enter(c.call);
    log.Clear();
    ASSERT_EQ(luaL_dostring(state, c.call), 0) << c.call;
    EXPECT_EQ(log.Text(), c.logged) << c.call;
  }
  // A refused script leaves the script code of the last run.
  EXPECT_EQ(world->lua->GetScriptCode(), 7);
}

// A script may guard the globals table (a strict mode); the managers created after it still
// register their families, where an assignment through the guard would end the program.
TEST_F(ScriptRobustnessTest, GuardedGlobalsDoNotStopLaterManagersRegistering) {
  StartUp();
  const size_t unguarded = RegisteredFunctions().size();
  StartUp("setmetatable(_G, {__newindex = function() error('no new globals') end})");
  EXPECT_EQ(RegisteredFunctions().size(), unguarded);
  log.Clear();
  lua_State* state = world->lua->GetState();
  ASSERT_EQ(luaL_dostring(state, "TimerManager_AddTimer('t', 3) return TimerManager_GetTimer('t')"),
            0);
  EXPECT_EQ(lua_tonumber(state, -1), 3);
  EXPECT_EQ(log.Text(), "");
}

// The families whose functions are not registered yet. A family that lands must leave this list;
// once it is empty the process's globals are every name of the program's families.
const std::vector<const ScriptFamily*> kNotLandedYet = {};

// After the start-up rows every global function that plain Lua lacks is a name of the table, and
// every family is registered whole or not at all; the families not registered are exactly those
// still to come.
TEST_F(ScriptRobustnessTest, RegisteredGlobalsAreExactlyTheRegistrationTable) {
  StartUp();
  lua_State* plain = luaL_newstate();
  luaL_openlibs(plain);
  lua_State* state = world->lua->GetState();
  std::set<std::string> registered;
  lua_pushnil(state);
  while (lua_next(state, LUA_GLOBALSINDEX) != 0) {
    if (lua_type(state, -2) == LUA_TSTRING && lua_type(state, -1) == LUA_TFUNCTION) {
      const std::string name = lua_tostring(state, -2);
      lua_getglobal(plain, name.c_str());
      if (lua_isnil(plain, -1)) registered.insert(name);
      lua_pop(plain, 1);
    }
    lua_pop(state, 1);
  }
  lua_close(plain);

  std::set<std::string> table;
  std::map<const ScriptFamily*, std::pair<int, int>> familyRows;  // registered, all
  for (const ScriptFamily* family : ProgramScriptFamilies()) {
    for (const ScriptFunction& row : family->functions) {
      table.insert(row.name);
      auto& [present, all] = familyRows[family];
      present += registered.count(row.name) != 0 ? 1 : 0;
      ++all;
    }
  }
  std::vector<std::string> strangers;
  std::set_difference(registered.begin(), registered.end(), table.begin(), table.end(),
                      std::back_inserter(strangers));
  EXPECT_EQ(strangers, std::vector<std::string>()) << "registered, but not in the table";

  const std::set<const ScriptFamily*> pending(std::begin(kNotLandedYet), std::end(kNotLandedYet));
  size_t pendingNames = 0;
  for (const auto& [family, rows] : familyRows) {
    const auto [present, all] = rows;
    if (pending.count(family) != 0) {
      EXPECT_EQ(present, 0) << family->name << " has landed: take it out of kNotLandedYet";
      pendingNames += static_cast<size_t>(all);
    } else {
      EXPECT_EQ(present, all) << family->name << " registers " << present << " of its " << all
                              << " rows";
    }
  }
  // With nothing pending, every name of the families.
  EXPECT_EQ(registered.size(), table.size() - pendingNames);
}
