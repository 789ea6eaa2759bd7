#include "core/script/ScriptRegistrars.h"

#include <array>

namespace {

using R = ScriptRegistrar;
using F = ScriptFamily;

constexpr ScriptRegistration kRegistrations[] = {
    {R::LuaManager, F::LuaManager, "GetScriptCode"},
    {R::LuaManager, F::LuaManager, "GetScriptString"},
    {R::LuaManager, F::LuaManager, "Get_Random_Number"},
    {R::LuaManager, F::LuaManager, "Activate_Debug_Mode"},
    {R::LuaManager, F::LuaManager, "Deactivate_Debug_Mode"},
    {R::LuaManager, F::LuaManager, "LM_ExecuteScript"},
    {R::LuaManager, F::LuaManager, "LM_SetBasePath"},
    {R::LuaManager, F::LuaManager, "LM_ExecuteScriptWithArguments"},
    {R::LuaManager, F::LuaManager, "LM_GetScriptArgumentNumber"},
    {R::LuaManager, F::LuaManager, "LM_GetScriptArgumentString"},
    {R::LuaManager, F::Cameras, "CM_AddCamera"},
    {R::LuaManager, F::Cameras, "CM_RemoveCamera"},
    {R::LuaManager, F::Cameras, "CM_SetActiveCamera"},
    {R::LuaManager, F::Cameras, "Cam_SetBoundaries"},
    {R::LuaManager, F::Dialogue, "SetPortrait"},
    {R::LuaManager, F::Dialogue, "SetPortraitBackground"},
    {R::LuaManager, F::Dialogue, "SetDialogueLine"},
    {R::LuaManager, F::Dialogue, "SetDialogueLineIncr"},
    {R::LuaManager, F::Dialogue, "SetDialogueResponse"},
    {R::LuaManager, F::Dialogue, "SetDialogueResponseIncr"},
    {R::LuaManager, F::Dialogue, "GetLastChatResponse"},
    {R::LuaManager, F::Dialogue, "ClearDialogue"},
    {R::LuaManager, F::NPCs, "NPCM_AddNPC"},
    {R::LuaManager, F::NPCs, "SetActiveNPCI"},
    {R::LuaManager, F::NPCs, "SetActiveNPCA"},
    {R::LuaManager, F::NPCs, "NPC_SetDialoguePath"},
    {R::LuaManager, F::NPCs, "NPC_SetDefaultScript"},
    {R::LuaManager, F::NPCs, "NPC_SetCoordinateData"},
    {R::LuaManager, F::NPCs, "NPC_SetPositionData"},
    {R::LuaManager, F::NPCs, "NPC_SetDisplayData"},
    {R::LuaManager, F::NPCs, "NPC_AllocateStateVariables"},
    {R::LuaManager, F::NPCs, "NPC_SetStateVariable"},
    {R::LuaManager, F::NPCs, "NPC_PushAI"},
    {R::LuaManager, F::NPCs, "NPC_ClearAIQueue"},
    {R::LuaManager, F::NPCs, "NPCBE_SetHitReactionScript"},
    {R::LuaManager, F::Paths, "Path_SetRootToLocal"},
    {R::LuaManager, F::Paths, "Path_AddPath"},
    {R::LuaManager, F::Paths, "Path_AddPathFromRoot"},
    {R::LuaManager, F::Paths, "Path_SetPath"},
    {R::LuaManager, F::Paths, "Path_SetPathFromRoot"},
    {R::LuaManager, F::Paths, "Path_GetPath"},
    {R::LuaManager, F::Triggers, "SetActiveTrigger"},
    {R::LuaManager, F::Triggers, "AddRectangularTrigger"},
    {R::LuaManager, F::Triggers, "AddRadialTrigger"},
    {R::LuaManager, F::Triggers, "AddPropertyTrigger"},
    {R::LuaManager, F::Triggers, "SetTriggerProperties"},
    {R::LuaManager, F::Triggers, "TriggerWatchProperty"},
    {R::LuaManager, F::Triggers, "TriggerAddEquivalency"},
    {R::LuaManager, F::Triggers, "TriggerModifyEquivalency"},
    {R::LuaManager, F::Triggers, "TriggerRemoveEquivalency"},
    {R::LuaManager, F::Triggers, "TriggerClearEquivalencies"},
    {R::LuaManager, F::Music, "LoadSong"},
    {R::LuaManager, F::Music, "SetActiveSong"},
    {R::LuaManager, F::Music, "PlayActiveSong"},
    {R::LuaManager, F::Music, "MM_EditMusic"},
    {R::LuaManager, F::Music, "MM_LoadSound"},
    {R::LuaManager, F::Music, "MM_PlaySound"},
    {R::LuaManager, F::Music, "MM_EditSound"},
    {R::LuaManager, F::Objects, "OBJM_CreateObject"},
    {R::LuaManager, F::Objects, "OBJM_SetActiveObject"},
    {R::LuaManager, F::Objects, "OBJM_SetActiveObjectByID"},
    {R::LuaManager, F::Objects, "OBJ_SetCoordinates"},
    {R::LuaManager, F::Objects, "OBJ_SetDimensions"},
    {R::LuaManager, F::Objects, "OBJ_SetKillScript"},
    {R::LuaManager, F::Objects, "OBJSA_SetAnimationData"},
    {R::LuaManager, F::Objects, "OBJPB_SetCoordinateData"},
    {R::LuaManager, F::Objects, "OBJPB_SetDisplayData"},
    {R::LuaManager, F::Objects, "OBJPB_SetDrawingOffset"},
    {R::LuaManager, F::Objects, "OBJPB_SetTargetFlags"},
    {R::LuaManager, F::Objects, "OBJPB_SetDamageOutput"},
    {R::LuaManager, F::ScriptVariables, "NPC_AddScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "NPC_AddScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "NPC_DeleteScriptVariable"},
    {R::LuaManager, F::ScriptVariables, "NPC_GetScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "NPC_GetScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "NPC_SetScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "NPC_SetScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "Env_AddScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "Env_AddScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "Env_DeleteScriptVariable"},
    {R::LuaManager, F::ScriptVariables, "Env_GetScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "Env_GetScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "Env_SetScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "Env_SetScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "Global_AddScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "Global_AddScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "Global_DeleteScriptVariable"},
    {R::LuaManager, F::ScriptVariables, "Global_GetScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "Global_GetScriptVariableA"},
    {R::LuaManager, F::ScriptVariables, "Global_SetScriptVariableI"},
    {R::LuaManager, F::ScriptVariables, "Global_SetScriptVariableA"},
    {R::LuaManager, F::Chat, "ChatManager_WatchProperty"},
    {R::GUI, F::GUI, "GUI_HideAllObjects"},
    {R::GUI, F::GUI, "GUI_SetActiveObject"},
    {R::GUI, F::GUI, "GUI_SetActiveObjectList"},
    {R::GUI, F::GUI, "GUIOL_AddObject"},
    {R::GUI, F::GUI, "GUI_SetActiveObjectAndListFromBase"},
    {R::GUI, F::GUI, "GUIG_Show"},
    {R::GUI, F::GUI, "GUIG_Hide"},
    {R::GUI, F::GUI, "GUIG_Flip"},
    {R::GUI, F::GUI, "GUIG_SetLock"},
    {R::GUI, F::GUI, "GUIG_SetDimensions"},
    {R::GUI, F::GUI, "GUIG_SetBorderImages"},
    {R::GUI, F::GUI, "GUIB_SetImages"},
    {R::GUI, F::GUI, "GUIB_SetDisplayData"},
    {R::GUI, F::GUI, "GUIB_SetScriptData"},
    {R::GUI, F::GUI, "GUIB_SetFunctionData"},
    {R::GUI, F::GUI, "GUICB_SetFiringData"},
    {R::GUI, F::GUI, "GUIDM_AddField"},
    {R::GUI, F::GUI, "GUIDM_AddEntry"},
    {R::GUI, F::GUI, "GUIDM_ModifyEntry"},
    {R::GUI, F::GUI, "GUIColB_SetColorData"},
    {R::GUI, F::GUI, "GUII_SetImage"},
    {R::GUI, F::GUI, "GUISI_SetImage"},
    {R::GUI, F::GUI, "GUIL_SetListSize"},
    {R::GUI, F::GUI, "GUIL_SetListEntry"},
    {R::GUI, F::GUI, "GUISB_SetScrollData"},
    {R::GUI, F::GUI, "GUIITB_SetSystemData"},
    {R::GUI, F::GUI, "GUIT_SetString"},
    {R::GUI, F::GUI, "GUISTL_WatchProperty"},
    {R::GUI, F::GUI, "GUIRSW_SetBackgroundPic"},
    {R::GUI, F::GUI, "GUIRSW_SetWindowDimensions"},
    {R::GUI, F::GUI, "GUIRSW_SetPictureDimensions"},
    {R::GUI, F::GUI, "GUIRSW_SetWindowBorderWidth"},
    {R::GUI, F::GUI, "GUISW_SetBackgroundPic"},
    {R::GUI, F::GUI, "GUISW_SetWindowDimensions"},
    {R::GUI, F::GUI, "GUISW_SetPictureDimensions"},
    {R::GUI, F::GUI, "GUISW_SetWindowBorderWidth"},
    {R::GUI, F::GUI, "GUIW_SetBackgroundColor"},
    {R::AIManager, F::AI, "AIM_SetActiveAIObject"},
    {R::AIManager, F::AI, "AIM_CreateObject"},
    {R::AIManager, F::AI, "AIM_DeleteObject"},
    {R::AIManager, F::AI, "AI_GetType"},
    {R::AIManager, F::AI, "AI_Activate"},
    {R::AIManager, F::AI, "AI_Deactivate"},
    {R::AIManager, F::AI, "AIDL_AddAI"},
    {R::AIManager, F::AI, "AIDL_SwitchAI"},
    {R::AIManager, F::AI, "AIDL_SetAIPalette"},
    {R::AIManager, F::AI, "AIDL_EnableAI"},
    {R::AIManager, F::AI, "AIDL_DisableAI"},
    {R::AIManager, F::AI, "AIDL_RemoveAI"},
    {R::AIManager, F::AI, "AIDL_ClearAIList"},
    {R::AIManager, F::AI, "AIDL_SetBaseStateToActive"},
    {R::AIManager, F::AI, "AIDL_SetActiveStateList"},
    {R::AIManager, F::AI, "AIDP_AllocateSpace"},
    {R::AIManager, F::AI, "AIDP_SetAnimation"},
    {R::AIManager, F::AI, "Anim_DeclareSizes"},
    {R::AIManager, F::AI, "Anim_SetFrame"},
    {R::AIManager, F::AI, "Anim_SetDuration"},
    {R::AIManager, F::AI, "AIS_AddState"},
    {R::AIManager, F::AI, "AIVR_SyncPointer"},
    {R::AIManager, F::AI, "AIVSR_SyncPointer"},
    {R::AIManager, F::AI, "AIVSR_SetScaler"},
    {R::AIManager, F::AI, "AIFP_FollowCoordinates"},
    {R::AIManager, F::AI, "AISP_SetPhysicsValues"},
    {R::AIManager, F::AI, "AISP_SetSpeedLimits"},
    {R::DataLibrary, F::DataLibrary, "DL_AddSection"},
    {R::DataLibrary, F::DataLibrary, "DL_AddCatalogue"},
    {R::DataLibrary, F::DataLibrary, "DL_AddHeading"},
    {R::DataLibrary, F::DataLibrary, "DL_SetActiveObject"},
    {R::DataLibrary, F::DataLibrary, "DL_RegisterTextureFile"},
    {R::DataLibrary, F::DataLibrary, "DL_ExtractBitmap"},
    {R::DataLibrary, F::DataLibrary, "DL_ExtractBitmapWithPalette"},
    {R::DataLibrary, F::DataLibrary, "DL_ExtractPalette"},
    {R::DataLibrary, F::DataLibrary, "DL_RegisterFont"},
    {R::DataLibrary, F::DataLibrary, "DL_ExtractPortrait"},
    {R::ExternalImageManager, F::ImageContainers, "EIM_OpenFile"},
    {R::ExternalImageManager, F::ImageContainers, "EIM_OpenFileUncompressed"},
    {R::ExternalImageManager, F::ImageContainers, "EIM_CloseFile"},
    {R::PathManager, F::Paths, "Path_SetRootToLocal"},
    {R::PathManager, F::Paths, "Path_AddPath"},
    {R::PathManager, F::Paths, "Path_AddPathFromRoot"},
    {R::PathManager, F::Paths, "Path_SetPath"},
    {R::PathManager, F::Paths, "Path_SetPathFromRoot"},
    {R::PathManager, F::Paths, "Path_GetPath"},
    {R::PropertyManager, F::PropertyRouter, "PM_GetValue"},
    {R::PropertyManager, F::PropertyRouter, "PM_SetValue"},
    {R::PropertyManager, F::PropertyRouter, "PM_GetPropertyPointerInteger"},
    {R::PropertyManager, F::PropertyRouter, "PM_SetPropertyPointerInteger"},
    {R::KeyboardManager, F::Keyboard, "KeyboardManager_SetPlayerInputState"},
    {R::KeyboardManager, F::Keyboard, "KeyboardManager_AttachScript"},
    {R::KeyboardManager, F::Keyboard, "KeyboardManager_DetachScript"},
    {R::KeyboardManager, F::Keyboard, "CFG_SetKey"},
    {R::Player, F::Player, "Player_SetPosition"},
    {R::Player, F::Player, "Player_SetGameMode"},
    {R::Player, F::Player, "Player_GetHealth"},
    {R::BackgroundManager, F::Background, "BackgroundManager_SpawnObject"},
    {R::BackgroundManager, F::Background, "BackgroundManager_SetFillColor"},
    {R::BackgroundManager, F::Background, "BackgroundManager_DisableFill"},
    {R::BackgroundManager, F::Background, "BackgroundObject_SetSpeed"},
    {R::BackgroundManager, F::Background, "BackgroundObject_SetModuloMode"},
    {R::TimerManager, F::Timers, "TimerManager_AddTimer"},
    {R::TimerManager, F::Timers, "TimerManager_GetTimer"},
    {R::TimerManager, F::Timers, "TimerManager_DelTimer"},
    {R::ShooterMiniGameManager, F::ShooterMiniGame, "SMM_SetActivity"},
    {R::ShooterMiniGameManager, F::ShooterMiniGame, "SE_SpawnGnatling"},
    {R::MapManager, F::Map, "MapM_SetBackgroundDisplayState"},
    {R::MapManager, F::Map, "MapM_SetMapDisplayState"},
    {R::MapManager, F::Map, "MapM_TransitionMap"},
    {R::MapManager, F::Map, "MapM_SetMapLoadTarget"},
    {R::MapManager, F::Map, "MapM_SetDefaultPosition"},
    {R::MapManager, F::Map, "MapM_SetTextureFileHeading"},
    {R::MapManager, F::Map, "MapM_BuildLookupList"},
    {R::ClipMap, F::ClipMap, "DefinedMap_SetDimensions"},
    {R::ClipMap, F::ClipMap, "DefinedMap_ClipArea"},
    {R::ClipMap, F::ClipMap, "DefinedMap_ClearClipping"},
};

static_assert(std::size(kRegistrations) == 206);

}  // namespace

std::span<const ScriptRegistration> ScriptRegistrations() { return kRegistrations; }

const char* RegistrarName(ScriptRegistrar registrar) {
  switch (registrar) {
    case R::LuaManager: return "LuaManager";
    case R::GUI: return "GUI";
    case R::AIManager: return "AIManager";
    case R::DataLibrary: return "DataLibrary";
    case R::ExternalImageManager: return "ExternalImageManager";
    case R::PathManager: return "PathManager";
    case R::PropertyManager: return "PropertyManager";
    case R::KeyboardManager: return "KeyboardManager";
    case R::Player: return "Player";
    case R::BackgroundManager: return "BackgroundManager";
    case R::TimerManager: return "TimerManager";
    case R::ShooterMiniGameManager: return "ShooterMiniGameManager";
    case R::MapManager: return "MapManager";
    case R::ClipMap: return "ClipMap";
  }
  return "?";
}

const char* FamilyName(ScriptFamily family) {
  switch (family) {
    case F::LuaManager: return "LuaManager";
    case F::Cameras: return "Cameras";
    case F::Dialogue: return "Dialogue";
    case F::GUI: return "GUI";
    case F::NPCs: return "NPCs";
    case F::Paths: return "Paths";
    case F::Triggers: return "Triggers";
    case F::Music: return "Music";
    case F::Objects: return "Objects";
    case F::ScriptVariables: return "ScriptVariables";
    case F::Chat: return "Chat";
    case F::AI: return "AI";
    case F::DataLibrary: return "DataLibrary";
    case F::ImageContainers: return "ImageContainers";
    case F::PropertyRouter: return "PropertyRouter";
    case F::Keyboard: return "Keyboard";
    case F::Player: return "Player";
    case F::Background: return "Background";
    case F::Timers: return "Timers";
    case F::ShooterMiniGame: return "ShooterMiniGame";
    case F::Map: return "Map";
    case F::ClipMap: return "ClipMap";
  }
  return "?";
}
