#include "core/Graveyard.h"

Graveyard::~Graveyard() {
  depth = 0;
  Empty();
}

Graveyard::Walk::Walk(Graveyard& graveyard) : graveyard(graveyard) { ++graveyard.depth; }

Graveyard::Walk::Walk() : Walk(ProcessGraveyard()) {}

Graveyard::Walk::~Walk() {
  if (--graveyard.depth == 0) graveyard.Empty();
}

void Graveyard::Bury(const void* key, std::function<void()> destroy) {
  if (key == nullptr || !destroy || !retired.insert(key).second) return;
  buried.emplace_back(key, std::move(destroy));
  if (depth == 0) Empty();
}

void Graveyard::Empty() {
  // A destructor may bury more (an owner destroying what it owns); those join this same round.
  // Destroyed objects stay retired until the end, so an object reached twice is destroyed once.
  if (emptying) return;
  emptying = true;
  for (size_t i = 0; i < buried.size(); ++i) {
    std::function<void()> destroy = std::move(buried[i].second);
    destroy();
  }
  buried.clear();
  retired.clear();
  emptying = false;
}

Graveyard& ProcessGraveyard() {
  static Graveyard graveyard;
  return graveyard;
}
