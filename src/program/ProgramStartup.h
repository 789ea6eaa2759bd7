#pragma once

#include <span>

#include "core/Startup.h"

// The program's start-up sequence, in order: every manager of every subsystem, the start-up
// scripts between them, the event sources and the deferred-call list last.
std::span<const StartupRow> ProgramStartupRows();
