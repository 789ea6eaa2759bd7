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
    {ScriptFamily::GUIButtons, RegisterGUIButtonBindings},
    {ScriptFamily::GUICheckBoxes, RegisterGUICheckBoxBindings},
    {ScriptFamily::GUIDropMenus, RegisterGUIDropMenuBindings},
    {ScriptFamily::GUIColorBoxes, RegisterGUIColorBoxBindings},
    {ScriptFamily::GUIImages, RegisterGUIImageBindings},
    {ScriptFamily::GUILists, RegisterGUIListBindings},
    {ScriptFamily::GUIScrollBars, RegisterGUIScrollBarBindings},
    {ScriptFamily::GUITextLines, RegisterGUITextLineBindings},
    {ScriptFamily::GUIWindows, RegisterGUIWindowBindings},
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
