// The AI script functions: the manager, drawing lists and packages, animations and states, value
// routers, and the following and slide packages. Each acts on the AI manager's active objects.

#include <cstring>

#include "actors/AIAutoScriptPackage.h"
#include "actors/AIDrawingList.h"
#include "actors/AIDrawingPackage.h"
#include "actors/AIFollowingPackage.h"
#include "actors/AIManager.h"
#include "actors/AISlidePathPackage.h"
#include "actors/AIValueRouter.h"
#include "actors/AIValueScaleRouter.h"
#include "actors/Animation.h"
#include "actors/AnimationState.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptCall.h"

namespace {

// The active AI package when it is of one of the type codes.
template <class Package>
Package* ActiveOfType(const AIManager& manager, std::initializer_list<int32_t> types) {
  AIBasePackage* active = manager.GetActiveAIPackage();
  if (active == nullptr) return nullptr;
  for (int32_t type : types) {
    if (active->GetType() == type) return static_cast<Package*>(active);
  }
  return nullptr;
}

// ---- the manager ----

struct ActiveKind {
  const char* name;
  int32_t type;
};
constexpr ActiveKind kActiveKinds[] = {
    {"DrawingList", PropertyRef::kAIDrawingList},
    {"FloatingAI", PropertyRef::kFloatingAIPackage},
    {"DrawingPackage", PropertyRef::kAIDrawingPackage},
    {"Animation", PropertyRef::kAnimation},
};

int AIM_SetActiveAIObject(lua_State* state) {
  ScriptCall call(state, "AIM SetActiveAIObject");
  const char* text[4];
  AIManager* manager = call.Begin(4, gAIManager, text[0], text[1], text[2], text[3]);
  if (manager == nullptr) return 0;
  const ActiveKind* kind = nullptr;
  for (const ActiveKind& candidate : kActiveKinds) {
    if (std::strcmp(candidate.name, text[0]) == 0) kind = &candidate;
  }
  if (kind == nullptr) {
    Log("AIM SetActiveAIObject:  Failed, could not discern type %s\n", text[0]);
    return 0;
  }
  const PropertyRef routed = RouteProperty(text[1], text[2], text[3]);
  // Another kind of object in the slot would be used as the wrong class.
  if (routed.IsAlive() && routed.GetType() != kind->type) {
    Log("AIM SetActiveAIObject:  Failed, %s is not a %s\n", text[3], kind->name);
  }
  switch (kind->type) {
    case PropertyRef::kAIDrawingList:
      manager->SetActiveDrawingList(routed);
      break;
    case PropertyRef::kFloatingAIPackage:
      manager->SetActiveAIPackage(routed.ObjectAs<AIBasePackage>(kind->type));
      break;
    case PropertyRef::kAIDrawingPackage:
      manager->SetActiveDrawingPackage(routed.ObjectAs<AIDrawingPackage>(kind->type));
      break;
    default:
      manager->SetActiveAnimation(routed.ObjectAs<Animation>(kind->type));
  }
  return 0;
}

// What AIM_CreateObject builds: the kind's name, its list, and how it is made and made active.
struct CreatedKind {
  const char* name;
  AIManager::ListKind list;
  void (*create)(AIManager& manager, const char* name, ScriptCall& call);
};

template <class Package>
void CreatePackage(AIManager& manager, const char* name, ScriptCall&) {
  auto* package = new Package();
  manager.AddFloatingPackage(name, package);
  manager.SetActiveAIPackage(package);
}

void CreateAutoScript(AIManager& manager, const char* name, ScriptCall& call) {
  auto* package = new AIAutoScriptPackage();
  package->SetScript(call.Text(4), call.Integer(5));
  manager.AddFloatingPackage(name, package);
  manager.SetActiveAIPackage(package);
}

void CreateDrawingPackage(AIManager& manager, const char* name, ScriptCall&) {
  auto* package = new AIDrawingPackage();
  manager.AddDrawingPackage(name, package);
  manager.SetActiveDrawingPackage(package);
}

void CreateAnimation(AIManager& manager, const char* name, ScriptCall&) {
  auto* animation = new Animation();
  manager.AddAnimation(name, animation);
  manager.SetActiveAnimation(animation);
}

constexpr CreatedKind kCreatedKinds[] = {
    {"AIValueRouter", AIManager::ListKind::Floating, &CreatePackage<AIValueRouter>},
    {"AIValueScaleRouter", AIManager::ListKind::Floating, &CreatePackage<AIValueScaleRouter>},
    {"AIAutoScript", AIManager::ListKind::Floating, &CreateAutoScript},
    {"AIDrawingPackage", AIManager::ListKind::DrawingPackages, &CreateDrawingPackage},
    {"Animation", AIManager::ListKind::Animations, &CreateAnimation},
};

int AIM_CreateObject(lua_State* state) {
  ScriptCall call(state, "AIM CreateObject");
  const char* name;
  const char* listName;
  const char* kindName;
  AIManager* manager = call.Begin(Arity::AtLeast(3), gAIManager, name, listName, kindName);
  if (manager == nullptr) return 0;
  AIManager::ListKind list;
  if (!ListKindFromName(listName, list)) {
    Log("AIM_CreateObject: Invalid SubList specifier\n");
    return 0;
  }
  const CreatedKind* kind = nullptr;
  for (const CreatedKind& candidate : kCreatedKinds) {
    if (std::strcmp(candidate.name, kindName) == 0) kind = &candidate;
  }
  if (kind == nullptr) {
    Log("AIM CreateObject:  Failed, invalid object specifier %s\n", kindName);
    return 0;
  }
  // The lists are walked as their own kind: a misplaced object would be updated as a package.
  if (kind->list != list) {
    Log("AIM CreateObject:  Failed, %s does not belong in %s\n", kindName, listName);
    return 0;
  }
  // Nothing could give a script-less auto-script its script later.
  if (kind->create == &CreateAutoScript && (call.Count() < 5 || call.Text(4) == nullptr)) {
    return call.FailInvalid();
  }
  kind->create(*manager, name, call);
  return 0;
}

int AIM_DeleteObject(lua_State* state) {
  ScriptCall call(state, "AIM DeleteObject");
  const char* text[2];
  AIManager* manager = call.Begin(2, gAIManager, text[0], text[1]);
  if (manager != nullptr) manager->RemoveObject(text[0], text[1]);
  return 0;
}

// AI_GetType, AI_Activate and AI_Deactivate: the active package without arguments.
AIBasePackage* ActivePackage(ScriptCall& call, const char* notSetLine) {
  AIManager* manager = call.Begin(Arity::Any(), gAIManager);
  if (manager == nullptr) return nullptr;
  AIBasePackage* package = manager->GetActiveAIPackage();
  if (package == nullptr) Log("%s", notSetLine);
  return package;
}

int AI_GetType(lua_State* state) {
  ScriptCall call(state, "AI_GetType");
  AIBasePackage* package = ActivePackage(call, "AI_GetType:  Active AI was not set.\n");
  return package != nullptr ? call.Push(package->GetType()) : 0;
}

int AI_Activate(lua_State* state) {
  ScriptCall call(state, "AI_Activate");
  AIBasePackage* package = ActivePackage(call, "AI_Activate: Active AI was not set\n");
  if (package != nullptr) package->SetActive(true);
  return 0;
}

int AI_Deactivate(lua_State* state) {
  ScriptCall call(state, "AI_Deactivate");
  AIBasePackage* package = ActivePackage(call, "AI_Deactivate: Active AI was not set\n");
  if (package != nullptr) package->SetActive(false);
  return 0;
}

// ---- drawing lists ----

constexpr const char* kNoDrawingList = "Active Drawing List was not set\n";

AIDrawingList* ActiveDrawingList(const AIManager& manager, const char* notSetLine) {
  AIDrawingList* list = manager.GetActiveDrawingList();
  if (list == nullptr) Log("%s", notSetLine);
  return list;
}

// AIDL_AddAI and AIDL_SwitchAI: an entry name and a package's name; the package is looked for
// before the list.
AIDrawingList* EntryAndPackage(ScriptCall& call, const char* text[2], AIDrawingPackage*& package) {
  AIManager* manager = call.Begin(2, gAIManager, text[0], text[1]);
  if (manager == nullptr) return nullptr;
  package = manager->FindDrawingPackage(text[1]);
  if (package == nullptr) {
    Log("Failed to find package %s\n", text[1]);
    return nullptr;
  }
  return ActiveDrawingList(*manager, kNoDrawingList);
}

int AIDL_AddAI(lua_State* state) {
  ScriptCall call(state, "AIDL AddAI");
  const char* text[2];
  AIDrawingPackage* package;
  if (AIDrawingList* list = EntryAndPackage(call, text, package)) {
    list->AddEntry(text[0], package);
    Log("Added AI Routine %s to Active Drawing List\n", text[1]);
  }
  return 0;
}

int AIDL_SwitchAI(lua_State* state) {
  ScriptCall call(state, "AIDL SwitchAI");
  const char* text[2];
  AIDrawingPackage* package;
  if (AIDrawingList* list = EntryAndPackage(call, text, package)) {
    list->SetEntryPackage(text[0], package);
  }
  return 0;
}

int AIDL_SetAIPalette(lua_State* state) {
  ScriptCall call(state, "AIDL SetAIPalette");
  const char* name;
  AIManager* manager = call.Begin(2, gAIManager, name);
  if (manager == nullptr) return 0;
  if (AIDrawingList* list = ActiveDrawingList(*manager, kNoDrawingList)) {
    list->SetEntryPalette(name, call.Integer(2));
  }
  return 0;
}

// AIDL_EnableAI, AIDL_DisableAI and AIDL_RemoveAI: one entry name, one operation of the list.
template <void (AIDrawingList::*Operation)(const char*)>
int EntryOperation(lua_State* state, const char* functionName) {
  ScriptCall call(state, functionName);
  const char* name;
  AIManager* manager = call.Begin(1, gAIManager, name);
  if (manager == nullptr) return 0;
  if (AIDrawingList* list = ActiveDrawingList(*manager, kNoDrawingList)) (list->*Operation)(name);
  return 0;
}

int AIDL_EnableAI(lua_State* state) {
  return EntryOperation<&AIDrawingList::EnableEntry>(state, "AIDL EnableAI");
}

int AIDL_DisableAI(lua_State* state) {
  return EntryOperation<&AIDrawingList::DisableEntry>(state, "AIDL DisableAI");
}

int AIDL_RemoveAI(lua_State* state) {
  return EntryOperation<&AIDrawingList::RemoveEntry>(state, "AIDL RemoveAI");
}

int AIDL_ClearAIList(lua_State* state) {
  ScriptCall call(state, "AIDL ClearAIList");
  AIManager* manager = call.Begin(Arity::Any(), gAIManager);
  if (manager == nullptr) return 0;
  if (AIDrawingList* list = ActiveDrawingList(*manager, kNoDrawingList)) list->ClearEntries();
  return 0;
}

void SelectBaseState(AIManager& manager) {
  if (!manager.SelectBaseState()) {
    Log("AIDL_SetBaseStateToActive:  Failed, Active Drawing List was not set\n");
  }
}

int AIDL_SetBaseStateToActive(lua_State* state) {
  ScriptCall call(state, "AIDL_SetBaseStateToActive");
  if (AIManager* manager = call.Begin(Arity::Any(), gAIManager)) SelectBaseState(*manager);
  return 0;
}

int AIDL_SetActiveStateList(lua_State* state) {
  ScriptCall call(state, "AIDL SetActiveStateList");
  const char* name;
  AIManager* manager = call.Begin(1, gAIManager, name);
  if (manager == nullptr) return 0;
  if (std::strcmp(name, "Base") == 0) {
    SelectBaseState(*manager);
    return 0;
  }
  AnimationStateList* current = manager->GetCurrentStateList();
  if (current == nullptr) {
    Log("AIDL_SetActiveStateList:  Failed, no Animation State is active\n");
    return 0;
  }
  AnimationState* found = current->Find(name);
  if (found == nullptr) {
    Log("AIDL_SetActiveStateList:  Failed, no state by name %s in active state\n", name);
    return 0;
  }
  manager->SelectState(found);
  return 0;
}

// ---- drawing packages ----

AIDrawingPackage* ActiveDrawingPackage(const AIManager& manager, const char* notSetLine) {
  AIDrawingPackage* package = manager.GetActiveDrawingPackage();
  if (package == nullptr) Log("%s", notSetLine);
  return package;
}

int AIDP_AllocateSpace(lua_State* state) {
  ScriptCall call(state, "AIDP AllocateSpace");
  AIManager* manager = call.Begin(1, gAIManager);
  if (manager == nullptr) return 0;
  AIDrawingPackage* package =
      ActiveDrawingPackage(*manager, "AIDP AllocateSpace:  Failed, Active Package not set\n");
  const int32_t count = call.Integer(1);
  if (package != nullptr && !package->AllocateSpace(count)) {
    Log("AIDP AllocateSpace:  Failed, %i animations are more than a package holds\n", count);
  }
  return 0;
}

int AIDP_SetAnimation(lua_State* state) {
  ScriptCall call(state, "AIDP SetAnimation");
  const char* name;
  AIManager* manager = call.Begin(2, gAIManager, kSkipArgument, name);
  if (manager == nullptr) return 0;
  AIDrawingPackage* package =
      ActiveDrawingPackage(*manager, "AIDP SetAnimation:  Failed, Active Package not set\n");
  if (package != nullptr) package->SetAnimation(call.Integer(1), name);
  return 0;
}

// ---- animations and states ----

Animation* ActiveAnimation(const AIManager& manager, const char* notSetLine) {
  Animation* animation = manager.GetActiveAnimation();
  if (animation == nullptr) Log("%s", notSetLine);
  return animation;
}

int Anim_DeclareSizes(lua_State* state) {
  ScriptCall call(state, "Anim DeclareSizes");
  AIManager* manager = call.Begin(2, gAIManager);
  if (manager == nullptr) return 0;
  Animation* animation = ActiveAnimation(*manager, "Anim DeclareSizes:  No Active Animation\n");
  const int32_t rows = call.Integer(1);
  const int32_t columns = call.Integer(2);
  if (animation != nullptr && !animation->DeclareSizes(rows, columns)) {
    Log("Anim DeclareSizes:  Failed, %i by %i frames are more than an animation holds\n", rows,
        columns);
  }
  return 0;
}

int Anim_SetFrame(lua_State* state) {
  ScriptCall call(state, "Anim SetFrame");
  const char* name;
  AIManager* manager = call.Begin(3, gAIManager, kSkipArgument, kSkipArgument, name);
  if (manager == nullptr) return 0;
  Animation* animation =
      ActiveAnimation(*manager, "Anim SetFrame:  Failed, Active Animation was not set\n");
  if (animation != nullptr) animation->SetFrame(call.Integer(1), call.Integer(2), name);
  return 0;
}

int Anim_SetDuration(lua_State* state) {
  ScriptCall call(state, "Anim SetDuration");
  AIManager* manager = call.Begin(1, gAIManager);
  if (manager == nullptr) return 0;
  Animation* animation =
      ActiveAnimation(*manager, "Anim SetDuration:  Failed, Active Animation was not set\n");
  if (animation != nullptr) animation->SetDuration(call.Integer(1));
  return 0;
}

int AIS_AddState(lua_State* state) {
  ScriptCall call(state, "AIS AddState");
  const char* text[4];
  AIManager* manager = call.Begin(6, gAIManager, text[0], kSkipArgument, text[1], text[2], text[3]);
  if (manager == nullptr) return 0;
  AnimationStateList* list = manager->GetCurrentStateList();
  if (list == nullptr) {
    Log("AID AddState: Failed, no Active State List set\n");
    return 0;
  }
  const uint8_t value = call.Number(6) != 0.0 ? 1 : 0;
  list->Add(text[0], new AnimationState(call.Integer(2), text[1], text[2], text[3], value));
  return call.Push(1);
}

// ---- value routers ----

// AIVR_SyncPointer and AIVSR_SyncPointer: two routed integers for the active router of one kind.
struct RouterKind {
  const char* functionName;
  const char* notActiveLine;
  const char* sourceLine;
  const char* destinationLine;
};

template <class Router>
int SyncRouter(lua_State* state, int32_t type, const RouterKind& kind) {
  ScriptCall call(state, kind.functionName);
  const char* text[6];
  AIManager* manager =
      call.Begin(6, gAIManager, text[0], text[1], text[2], text[3], text[4], text[5]);
  if (manager == nullptr) return 0;
  Router* router = ActiveOfType<Router>(*manager, {type});
  if (router == nullptr) {
    Log("%s", kind.notActiveLine);
    return 0;
  }
  PropertyRef source = RouteProperty(text[0], text[1], text[2]);
  if (source.GetType() != PropertyRef::kInteger) {
    Log("%s", kind.sourceLine);
    return 0;
  }
  PropertyRef destination = RouteProperty(text[3], text[4], text[5]);
  if (destination.GetType() != PropertyRef::kInteger) {
    Log("%s", kind.destinationLine);
    return 0;
  }
  router->SyncWith(std::move(source), std::move(destination));
  return call.Push(1);
}

int AIVR_SyncPointer(lua_State* state) {
  static constexpr RouterKind kKind = {
      "AIVR SyncPointer", "AIVR_SyncPointer: Active AI was not set, or not a Value Router.\n",
      "AIVR_SyncPointer: Source was not an integer.\n",
      "AIVR_SyncPointer: Destination was not an integer.\n"};
  return SyncRouter<AIValueRouter>(state, AIType::kValueRouter, kKind);
}

int AIVSR_SyncPointer(lua_State* state) {
  static constexpr RouterKind kKind = {
      "AIVSR SyncPointer",
      "AIVSR_SyncPointer: Active AI was not set, or not a Value Scale Router.\n",
      "AIVSR_SyncPointer: Source was not an integer.\n",
      "AIVSR_SyncPointer: Destination was not an integer.\n"};
  return SyncRouter<AIValueScaleRouter>(state, AIType::kValueScaleRouter, kKind);
}

int AIVSR_SetScaler(lua_State* state) {
  ScriptCall call(state, "AIVSR SetScaler");
  AIManager* manager = call.Begin(1, gAIManager);
  if (manager == nullptr) return 0;
  auto* router = ActiveOfType<AIValueScaleRouter>(*manager, {AIType::kValueScaleRouter});
  if (router == nullptr) {
    Log("AIVSR_SetScaler: Active AI was not set, or not a Value Scale Router.\n");
    return 0;
  }
  router->SetScaler(call.Float(1));
  return call.Push(1);
}

// ---- following and slide packages ----

int AIFP_FollowCoordinates(lua_State* state) {
  ScriptCall call(state, "AIFP FollowCoordinates");
  AIManager* manager = call.Require(gAIManager);
  if (manager == nullptr) return 0;
  if (manager->GetActiveAIPackage() == nullptr) return call.Fail("ActiveAI was not set");
  auto* package = ActiveOfType<AIFollowingPackage>(*manager, {AIType::kFollowing});
  if (package == nullptr) return call.Fail("ActiveAI was the wrong type");
  const char* text[6];
  if (!call.Arguments(6, text[0], text[1], text[2], text[3], text[4], text[5])) return 0;
  PropertyRef x = RouteProperty(text[0], text[1], text[2]);
  PropertyRef y = RouteProperty(text[3], text[4], text[5]);
  // The point is read as two 32-bit integers: a flag or a float there would be misread.
  if (x.AsInteger() == nullptr || y.AsInteger() == nullptr) {
    call.Fail("one of the targets was invalid");
    Log("Dump: %p %p\n", static_cast<void*>(x.AsInteger()), static_cast<void*>(y.AsInteger()));
    return 0;
  }
  package->SetTargetPointers(std::move(x), std::move(y));
  return 0;
}

// AISP_SetPhysicsValues and AISP_SetSpeedLimits: numbers for the active slide package.
AISlidePathPackage* ActiveSlide(ScriptCall& call, int count) {
  AIManager* manager = call.Begin(count, gAIManager);
  if (manager == nullptr) return nullptr;
  if (manager->GetActiveAIPackage() == nullptr) {
    call.Fail("Active AIPackage not set");
    return nullptr;
  }
  auto* slide =
      ActiveOfType<AISlidePathPackage>(*manager, {AIType::kSlidePath, AIType::kSlideBouncePath});
  if (slide == nullptr) call.Fail("Active AIPackage is not an AISlidePathPackage");
  return slide;
}

int AISP_SetPhysicsValues(lua_State* state) {
  ScriptCall call(state, "AISP SetPhysicsValues");
  if (AISlidePathPackage* slide = ActiveSlide(call, 5)) {
    slide->SetPhysicsValues(call.Number(1), call.Number(2), call.Number(3), call.Number(4),
                            call.Number(5));
  }
  return 0;
}

int AISP_SetSpeedLimits(lua_State* state) {
  ScriptCall call(state, "AISP SetSpeedLimits");
  if (AISlidePathPackage* slide = ActiveSlide(call, 4)) {
    slide->SetSpeedLimits(call.Number(1), call.Number(2), call.Number(3), call.Number(4));
  }
  return 0;
}

const ScriptFunction kAIFunctions[] = {
    ScriptEntry<AIM_SetActiveAIObject>("AIM_SetActiveAIObject"),
    ScriptEntry<AIM_CreateObject>("AIM_CreateObject"),
    ScriptEntry<AIM_DeleteObject>("AIM_DeleteObject"),
    ScriptEntry<AI_GetType>("AI_GetType"),
    ScriptEntry<AI_Activate>("AI_Activate"),
    ScriptEntry<AI_Deactivate>("AI_Deactivate"),
    ScriptEntry<AIDL_AddAI>("AIDL_AddAI"),
    ScriptEntry<AIDL_SwitchAI>("AIDL_SwitchAI"),
    ScriptEntry<AIDL_SetAIPalette>("AIDL_SetAIPalette"),
    ScriptEntry<AIDL_EnableAI>("AIDL_EnableAI"),
    ScriptEntry<AIDL_DisableAI>("AIDL_DisableAI"),
    ScriptEntry<AIDL_RemoveAI>("AIDL_RemoveAI"),
    ScriptEntry<AIDL_ClearAIList>("AIDL_ClearAIList"),
    ScriptEntry<AIDL_SetBaseStateToActive>("AIDL_SetBaseStateToActive"),
    ScriptEntry<AIDL_SetActiveStateList>("AIDL_SetActiveStateList"),
    ScriptEntry<AIDP_AllocateSpace>("AIDP_AllocateSpace"),
    ScriptEntry<AIDP_SetAnimation>("AIDP_SetAnimation"),
    ScriptEntry<Anim_DeclareSizes>("Anim_DeclareSizes"),
    ScriptEntry<Anim_SetFrame>("Anim_SetFrame"),
    ScriptEntry<Anim_SetDuration>("Anim_SetDuration"),
    ScriptEntry<AIS_AddState>("AIS_AddState"),
    ScriptEntry<AIVR_SyncPointer>("AIVR_SyncPointer"),
    ScriptEntry<AIVSR_SyncPointer>("AIVSR_SyncPointer"),
    ScriptEntry<AIVSR_SetScaler>("AIVSR_SetScaler"),
    ScriptEntry<AIFP_FollowCoordinates>("AIFP_FollowCoordinates"),
    ScriptEntry<AISP_SetPhysicsValues>("AISP_SetPhysicsValues"),
    ScriptEntry<AISP_SetSpeedLimits>("AISP_SetSpeedLimits"),
};
static_assert(std::size(kAIFunctions) == 27);

}  // namespace

const ScriptFamily kAIFamily = {"AI", ScriptTiming::WithManager, kAIFunctions};
