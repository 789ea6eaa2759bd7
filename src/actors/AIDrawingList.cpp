#include "actors/AIDrawingList.h"

#include <algorithm>

#include "actors/AIBasePackage.h"
#include "actors/AIDrawingPackage.h"
#include "actors/AIManager.h"
#include "core/Globals.h"
#include "resources/ImageObject.h"

AIDrawingList::AIDrawingList(const int32_t* timeSource, const int32_t* rowSource)
    : timeSource(timeSource), rowSource(rowSource) {
  typeCode = AIType::kDrawingList;
}

AIDrawingList::~AIDrawingList() {
  DestroyStates(rootStates);
  if (gAIManager != nullptr) gAIManager->Forget(this);
}

void AIDrawingList::AddEntry(const char* name, AIDrawingPackage* package) {
  if (name == nullptr) return;
  LifetimeToken alive = package != nullptr ? package->GetLifetimeToken() : LifetimeToken();
  entries.push_back({name, package, std::move(alive), 0, true});
}

AIDrawingList::Entry* AIDrawingList::FindEntry(const char* name) {
  if (name == nullptr) return nullptr;
  auto found = std::find_if(entries.begin(), entries.end(),
                            [name](const Entry& entry) { return entry.name == name; });
  return found != entries.end() ? &*found : nullptr;
}

void AIDrawingList::SetEntryPackage(const char* name, AIDrawingPackage* package) {
  if (Entry* entry = FindEntry(name)) {
    entry->package = package;
    entry->failures = RepeatedFailure();
    entry->alive = package != nullptr ? package->GetLifetimeToken() : LifetimeToken();
  }
}

void AIDrawingList::SetEntryPalette(const char* name, int32_t palette) {
  if (Entry* entry = FindEntry(name)) entry->palette = palette;
}

void AIDrawingList::EnableEntry(const char* name) {
  if (Entry* entry = FindEntry(name)) entry->enabled = true;
}

void AIDrawingList::DisableEntry(const char* name) {
  if (Entry* entry = FindEntry(name)) entry->enabled = false;
}

void AIDrawingList::RemoveEntry(const char* name) {
  if (Entry* entry = FindEntry(name)) entries.erase(entries.begin() + (entry - entries.data()));
}

int32_t AIDrawingList::ResolveAnimationIndex() const {
  int32_t index = -1;
  rootStates.ForEach([&index](const std::string&, AnimationState* state) {
    if (index == -1) index = state->Resolve();
  });
  return index;
}

void AIDrawingList::Draw(ImageObject* target, int32_t x, int32_t y, int32_t flags) const {
  if (target == nullptr || timeSource == nullptr || rowSource == nullptr) return;
  target->SetAsTarget();
  const int32_t index = ResolveAnimationIndex();
  for (const Entry& entry : entries) {
    if (!entry.enabled) continue;
    const int32_t palette = paletteOverride != -1 ? paletteOverride : entry.palette;
    // Packages live to the end of the program; one destroyed through DeletePointer is passed over.
    if (!entry.alive.IsAlive()) continue;
    entry.package->DrawToImage(target, index, palette, *timeSource, *rowSource, x, y, flags,
                               entry.failures);
  }
}
