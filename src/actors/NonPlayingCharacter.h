#pragma once

#include <cstdint>
#include <deque>
#include <lua.hpp>
#include <memory>
#include <string>

#include "core/Dimensions.h"
#include "core/RootEntity.h"
#include "core/TimeQueue.h"
#include "core/script/ScriptFamily.h"
#include "resources/ImageObject.h"

class AIBasePackage;
class AIDrawingList;
class AITargetPackage;
class ProjectileBase;
class ScriptVariableStore;

// A scripted character of the world, registered in the entity registry, which updates it every
// tick (and on each mouse press and release that reaches the world) and draws it every frame. Its
// AI queue runs the front package once per update; while the queue is empty its default script
// runs instead, every update. It is drawn from its own drawing list into its own appearance.
//
// Scripts run from inside its update may clear its queue or change the map (which retires the
// NPC): the running package is destroyed only after its step, and an NPC that has been retired
// touches nothing more of itself.
class NonPlayingCharacter : public RootEntity {
 public:
  static constexpr int32_t kBaseType = 0;
  static constexpr int32_t kDialogueType = 1;
  static constexpr int32_t kEnemyType = 100;
  // More state variables than this are refused (the table stays empty).
  static constexpr int32_t kMaxStateVariables = 1 << 16;

  NonPlayingCharacter();
  // Destroys the queued packages (and a running one it has let go of) through the AI manager.
  ~NonPlayingCharacter() override;

  void Update() override;
  void Draw(ImageObject* target, Camera* camera) override;
  // A projectile touched the NPC; the base ignores it.
  virtual void OnHit(ProjectileBase* projectile);
  // Whether the NPC's queue and default script run for this event (-1 a tick, 0 a press, 1 a
  // release).
  virtual bool IsActiveFor(int32_t mode);
  virtual void RecomputeBounds();
  // Draws the look into the appearance; the base draws nothing.
  virtual void UpdateAppearance();
  virtual PropertyRef GetSubclassPropertyAddress(const char* name);

  // The subclass's names first, then "St|" and a state variable's name, then the NPC's fields.
  // A miss logs its line.
  PropertyRef GetPropertyAddress(const char* name);
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;
  ScriptVariableStore* GetVariableList() override { return variables.get(); }

  int32_t GetNPCType() const { return type; }
  void SetInternalName(const char* name) { internalName.Set(name); }
  const char* GetDialoguePath() const { return dialoguePath.Get(); }
  void SetDialoguePath(const char* path) { dialoguePath.Set(path); }
  void SetDefaultScript(const char* path) { scriptPath.Set(path); }

  void SetCentre(int32_t x, int32_t y, int32_t z) { dimensions.SetCentre(x, y, z); }
  void SetSize(int32_t w, int32_t h, int32_t d) { dimensions.SetSize(w, h, d); }
  Dimensions& GetDimensions() { return dimensions; }
  const RectRecord& GetClickRect() const { return clickRect; }
  // A new appearance image of the size (none when no bitmap of that size can be made) and the
  // offset of the appearance from the box's top-left corner.
  void SetDisplayData(int32_t offsetX, int32_t offsetY, int32_t width, int32_t height);
  ImageObject* GetAppearance() { return hasAppearance ? &appearance : nullptr; }
  AIDrawingList* GetDrawingList() const { return drawingList.get(); }

  // A count of 0 or less leaves an empty table.
  void AllocateStateVariables(int32_t count);
  // Ignored outside the table.
  void SetStateVariable(int32_t index, const char* name, int32_t flag);
  int32_t GetStateVariableCount() const { return stateCount; }

  // Appends at the tail of the queue; a none package is not queued.
  void PushAI(const char* name, int32_t duration, AIBasePackage* package, bool hold);
  // Destroys every queued package; the one running now is destroyed when its step has ended.
  void ClearAIQueue();
  int32_t GetQueueCount() const { return aiQueue.GetCount(); }

  // Inclusive on every edge.
  bool IsInClickRect(int32_t x, int32_t y) const;
  void DrawAppearanceAt(ImageObject* target, int32_t x, int32_t y);

 protected:
  // A text the NPC owns, none until set; routed through a slot that points at it, so that a
  // reference taken before it was set reads it once it is.
  struct OwnedText {
    std::string text;
    const std::string* slot = nullptr;

    void Set(const char* value) {
      text = value != nullptr ? value : "";
      slot = value != nullptr ? &text : nullptr;
    }
    const char* Get() const { return slot != nullptr ? slot->c_str() : nullptr; }
  };

  struct StateVariable {
    OwnedText name;
    uint8_t flag = 0;
  };

  int32_t type = kBaseType;
  int32_t uniqueID = -1;
  OwnedText internalName;
  OwnedText dialoguePath;
  OwnedText scriptPath;
  int32_t scriptArgument = -1;
  Dimensions dimensions;
  RectRecord clickRect;
  int32_t drawX = 0;
  int32_t drawY = 0;
  int32_t imageW = 0;
  int32_t imageH = 0;
  int32_t drawOffsetX = 0;
  int32_t drawOffsetY = 0;
  TimeQueue aiQueue;
  float speed = 2.2f;
  float fastSpeed = 5.0f;
  int32_t animTimer = 0;
  int32_t animDirection = 4;
  std::unique_ptr<AIDrawingList> drawingList;
  // One image for the NPC's whole life, so that a routed reference to it never dangles; it holds
  // no bitmap until the display data gives it one.
  ImageObject appearance;
  bool hasAppearance = false;
  bool activeFlag = true;
  bool redraw = true;
  // Packages hold the flags' addresses: entries are reused and never move.
  std::deque<StateVariable> stateVariables;
  int32_t stateCount = 0;
  std::unique_ptr<AITargetPackage> targetPackage;
  int32_t targetMask = 0;
  std::unique_ptr<ScriptVariableStore> variables;

 private:
  // The package whose step is running, and whether the queue no longer holds it (it ran out
  // before its step, or a script cleared the queue during it).
  AIBasePackage* running = nullptr;
  bool runningReleased = false;
};

// The NPC functions: "NPCM_AddNPC", "SetActiveNPCI", "SetActiveNPCA", "NPC_SetDialoguePath",
// "NPC_SetDefaultScript", "NPC_SetCoordinateData", "NPC_SetPositionData", "NPC_SetDisplayData",
// "NPC_AllocateStateVariables", "NPC_SetStateVariable", "NPC_PushAI", "NPC_ClearAIQueue",
// "NPCBE_SetHitReactionScript"; the Lua manager registers them.
extern const ScriptFamily kNPCFamily;

// Destroys a package by its own kind, through the AI manager's delete-by-type.
void DestroyPackage(AIBasePackage* package);
