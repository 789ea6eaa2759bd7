#pragma once

#include <span>

#include "core/script/ScriptRegistrars.h"

// The families the Lua manager registers when it is created, in their order: its own, cameras,
// dialogue, GUI, NPCs, paths, triggers, music, objects, script variables, chat. Their functions
// exist from the first script on and act on their managers once those are created.
std::span<const LuaManagerFamily> ProgramScriptFamilies();
