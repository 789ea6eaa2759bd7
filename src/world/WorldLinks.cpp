#include "world/WorldLinks.h"

namespace {
WorldLinks links;
}

WorldLinks& GetWorldLinks() { return links; }

void ResetWorldLinks() { links = WorldLinks(); }
