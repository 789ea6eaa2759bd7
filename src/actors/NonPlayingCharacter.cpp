#include "actors/NonPlayingCharacter.h"

#include <cstring>

#include "actors/AIBasePackage.h"
#include "actors/AIDrawingList.h"
#include "actors/AIManager.h"
#include "actors/AITargetPackage.h"
#include "actors/ActorImage.h"
#include "core/Convert.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "core/script/ScriptVariableStore.h"
#include "world/Camera.h"

namespace {

const char* Shown(const char* text) { return text != nullptr ? text : "(null)"; }

// Runs a script whose path the NPC owns; the script may replace the path or destroy the NPC.
void RunScript(const char* path, int32_t code) {
  if (path == nullptr || gLuaManager == nullptr) return;
  gLuaManager->ExecuteScript(path, code);
}

}  // namespace

void DestroyPackage(AIBasePackage* package) {
  if (package != nullptr) DeletePointer(package, package->GetType());
}

NonPlayingCharacter::NonPlayingCharacter()
    : drawingList(std::make_unique<AIDrawingList>(&animTimer, &animDirection)),
      variables(std::make_unique<ScriptVariableStore>()) {}

NonPlayingCharacter::~NonPlayingCharacter() {
  AIBasePackage* released = runningReleased ? running : nullptr;
  running = nullptr;
  runningReleased = false;
  ClearAIQueue();
  DestroyPackage(released);
  appearance.Destroy();
}

void NonPlayingCharacter::OnHit(ProjectileBase*) {}

bool NonPlayingCharacter::IsActiveFor(int32_t) { return true; }

void NonPlayingCharacter::UpdateAppearance() {}

PropertyRef NonPlayingCharacter::GetSubclassPropertyAddress(const char*) { return PropertyRef(); }

void NonPlayingCharacter::Update() {
  if (!activeFlag) return;
  const int32_t mode = gEntityManager != nullptr ? gEntityManager->GetClickMode() : -1;
  const Graveyard& graveyard = ProcessGraveyard();
  if (!IsActiveFor(mode) || graveyard.IsRetired(this)) return;

  bool fired = false;
  if (auto* package = static_cast<AIBasePackage*>(aiQueue.Advance(1, fired))) {
    running = package;
    runningReleased = fired;
    package->Update();
    // Retired by the step: the destructor finishes the package off after the walk.
    if (graveyard.IsRetired(this)) return;
    const bool released = runningReleased;
    running = nullptr;
    runningReleased = false;
    if (package->IsFinished()) {
      if (!released && aiQueue.Front() == package) aiQueue.PopFront();
      DestroyPackage(package);
    } else if (released) {
      DestroyPackage(package);
    }
  }

  if (aiQueue.GetCount() == 0 && scriptPath.Get() != nullptr) {
    if (gEntityManager != nullptr) gEntityManager->SetActiveEntity(this);
    RunScript(scriptPath.Get(), scriptArgument);
  }
}

void NonPlayingCharacter::Draw(ImageObject* target, Camera* camera) {
  if (!activeFlag || camera == nullptr) return;
  if (redraw && hasAppearance) {
    appearance.ClearToTransparent();
    UpdateAppearance();
  }
  drawX = SaturatingAdd(dimensions.minX, drawOffsetX);
  drawY = SaturatingAdd(dimensions.minY, drawOffsetY);
  DrawAppearanceAt(target, SaturatingAdd(drawX, -int64_t{camera->GetViewX()}),
                   SaturatingAdd(drawY, -int64_t{camera->GetViewY()}));
}

void NonPlayingCharacter::RecomputeBounds() {
  ::RecomputeBounds(dimensions);
  clickRect = {WrapAdd(dimensions.x, -9), WrapAdd(dimensions.y, -47), WrapAdd(dimensions.x, 9),
               WrapAdd(dimensions.y, 8)};
}

PropertyRef NonPlayingCharacter::GetPropertyAddress(const char* name) {
  if (name == nullptr) return PropertyRef();
  PropertyRef own = GetSubclassPropertyAddress(name);
  if (own.IsAlive()) return own;
  const LifetimeToken token = GetLifetimeToken();

  if (std::strncmp(name, "St|", 3) == 0) {
    const char* wanted = name + 3;
    for (int32_t i = 0; i < stateCount; ++i) {
      StateVariable& state = stateVariables[static_cast<size_t>(i)];
      const char* stateName = state.name.Get();
      if (stateName != nullptr && std::strcmp(stateName, wanted) == 0) {
        return PropertyRef::Byte(state.flag, token);
      }
    }
    Log("Pointer Routing:  Failed, no state variable %s found in %s\n", wanted,
        Shown(internalName.Get()));
    return PropertyRef();
  }

  using N = NonPlayingCharacter;
  static constexpr PropertyField<N> kFields[] = {
      FieldOf<&N::type, PropertyRef::Integer>("Type"),
      {"XCenter", [](N& n, LifetimeToken t) { return PropertyRef::Integer(n.dimensions.x, t); }},
      {"YCenter", [](N& n, LifetimeToken t) { return PropertyRef::Integer(n.dimensions.y, t); }},
      {"ZCenter", [](N& n, LifetimeToken t) { return PropertyRef::Integer(n.dimensions.z, t); }},
      {"XSize", [](N& n, LifetimeToken t) { return PropertyRef::Integer(n.dimensions.w, t); }},
      {"YSize", [](N& n, LifetimeToken t) { return PropertyRef::Integer(n.dimensions.h, t); }},
      {"ZSize", [](N& n, LifetimeToken t) { return PropertyRef::Integer(n.dimensions.d, t); }},
      FieldOf<&N::imageW, PropertyRef::Integer>("ImageW"),
      FieldOf<&N::imageH, PropertyRef::Integer>("ImageH"),
      FieldOf<&N::animTimer, PropertyRef::Integer>("AnimTimer"),
      FieldOf<&N::animDirection, PropertyRef::Integer>("AnimDirection"),
      FieldOf<&N::speed, PropertyRef::Float>("Speed"),
      FieldOf<&N::fastSpeed, PropertyRef::Float>("FastSpeed"),
      FieldOf<&N::uniqueID, PropertyRef::Identifier>("UniqueID"),
      {"InternalName",
       [](N& n, LifetimeToken t) { return PropertyRef::TextSlot(n.internalName.slot, t); }},
      {"DialoguePath",
       [](N& n, LifetimeToken t) { return PropertyRef::TextSlot(n.dialoguePath.slot, t); }},
      {"ScriptPath",
       [](N& n, LifetimeToken t) { return PropertyRef::TextSlot(n.scriptPath.slot, t); }},
      {"AIDrawingList",
       [](N& n, LifetimeToken t) {
         return PropertyRef::Object(PropertyRef::kAIDrawingList, n.drawingList.get(), t);
       }},
      {"Appearance",
       [](N& n, LifetimeToken t) {
         return PropertyRef::Object(PropertyRef::kImage, n.GetAppearance(), t);
       }},
      {"VariableList",
       [](N& n, LifetimeToken t) {
         return PropertyRef::Object(PropertyRef::kVariableStore, n.variables.get(), t);
       }},
      ObjectFieldOf<&N::dimensions, PropertyRef::kDimensions>("Dimensions"),
  };
  for (const PropertyField<N>& field : kFields) {
    if (std::strcmp(field.name, name) == 0) return field.address(*this, token);
  }
  Log("Pointer Routing:  Failed, no variable %s found in %s\n", name, Shown(internalName.Get()));
  return PropertyRef();
}

PropertyRef NonPlayingCharacter::GetPropertyAddress(const char*, const char* property) {
  return GetPropertyAddress(property);
}

void NonPlayingCharacter::SetDisplayData(int32_t offsetX, int32_t offsetY, int32_t width,
                                         int32_t height) {
  hasAppearance = MakeActorImage(appearance, width, height);
  drawOffsetX = offsetX;
  drawOffsetY = offsetY;
  imageW = width;
  imageH = height;
}

void NonPlayingCharacter::AllocateStateVariables(int32_t count) {
  stateCount = 0;
  if (count <= 0) return;
  if (count > kMaxStateVariables) {
    Log("NPC AllocateStateVariables:  Failed, too many state variables (%i)\n", count);
    return;
  }
  while (stateVariables.size() < static_cast<size_t>(count)) stateVariables.emplace_back();
  for (int32_t i = 0; i < count; ++i) {
    StateVariable& state = stateVariables[static_cast<size_t>(i)];
    state.name.Set(nullptr);
    state.flag = 0;
  }
  stateCount = count;
}

void NonPlayingCharacter::SetStateVariable(int32_t index, const char* name, int32_t flag) {
  if (index < 0 || index >= stateCount) return;
  StateVariable& state = stateVariables[static_cast<size_t>(index)];
  state.name.Set(name);
  state.flag = flag != 0 ? 1 : 0;
}

void NonPlayingCharacter::PushAI(const char* name, int32_t duration, AIBasePackage* package,
                                 bool hold) {
  aiQueue.PushTimed(name, duration, hold, package);
}

void NonPlayingCharacter::ClearAIQueue() {
  while (aiQueue.GetCount() > 0) {
    auto* package = static_cast<AIBasePackage*>(aiQueue.PopFront());
    if (package == nullptr) break;
    if (package == running) {
      runningReleased = true;
    } else {
      DestroyPackage(package);
    }
  }
}

bool NonPlayingCharacter::IsInClickRect(int32_t x, int32_t y) const {
  return PointInRect(x, y, clickRect.left, clickRect.top, clickRect.right, clickRect.bottom);
}

void NonPlayingCharacter::DrawAppearanceAt(ImageObject* target, int32_t x, int32_t y) {
  if (target == nullptr) return;
  target->SetAsTarget();
  if (hasAppearance) appearance.DrawAt(x, y, 0);
}
