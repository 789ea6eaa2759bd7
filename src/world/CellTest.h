#pragma once

#include <cstdint>

// The two readings of the map manager's cell test. Its answer keeps each map kind's own sense
// (isometric maps and chunked levels: 1 = free; clip maps: 1 = clipped; no map: 0), and callers
// written for different kinds read it differently. Each call site says which reading it uses by
// calling one of these; neither normalises the answer across kinds.

// The walker's reading (the player's default and isometric schemes): 1 means it may step there.
// False without a map manager.
bool CellIsFreeForWalker(int32_t x, int32_t y, int32_t z);

// The solid reading (side view, slide packages, physics items, projectiles): any non-zero answer
// is a wall. False without a map manager.
bool CellIsSolid(int32_t x, int32_t y, int32_t z);
