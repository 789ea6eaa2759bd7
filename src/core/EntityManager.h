#pragma once

#include <cstdint>
#include <functional>

#include "core/RLL.h"
#include "core/script/PropertyManager.h"

class RootEntity;
class ImageObject;
class Camera;

// The registry of world entities that are updated every tick and drawn into the environment
// window (in the running game: the NPCs). It also holds the active entity that NPC script
// functions act on, the NPC whose dialogue is open, and the click mode that NPC input sees.
//
// The lists never own their entities: Clear destroys them itself. Entities reach the registry
// and leave it only through it.
class EntityManager {
 public:
  EntityManager();
  ~EntityManager();
  EntityManager(const EntityManager&) = delete;
  EntityManager& operator=(const EntityManager&) = delete;

  // Appends the entity to the named sub-list (logging a failure line when there is none) and, in
  // every case, to the list of all entities. Nothing when any argument is none.
  void RegisterPointer(const char* listName, const char* entityName, RootEntity* entity);
  RootEntity* GetEntity(const char* listName, const char* entityName);
  RootEntity* FindInAll(const char* name) const;
  RootEntity* FindAIAnimation(const char* name) const;
  RootEntity* FindAIDrawing(const char* name) const;
  RootEntity* FindAIFloating(const char* name) const;
  RootEntity* FindNPC(const char* name) const;
  RootEntity* FindObject(const char* name) const;
  void RegisterInAll(const char* name, RootEntity* entity);

  RootEntity* GetActiveNPC() const { return activeEntity; }
  void SetActiveEntity(RootEntity* entity) { activeEntity = entity; }
  // The first entity of that name in all, or in the named sub-list (none when absent).
  void SetActiveFromAll(const char* name) { activeEntity = FindInAll(name); }
  void SetActiveFromList(const char* listName, const char* name) {
    activeEntity = GetEntity(listName, name);
  }
  void ClearActiveEntity() { activeEntity = nullptr; }
  // Does nothing; nothing calls it.
  void Reserved() {}
  RootEntity* GetDialogueNPC() const { return dialogueNPC; }
  void SetDialogueNPC(RootEntity* entity) { dialogueNPC = entity; }
  int32_t GetClickMode() const { return clickMode; }
  void SetClickMode(int32_t mode) { clickMode = mode; }

  // Every entity's Update, in registration order. An update may clear the registry; an entity
  // registered during the walk is updated in it too.
  void Update();
  // Every entity's Draw, in registration order.
  void Draw(ImageObject* target, Camera* camera);
  // Every NPC's Update (the click mode tells them about a press or release), then click mode -1.
  void UpdateNPCs();
  // Forgets the active and dialogue NPC and destroys every entity. Called from inside a walk (this
  // registry's or any other, such as the game loop's), the entities are unlinked at once and
  // destroyed when the outermost walk ends.
  void Clear();

  const RLL& All() const { return all; }
  const RLL* SubList(const char* name) const;

 private:
  RootEntity* FindIn(const RLL& list, const char* name) const;
  // Visits the list's entities, including those appended during the walk; what a visit clears is
  // destroyed after the outermost walk.
  void Walk(const RLL& list, const std::function<void(RootEntity*)>& visit);

  RLL all;
  RLL subLists;
  RLL aiAnimation;
  RLL aiDrawing;
  RLL aiFloating;
  RLL npcs;
  RLL objects;
  RootEntity* activeEntity = nullptr;
  RootEntity* dialogueNPC = nullptr;
  int32_t clickMode = -1;
  // The router's "NPC" owner is the active NPC, for as long as the registry lives.
  PropertyOwnerSlot npcSlot;
};
