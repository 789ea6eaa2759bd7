#include "core/EntityManager.h"

#include "core/Graveyard.h"
#include "core/Log.h"
#include "core/RootEntity.h"

EntityManager::EntityManager()
    : npcSlot(PropertyOwner::NPC, [this](const char*) -> PropertyHolder* { return activeEntity; }) {
  subLists.AddTail("AIAnimation", &aiAnimation);
  subLists.AddTail("AIDrawing", &aiDrawing);
  subLists.AddTail("AIFloating", &aiFloating);
  subLists.AddTail("NPC", &npcs);
  subLists.AddTail("Object", &objects);
}

EntityManager::~EntityManager() { Clear(); }

void EntityManager::RegisterPointer(const char* listName, const char* entityName,
                                    RootEntity* entity) {
  if (listName == nullptr || entityName == nullptr || entity == nullptr) return;
  if (auto* list = static_cast<RLL*>(subLists.Find(listName))) {
    list->AddTail(entityName, entity);
  } else {
    Log("EntityManager::RegisterPointer:  Failed, sub list %s not found\n", listName);
  }
  all.AddTail(entityName, entity);
}

RootEntity* EntityManager::GetEntity(const char* listName, const char* entityName) {
  if (listName == nullptr || entityName == nullptr) return nullptr;
  const RLL* list = SubList(listName);
  if (list == nullptr) {
    Log("EntityManager::GetEntity(L, N) Warning, could not find list %s\n", listName);
    return nullptr;
  }
  return FindIn(*list, entityName);
}

RootEntity* EntityManager::FindIn(const RLL& list, const char* name) const {
  return static_cast<RootEntity*>(list.Find(name));
}

RootEntity* EntityManager::FindInAll(const char* name) const { return FindIn(all, name); }
RootEntity* EntityManager::FindAIAnimation(const char* name) const {
  return FindIn(aiAnimation, name);
}
RootEntity* EntityManager::FindAIDrawing(const char* name) const { return FindIn(aiDrawing, name); }
RootEntity* EntityManager::FindAIFloating(const char* name) const {
  return FindIn(aiFloating, name);
}
RootEntity* EntityManager::FindNPC(const char* name) const { return FindIn(npcs, name); }
RootEntity* EntityManager::FindObject(const char* name) const { return FindIn(objects, name); }

void EntityManager::RegisterInAll(const char* name, RootEntity* entity) {
  if (name == nullptr || entity == nullptr) return;
  all.AddTail(name, entity);
}

const RLL* EntityManager::SubList(const char* name) const {
  return static_cast<const RLL*>(subLists.Find(name));
}

void EntityManager::Walk(const RLL& list, const std::function<void(RootEntity*)>& visit) {
  Graveyard::Walk walk;
  list.ForEach([&visit](void* entity) { visit(static_cast<RootEntity*>(entity)); });
  // A script may have pointed the shared state at an entity that a clear already took out.
  const Graveyard& graveyard = ProcessGraveyard();
  if (graveyard.IsRetired(activeEntity)) activeEntity = nullptr;
  if (graveyard.IsRetired(dialogueNPC)) dialogueNPC = nullptr;
}

void EntityManager::Update() {
  Walk(all, [](RootEntity* entity) { entity->Update(); });
}

void EntityManager::Draw(ImageObject* target, Camera* camera) {
  Walk(all, [target, camera](RootEntity* entity) { entity->Draw(target, camera); });
}

void EntityManager::UpdateNPCs() {
  Walk(npcs, [](RootEntity* entity) { entity->Update(); });
  clickMode = -1;
}

void EntityManager::Clear() {
  activeEntity = nullptr;
  dialogueNPC = nullptr;
  // Unlinked before any is destroyed, so a destructor or a running update never finds a half-
  // cleared registry; an entity registered twice is destroyed once.
  const std::vector<void*> entities = all.Values();
  all.Clear();
  subLists.ForEach([](void* list) { static_cast<RLL*>(list)->Clear(); });
  Graveyard& graveyard = ProcessGraveyard();
  Graveyard::Walk burial(graveyard);
  for (void* entity : entities) graveyard.Bury(static_cast<RootEntity*>(entity));
}
