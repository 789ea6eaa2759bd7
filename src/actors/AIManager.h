#pragma once

#include <cstdint>
#include <lua.hpp>

#include "actors/AINamedList.h"
#include "actors/AnimationState.h"
#include "core/RootObject.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"
#include "world/FloatingAI.h"

class AIBasePackage;
class AIDrawingList;
class AIDrawingPackage;
class Animation;

// Owns the script-built AI objects that are not tied to one actor: the floating packages (run
// every tick until the map is unloaded), the animations and the drawing packages (kept to the end
// of the program). Holds the active objects the AI script functions act on; each slot is cleared
// when its object is destroyed. Answers the property router for the owner "AIManager" and, for
// "ActiveAIDrawingList", with its active drawing list.
class AIManager final : public RootObject, public PropertyHolder, public FloatingAI {
 public:
  // The three lists a script names.
  enum class ListKind { Floating, Animations, DrawingPackages };

  // Registers the AI script functions with the Lua manager, when there is one, and fills the
  // router's two owner slots.
  AIManager();
  // Destroys every object of the lists; the router's slots empty.
  ~AIManager();
  AIManager(const AIManager&) = delete;
  AIManager& operator=(const AIManager&) = delete;

  // Every floating package's Update, head first. A package's script may delete packages (they are
  // not visited afterwards), add some (visited in the same pass) or unload the map: what
  // ClearFloatingAI takes away during the walk is destroyed when the walk ends.
  void Update();
  // Destroys every floating package and empties the list; animations and drawing packages stay.
  void ClearFloatingAI() override;

  // "Base" with an object's name as the property: that floating package (type 1000), animation
  // (1202) or drawing package (1201), in that order. Another object: the floating package of that
  // name answers for its property (none), a drawing package answers none. Misses log their line.
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

  // The first object of that name, or none.
  AIBasePackage* FindFloatingPackage(const char* name) const;
  AIDrawingPackage* FindDrawingPackage(const char* name) const;
  Animation* FindAnimation(const char* name) const;

  // Appends under the name; the list then holds the object until it is removed or destroyed.
  void AddFloatingPackage(const char* name, AIBasePackage* package);
  void AddAnimation(const char* name, Animation* animation);
  void AddDrawingPackage(const char* name, AIDrawingPackage* package);
  // Unlinks the first entry of that name from the named list ("FloatingAIPackageList",
  // "AnimationsList", "AIDrawingPackageList"); the object is not destroyed. Another list name does
  // nothing.
  void RemoveObject(const char* listName, const char* name);

  int32_t GetFloatingCount() const { return floating.GetCount(); }
  int32_t GetAnimationCount() const { return animations.GetCount(); }

  // The active slots.
  AIBasePackage* GetActiveAIPackage() const { return activePackage; }
  void SetActiveAIPackage(AIBasePackage* package) { activePackage = package; }
  // The drawing list is kept as the reference it was routed through: it answers none as soon as
  // the list's owner is retired (a map change removing its NPC) or gone.
  AIDrawingList* GetActiveDrawingList() const {
    return activeDrawingList.ObjectAs<AIDrawingList>(PropertyRef::kAIDrawingList);
  }
  // A reference of another type leaves no list active.
  void SetActiveDrawingList(const PropertyRef& list);
  AIDrawingPackage* GetActiveDrawingPackage() const { return activeDrawingPackage; }
  void SetActiveDrawingPackage(AIDrawingPackage* package) { activeDrawingPackage = package; }
  Animation* GetActiveAnimation() const { return activeAnimation; }
  void SetActiveAnimation(Animation* animation) { activeAnimation = animation; }
  // The state whose children are being filled (none at the base) and the list AIS_AddState adds
  // to (none until a state list was selected, and once the drawing list's owner is retired).
  AnimationState* GetActiveState() const {
    return selectionOwner.IsAlive() ? activeState : nullptr;
  }
  AnimationStateList* GetCurrentStateList() const {
    return selectionOwner.IsAlive() ? currentStateList : nullptr;
  }
  // Selects the top level of the active drawing list; false, selecting nothing, without one.
  bool SelectBaseState();
  // Selects a state of the current list, whose children AIS_AddState then adds.
  void SelectState(AnimationState* state);

  // Called by the destructors: clears the slots that name the object and takes it out of the
  // lists.
  void Forget(const AIBasePackage* package);
  void Forget(const AIDrawingList* list);
  void Forget(const AnimationState* state);
  void Forget(const Animation* animation);
  void Forget(const AIDrawingPackage* package);

 private:
  PropertyOwnerSlot managerSlot;
  PropertyOwnerSlot drawingListSlot;
  AINamedList<AIBasePackage> floating;
  AINamedList<Animation> animations;
  AINamedList<AIDrawingPackage> drawingPackages;
  // What RemoveObject took out of the lists: still in use (layers, slots), destroyed with the
  // manager.
  AINamedList<AIBasePackage> unlinkedPackages;
  AINamedList<Animation> unlinkedAnimations;
  AINamedList<AIDrawingPackage> unlinkedDrawingPackages;
  AIBasePackage* activePackage = nullptr;
  PropertyRef activeDrawingList;
  AIDrawingPackage* activeDrawingPackage = nullptr;
  Animation* activeAnimation = nullptr;
  AnimationState* activeState = nullptr;
  AnimationStateList* currentStateList = nullptr;
  // The drawing list the selection lies in, as it was routed.
  PropertyRef selectionOwner;
};

// Destroys an object given untyped, by its type code: 10 an Allegro bitmap, 200 the AI manager,
// and the AI codes 1000-1103, 1200-1203, 1300-1302, 1400, 1500. Any other code logs its line and
// destroys nothing; none does nothing.
void DeletePointer(void* object, int32_t typeCode);

// The list named exactly so, or none.
bool ListKindFromName(const char* name, AIManager::ListKind& kind);

// The AI script functions; the AI manager's constructor registers them.
extern const ScriptFamily kAIFamily;
