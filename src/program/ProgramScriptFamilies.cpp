#include "program/ProgramScriptFamilies.h"

#include "actors/AIManager.h"
#include "actors/NonPlayingCharacter.h"
#include "actors/ObjectManager.h"
#include "actors/Player.h"
#include "actors/ShooterMiniGameManager.h"
#include "core/KeyboardManager.h"
#include "core/MusicManager.h"
#include "core/TimerManager.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptVariableStore.h"
#include "gui/ChatManager.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIColorBox.h"
#include "gui/GUIDialogueManager.h"
#include "gui/GUIDropMenu.h"
#include "gui/GUIImage.h"
#include "gui/GUIList.h"
#include "gui/GUIManager.h"
#include "gui/GUIScrollBar.h"
#include "gui/GUITextLine.h"
#include "gui/GUIWindow.h"
#include "resources/DataLibrary.h"
#include "resources/ExternalImageManager.h"
#include "resources/PathManager.h"
#include "world/BackgroundManager.h"
#include "world/CameraManager.h"
#include "world/DefinedMap.h"
#include "world/MapManager.h"
#include "world/TriggerManager.h"

namespace {

const ScriptFamily* const kFamilies[] = {
    // With the Lua manager, in its order.
    &kLuaManagerFamily,
    &kCameraFamily,
    &kDialogueFamily,
    &kGUIFamily,
    &kGUIButtonFamily,
    &kGUICheckBoxFamily,
    &kGUIDropMenuFamily,
    &kGUIColorBoxFamily,
    &kGUIImageFamily,
    &kGUIListFamily,
    &kGUIScrollBarFamily,
    &kGUITextLineFamily,
    &kGUIWindowFamily,
    &kNPCFamily,
    &kPathFamily,  // and again with the path manager
    &kTriggerFamily,
    &kMusicFamily,
    &kObjectFamily,
    &kScriptVariableFamily,
    &kChatFamily,
    // With their managers.
    &kDataLibraryFamily,
    &kImageContainerFamily,
    &kPropertyFamily,
    &kAIFamily,
    &kKeyboardFamily,
    &kPlayerFamily,
    &kBackgroundFamily,
    &kTimerFamily,
    &kShooterMiniGameFamily,
    &kMapFamily,
    &kClipMapFamily,
};

}  // namespace

std::span<const ScriptFamily* const> ProgramScriptFamilies() { return kFamilies; }
