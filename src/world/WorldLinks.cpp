#include "world/WorldLinks.h"

#include "core/Globals.h"

namespace {
WorldLinks links;
const bool resetRegistered = AddHookReset(&ResetWorldLinks);
}  // namespace

WorldLinks& GetWorldLinks() { return links; }

void ResetWorldLinks() { links = WorldLinks(); }
