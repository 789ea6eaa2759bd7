#pragma once

#include <span>

#include "core/script/ScriptFamily.h"

// Every family of script functions, each once. Those registered with the Lua manager come first,
// in the order it registers them: its own, cameras, dialogue, the GUI's (the manager's and every
// widget's, then each widget kind's), NPCs, paths, triggers, music, objects, script variables,
// chat; their functions exist from the first script on and act on their managers once those are
// created. Then those each registered by its manager's constructor, in the order of start-up.
std::span<const ScriptFamily* const> ProgramScriptFamilies();
