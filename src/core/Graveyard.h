#pragma once

#include <functional>
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/RootObject.h"

// Defers destruction of objects taken out of a registry while a walk may still reach them: a
// script run from inside a walk can clear the registry that is being walked (a map change from an
// NPC's update). The registry unlinks the objects at once and buries them here; they are
// destroyed, in burial order, when the outermost walk ends. Outside any walk a burial destroys at
// once.
//
// The process has one (ProcessGraveyard), which every registry buries into and which the game loop
// keeps open around each event it handles, so a walk inside another registry's walk waits for
// the outer one too.
class Graveyard {
 public:
  Graveyard() = default;
  // Destroys whatever is still buried.
  ~Graveyard();
  Graveyard(const Graveyard&) = delete;
  Graveyard& operator=(const Graveyard&) = delete;

  // Marks a walk for as long as it lives; walks nest.
  class Walk {
   public:
    explicit Walk(Graveyard& graveyard);
    Walk();  // over the process's graveyard
    ~Walk();
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

   private:
    Graveyard& graveyard;
  };

  bool Walking() const { return depth > 0; }

  // Destroys the object through its own kind, now or when the outermost walk ends. A none object
  // is ignored; an object already retired is not buried twice. A managed object's references go
  // dead at once, so nothing reads it in the rest of the walk.
  template <class T>
  void Bury(T* object) {
    if (object == nullptr) return;
    if constexpr (std::is_base_of_v<RootObject, T>) object->RootObject::lifetime.Retire();
    Bury(object, [object] { delete object; });
  }
  void Bury(const void* key, std::function<void()> destroy);

  // Whether the object is buried and not destroyed yet: code that ran a script asks this before
  // touching its own object again, and a registry forgets such objects. Constant time.
  bool IsRetired(const void* key) const { return retired.contains(key); }

 private:
  void Empty();

  int depth = 0;
  bool emptying = false;
  std::vector<std::pair<const void*, std::function<void()>>> buried;
  std::unordered_set<const void*> retired;
};

// The one graveyard of the process.
Graveyard& ProcessGraveyard();
