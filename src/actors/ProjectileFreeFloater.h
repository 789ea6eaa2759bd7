#pragma once

#include "actors/ProjectileBase.h"

// A projectile moved by a simple pack: it flies at the speeds its creation gave it and dies once
// it has left the view.
class ProjectileFreeFloater : public ProjectileBase {
 public:
  ProjectileFreeFloater();
};
