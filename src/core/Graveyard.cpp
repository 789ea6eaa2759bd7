#include "core/Graveyard.h"

Graveyard::~Graveyard() {
  depth = 0;
  Empty();
}

Graveyard::Walk::Walk(Graveyard& graveyard) : graveyard(graveyard) { ++graveyard.depth; }

Graveyard::Walk::~Walk() {
  if (--graveyard.depth == 0) graveyard.Empty();
}

void Graveyard::Bury(const void* key, std::function<void()> destroy) {
  if (key == nullptr || !destroy || Holds(key)) return;
  buried.emplace_back(key, std::move(destroy));
  if (depth == 0) Empty();
}

bool Graveyard::Holds(const void* key) const {
  for (const auto& grave : buried) {
    if (grave.first == key) return true;
  }
  return false;
}

void Graveyard::Empty() {
  // A destructor may bury more (an owner destroying what it owns); those join this same round.
  // Destroyed entries stay listed until the end, so an object reached twice is destroyed once.
  if (emptying) return;
  emptying = true;
  for (size_t i = 0; i < buried.size(); ++i) {
    std::function<void()> destroy = std::move(buried[i].second);
    destroy();
  }
  buried.clear();
  emptying = false;
}
