#include "program/ProgramScriptFamilies.h"

#include "actors/NonPlayingCharacter.h"
#include "actors/ObjectManager.h"
#include "core/MusicManager.h"
#include "gui/ChatManager.h"
#include "gui/GUIDialogueManager.h"
#include "gui/GUIScript.h"
#include "resources/PathManager.h"
#include "world/CameraManager.h"
#include "world/TriggerManager.h"

namespace {

// One row per family, each later family in its place of the order above.
const LuaManagerFamily kFamilies[] = {
    {ScriptFamily::LuaManager, RegisterLuaManagerFunctions},
    {ScriptFamily::Cameras, RegisterCameraFunctions},
    {ScriptFamily::Dialogue, RegisterDialogueFunctions},
    // The GUI's families in the order of its registration; each widget kind's comes in its place.
    {ScriptFamily::GUI, RegisterGUIBindings},
    GUIWidgetFamily<ScriptFamily::GUIButtons>(),
    GUIWidgetFamily<ScriptFamily::GUICheckBoxes>(),
    GUIWidgetFamily<ScriptFamily::GUIDropMenus>(),
    GUIWidgetFamily<ScriptFamily::GUIColorBoxes>(),
    GUIWidgetFamily<ScriptFamily::GUIImages>(),
    GUIWidgetFamily<ScriptFamily::GUILists>(),
    GUIWidgetFamily<ScriptFamily::GUIScrollBars>(),
    GUIWidgetFamily<ScriptFamily::GUITextLines>(),
    GUIWidgetFamily<ScriptFamily::GUIWindows>(),
    {ScriptFamily::NPCs, RegisterNPCFunctions},
    {ScriptFamily::Paths, RegisterPathFunctions},
    {ScriptFamily::Triggers, RegisterTriggerFunctions},
    {ScriptFamily::Music, RegisterMusicFunctions},
    {ScriptFamily::Objects, RegisterObjectFunctions},
    {ScriptFamily::ScriptVariables, RegisterScriptVariableFunctions},
    {ScriptFamily::Chat, RegisterChatFunctions},
};

}  // namespace

std::span<const LuaManagerFamily> ProgramScriptFamilies() { return kFamilies; }
