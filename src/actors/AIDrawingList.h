#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "actors/AnimationState.h"
#include "core/Lifetime.h"
#include "core/RepeatedFailure.h"
#include "core/RootObject.h"
#include "core/script/PropertyHolder.h"

class AIDrawingPackage;
class ImageObject;

// An actor's look: layers (entries), each drawing one shared drawing package with its own
// palette, over a state tree that picks from the actor's flags which animation every layer
// shows. It exposes no properties. Destroying it clears the AI manager's slots that point into it.
class AIDrawingList final : public RootObject, public PropertyHolder {
 public:
  // The owner's animation timer and direction; either may be none (nothing is drawn then).
  AIDrawingList(const int32_t* timeSource, const int32_t* rowSource);
  // Forgets the entries (not their packages) and destroys the state tree.
  ~AIDrawingList();

  // Appends a layer {package, palette 0, enabled}; names need not be unique.
  void AddEntry(const char* name, AIDrawingPackage* package);
  // Each acts on the first layer of that name; nothing when there is none.
  void SetEntryPackage(const char* name, AIDrawingPackage* package);
  void SetEntryPalette(const char* name, int32_t palette);
  void EnableEntry(const char* name);
  void DisableEntry(const char* name);
  void RemoveEntry(const char* name);
  void ClearEntries() { entries.clear(); }
  int32_t GetEntryCount() const { return static_cast<int32_t>(entries.size()); }

  // -1 restores each layer's own palette.
  void SetPaletteOverride(int32_t palette) { paletteOverride = palette; }
  AnimationStateList& GetRootStateList() { return rootStates; }
  const AnimationStateList& GetRootStateList() const { return rootStates; }

  // The first top-level state that applies gives the index; -1 when none does.
  int32_t ResolveAnimationIndex() const;
  // Makes the target the drawing target and draws every enabled layer, head first, so later
  // layers cover earlier ones. Nothing without a target, time source or row source.
  void Draw(ImageObject* target, int32_t x, int32_t y, int32_t flags) const;

 private:
  struct Entry {
    std::string name;
    AIDrawingPackage* package;
    LifetimeToken alive;
    int32_t palette;
    bool enabled;
    // The layer is drawn every frame: its failure lines are kept from repeating.
    mutable RepeatedFailure failures{};
  };
  Entry* FindEntry(const char* name);

  std::vector<Entry> entries;
  const int32_t* timeSource;
  const int32_t* rowSource;
  AnimationStateList rootStates;
  int32_t paletteOverride = -1;
};
