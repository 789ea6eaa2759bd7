#include "actors/AIManager.h"

#include <allegro5/allegro.h>

#include <cstring>

#include "actors/AIAutoScriptPackage.h"
#include "actors/AIBasePackage.h"
#include "actors/AIDrawingList.h"
#include "actors/AIDrawingPackage.h"
#include "actors/AIFrameSetter.h"
#include "actors/AIValueRouter.h"
#include "actors/AIValueScaleRouter.h"
#include "actors/Animation.h"
#include "actors/AnimationState.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/Log.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptCall.h"

AIManager::AIManager()
    : managerSlot(PropertyOwner::AIManager,
                  [this](const char*) -> PropertyHolder* { return this; }),
      drawingListSlot(PropertyOwner::ActiveAIDrawingList,
                      [this](const char*) -> PropertyHolder* { return GetActiveDrawingList(); }) {
  typeCode = 200;
  RegisterWithLuaManager(kAIFamily);
}

AIManager::~AIManager() {
  if (gAIManager == this) gAIManager = nullptr;
  for (Animation* animation : animations.TakeAll()) delete animation;
  for (AIDrawingPackage* package : drawingPackages.TakeAll()) delete package;
  for (AIBasePackage* package : floating.TakeAll()) delete package;
  for (Animation* animation : unlinkedAnimations.TakeAll()) delete animation;
  for (AIDrawingPackage* package : unlinkedDrawingPackages.TakeAll()) delete package;
  for (AIBasePackage* package : unlinkedPackages.TakeAll()) delete package;
}

void AIManager::Update() {
  // Declared first, so what the walk buries is destroyed after the walk has ended.
  Graveyard::Walk walk;
  floating.Walk([](AIBasePackage* package) { package->Update(); });
}

void AIManager::ClearFloatingAI() {
  Graveyard::Walk burial;
  for (AIBasePackage* package : floating.TakeAll()) {
    if (activePackage == package) activePackage = nullptr;
    ProcessGraveyard().Bury(package);
  }
}

PropertyRef AIManager::GetPropertyAddress(const char* object, const char* property) {
  if (std::strcmp(object, "Base") == 0) {
    if (AIBasePackage* package = floating.Find(property)) {
      return PropertyRef::Object(PropertyRef::kFloatingAIPackage, package,
                                 package->GetLifetimeToken());
    }
    if (Animation* animation = animations.Find(property)) {
      return PropertyRef::Object(PropertyRef::kAnimation, animation, animation->GetLifetimeToken());
    }
    if (AIDrawingPackage* package = drawingPackages.Find(property)) {
      return PropertyRef::Object(PropertyRef::kAIDrawingPackage, package,
                                 package->GetLifetimeToken());
    }
    Log("AIManager GetPropertyAddress:  Failed, no property %s in Base\n", property);
    return PropertyRef();
  }
  if (AIBasePackage* package = floating.Find(object)) {
    return package->GetPropertyAddress(object, property);
  }
  if (drawingPackages.Find(object) != nullptr) return PropertyRef();
  Log("AIManager GetPropertyAddress:  Failed, no object %s in Manager's Lists\n", object);
  return PropertyRef();
}

AIBasePackage* AIManager::FindFloatingPackage(const char* name) const {
  return name != nullptr ? floating.Find(name) : nullptr;
}

AIDrawingPackage* AIManager::FindDrawingPackage(const char* name) const {
  return name != nullptr ? drawingPackages.Find(name) : nullptr;
}

Animation* AIManager::FindAnimation(const char* name) const {
  return name != nullptr ? animations.Find(name) : nullptr;
}

void AIManager::AddFloatingPackage(const char* name, AIBasePackage* package) {
  if (name != nullptr) floating.Add(name, package);
}

void AIManager::AddAnimation(const char* name, Animation* animation) {
  if (name != nullptr) animations.Add(name, animation);
}

void AIManager::AddDrawingPackage(const char* name, AIDrawingPackage* package) {
  if (name != nullptr) drawingPackages.Add(name, package);
}

bool ListKindFromName(const char* name, AIManager::ListKind& kind) {
  if (name == nullptr) return false;
  static constexpr struct {
    const char* name;
    AIManager::ListKind kind;
  } kLists[] = {
      {"FloatingAIPackageList", AIManager::ListKind::Floating},
      {"AnimationsList", AIManager::ListKind::Animations},
      {"AIDrawingPackageList", AIManager::ListKind::DrawingPackages},
  };
  for (const auto& list : kLists) {
    if (std::strcmp(list.name, name) == 0) {
      kind = list.kind;
      return true;
    }
  }
  return false;
}

void AIManager::RemoveObject(const char* listName, const char* name) {
  ListKind kind;
  if (name == nullptr || !ListKindFromName(listName, kind)) return;
  switch (kind) {
    case ListKind::Floating:
      unlinkedPackages.Add(name, floating.Remove(name));
      break;
    case ListKind::Animations:
      unlinkedAnimations.Add(name, animations.Remove(name));
      break;
    case ListKind::DrawingPackages:
      unlinkedDrawingPackages.Add(name, drawingPackages.Remove(name));
      break;
  }
}

void AIManager::SetActiveDrawingList(const PropertyRef& list) {
  activeDrawingList = list.GetType() == PropertyRef::kAIDrawingList ? list : PropertyRef();
}

bool AIManager::SelectBaseState() {
  AIDrawingList* list = GetActiveDrawingList();
  if (list == nullptr) return false;
  activeState = nullptr;
  currentStateList = &list->GetRootStateList();
  selectionOwner = activeDrawingList;
  return true;
}

void AIManager::SelectState(AnimationState* state) {
  activeState = state;
  currentStateList = state != nullptr ? &state->GetChildList() : nullptr;
}

void AIManager::Forget(const AIBasePackage* package) {
  if (activePackage == package) activePackage = nullptr;
  floating.RemovePointer(package);
  unlinkedPackages.RemovePointer(package);
}

void AIManager::Forget(const AIDrawingList* list) {
  if (GetActiveDrawingList() == list) activeDrawingList = PropertyRef();
  // Its states have gone first, each clearing the selection that pointed into it; the root list
  // is left.
  if (currentStateList == &list->GetRootStateList()) {
    activeState = nullptr;
    currentStateList = nullptr;
  }
}

void AIManager::Forget(const AnimationState* state) {
  if (activeState == state) activeState = nullptr;
  if (currentStateList == &state->GetChildList()) {
    currentStateList = nullptr;
  }
}

void AIManager::Forget(const Animation* animation) {
  if (activeAnimation == animation) activeAnimation = nullptr;
  animations.RemovePointer(animation);
  unlinkedAnimations.RemovePointer(animation);
}

void AIManager::Forget(const AIDrawingPackage* package) {
  if (activeDrawingPackage == package) activeDrawingPackage = nullptr;
  drawingPackages.RemovePointer(package);
  unlinkedDrawingPackages.RemovePointer(package);
}

void DeletePointer(void* object, int32_t typeCode) {
  if (object == nullptr) return;
  switch (typeCode) {
    case 10:
      al_destroy_bitmap(static_cast<ALLEGRO_BITMAP*>(object));
      return;
    case 200:
      delete static_cast<AIManager*>(object);
      return;
    case AIType::kBasePackage:
    case AIType::kBasePath:
    case AIType::kSlidePath:
    case AIType::kSlideBouncePath:
    case AIType::kFollowing:
    case AIType::kValueRouter:
    case AIType::kValueScaleRouter:
    case AIType::kAutoScript:
    case AIType::kFrameSetter:
    case AIType::kTarget:
      // Every package class is destroyed through the base's virtual destructor.
      delete static_cast<AIBasePackage*>(object);
      return;
    case AIType::kDrawingList:
      delete static_cast<AIDrawingList*>(object);
      return;
    case AIType::kDrawingPackage:
      delete static_cast<AIDrawingPackage*>(object);
      return;
    case AIType::kAnimation:
      delete static_cast<Animation*>(object);
      return;
    case AIType::kAnimationState:
      delete static_cast<AnimationState*>(object);
      return;
    default:
      Log("DeletePointer:  Failed, could not find a pointer of type %i\n", typeCode);
  }
}
