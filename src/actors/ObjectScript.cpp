// The object and projectile script functions. All but the creating and selecting ones act on the
// object manager's active object.

#include <cstring>

#include "actors/AIManager.h"
#include "actors/ChillProjectile.h"
#include "actors/ObjectItem.h"
#include "actors/ObjectManager.h"
#include "actors/ObjectStaticAnimation.h"
#include "actors/ProjectileFreeFloater.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

// ---- OBJM_CreateObject ----

struct CreatedKind {
  const char* name;
  int count;
  const char* invalidLine;
  // None when the object cannot be made (its line logged).
  ObjectBase* (*create)(const ScriptCall& call);
};

ObjectBase* CreateItem(const ScriptCall& call) {
  const char* imageName = call.Text(9);
  ImageObject* image =
      gDataLibrary != nullptr ? gDataLibrary->FindByName<ImageObject>(imageName) : nullptr;
  if (image == nullptr) {
    Log("OBJM Create Object: Failed, did not find Bitmap %s\n", imageName);
    return nullptr;
  }
  return new ObjectItem(call.Integer(3), call.Integer(4), call.Integer(5), call.Integer(6),
                        call.Integer(7), call.Integer(8), image);
}

ObjectBase* CreateSimpleProjectile(const ScriptCall& call) {
  auto* projectile = new ProjectileFreeFloater();
  projectile->GetPhysicsPack()->ApplyForce(call.Float(3), call.Float(4), call.Float(5));
  return projectile;
}

constexpr CreatedKind kCreatedKinds[] = {
    {"Item", 9, "OBJM Create Object:  Failed, invalid argument list for an Item\n", &CreateItem},
    {"Projectile", 2, "OBJM Create Object:  Failed, invalid argument list for a Projectile\n",
     [](const ScriptCall&) -> ObjectBase* { return new ProjectileBase(); }},
    {"SimpleProjectile", 5,
     "OBJM Create Object:  Failed, invalid argument list for a Simple Projectile\n",
     &CreateSimpleProjectile},
    {"ChillProjectile", 5,
     "OBJM Create Object:  Failed, invalid argument list for a Chill Projectile\n",
     [](const ScriptCall& call) -> ObjectBase* { return new ChillProjectile(call.Float(3)); }},
    {"StaticAnimation", 2,
     "OBJM Create Object:  Failed, invalid argument list for a Static Animation\n",
     [](const ScriptCall&) -> ObjectBase* { return new ObjectStaticAnimation(); }},
};

int OBJM_CreateObject(lua_State* state) {
  ScriptCall call(state, "OBJM Create Object");
  const char* kindName = call.Count() >= 2 ? call.Text(2) : nullptr;
  if (kindName == nullptr) {
    Log("OBJM Create Object:  Failed, not enough arguments to determine type\n");
    return 0;
  }
  const CreatedKind* kind = nullptr;
  for (const CreatedKind& candidate : kCreatedKinds) {
    if (std::strcmp(candidate.name, kindName) == 0) kind = &candidate;
  }
  if (kind == nullptr) return call.Fail("no type %s found", kindName);
  ScriptCall checked(state, "OBJM Create Object", kind->invalidLine);
  const char* name;
  const bool needsImageName = kind->create == &CreateItem;
  const char* imageName;
  if (!(needsImageName ? checked.Arguments(kind->count, name, kSkipArgument, kSkipArgument,
                                           kSkipArgument, kSkipArgument, kSkipArgument,
                                           kSkipArgument, kSkipArgument, imageName)
                       : checked.Arguments(kind->count, name))) {
    return 0;
  }
  ObjectManager* objects = checked.Require(gObjectManager);
  if (objects == nullptr) return 0;
  if (ObjectBase* object = kind->create(checked)) objects->Add(name, object);
  return 0;
}

int OBJM_SetActiveObject(lua_State* state) {
  ScriptCall call(state, "OBJM SetActiveObject");
  const char* name;
  ObjectManager* objects = call.Begin(1, gObjectManager, name);
  if (objects == nullptr) return 0;
  objects->SetActiveObject(objects->Find(name));
  if (objects->GetActiveObject() == nullptr) call.Warn("object %s was not found", name);
  return 0;
}

int OBJM_SetActiveObjectByID(lua_State* state) {
  ScriptCall call(state, "OBJM SetActiveObjectByID");
  ObjectManager* objects = call.Begin(1, gObjectManager);
  if (objects == nullptr) return 0;
  const int32_t id = call.Integer(1);
  objects->SetActiveObject(objects->FindByID(id));
  if (objects->GetActiveObject() == nullptr) call.Warn("object ID %i was not found", id);
  return 0;
}

// ---- functions on the active object ----

// The active object when it passes the type test; otherwise logs the reason.
ObjectBase* ActiveObject(ScriptCall& call, ObjectManager& objects, bool (*fits)(int32_t type),
                         const char* wrongType) {
  ObjectBase* object = objects.GetActiveObject();
  if (object == nullptr) {
    call.Fail("Active Object not set");
    return nullptr;
  }
  if (!fits(object->GetType())) {
    Log("%s", wrongType);
    return nullptr;
  }
  return object;
}

struct ObjectRow {
  const char* name;
  const char* label;
  int count;
  int firstText, lastText;  // the arguments that must be texts (0, 0 for none)
  bool (*fits)(int32_t type);
  const char* wrongType;
  void (*apply)(ObjectBase& object, const ScriptCall& call);
};

bool IsStaticAnimation(int32_t type) { return type == ObjectType::kStaticAnimation; }

constexpr ObjectRow kObjectRows[] = {
    {"OBJ_SetCoordinates", "Object SetCoordinates", 3, 0, 0, &ObjectType::IsObject,
     "Object SetCoordinates:  Failed, Active Object pointer is of the wrong type\n",
     [](ObjectBase& object, const ScriptCall& call) {
       object.SetCoordinates(call.Integer(1), call.Integer(2), call.Integer(3));
     }},
    {"OBJ_SetDimensions", "Object SetDimensions", 3, 0, 0, &ObjectType::IsObject,
     "Object SetDimensions:  Failed, Active Object pointer is of the wrong type\n",
     [](ObjectBase& object, const ScriptCall& call) {
       object.SetSize(call.Integer(1), call.Integer(2), call.Integer(3));
     }},
    {"OBJ_SetKillScript", "Object SetKillScript", 2, 1, 1, &ObjectType::IsObject,
     "Object SetKillScript:  Failed, Active Object pointer is of the wrong type\n",
     [](ObjectBase& object, const ScriptCall& call) {
       object.SetKillScript(call.Text(1), call.Integer(2));
     }},
    {"OBJSA_SetAnimationData", "ObjectStaticAnimation SetAnimationData", 4, 1, 1,
     &IsStaticAnimation,
     "ObjectStaticAnimation SetAnimationData:  Failed, Active Object pointer is of the wrong "
     "type\n",
     [](ObjectBase& object, const ScriptCall& call) {
       Animation* animation =
           gAIManager != nullptr ? gAIManager->FindAnimation(call.Text(1)) : nullptr;
       static_cast<ObjectStaticAnimation&>(object).SetAnimationData(
           animation, call.Integer(2), call.Integer(3), call.Integer(4));
     }},
    {"OBJPB_SetCoordinateData", "OBJPB SetCoordinateData", 6, 0, 0, &ObjectType::IsProjectile,
     "OBJPB SetCoordinateData:  Failed, Active Object is not a Projectile\n",
     [](ObjectBase& object, const ScriptCall& call) {
       static_cast<ProjectileBase&>(object).SetCoordinateData(call.Integer(1), call.Integer(2),
                                                              call.Integer(3), call.Integer(4),
                                                              call.Integer(5), call.Integer(6));
     }},
    {"OBJPB_SetDisplayData", "OBJPB_SetDisplayData", 5, 1, 2, &ObjectType::IsProjectile,
     "OBJPB SetDisplayData:  Failed, Active Object is not a Projectile\n",
     [](ObjectBase& object, const ScriptCall& call) {
       Animation* animation =
           gAIManager != nullptr ? gAIManager->FindAnimation(call.Text(1)) : nullptr;
       ImageObject* spawnFrame =
           gDataLibrary != nullptr ? gDataLibrary->FindByName<ImageObject>(call.Text(2)) : nullptr;
       if (animation == nullptr) Log("OBJPB_SetDisplayData:  Warning, Animation not found\n");
       if (spawnFrame == nullptr) Log("OBJPB_SetDisplayData:  Warning, SpawnFrame not found\n");
       static_cast<ProjectileBase&>(object).SetDisplayData(animation, spawnFrame, call.Integer(3),
                                                           call.Integer(4), call.Integer(5));
     }},
    {"OBJPB_SetDrawingOffset", "OBJPB SetDrawingOffset", 2, 0, 0, &ObjectType::IsProjectile,
     "OBJPB SetDrawingOffset:  Failed, Active Object is not a Projectile\n",
     [](ObjectBase& object, const ScriptCall& call) {
       static_cast<ProjectileBase&>(object).SetDrawingOffset(call.Integer(1), call.Integer(2));
     }},
    {"OBJPB_SetTargetFlags", "OBJPB SetTargetFlags", 1, 0, 0, &ObjectType::IsProjectile,
     "OBJPB SetTargetFlags:  Failed, Active Object is not a Projectile\n",
     [](ObjectBase& object, const ScriptCall& call) {
       static_cast<ProjectileBase&>(object).SetTargetFlags(call.Integer(1));
     }},
    {"OBJPB_SetDamageOutput", "OBJPB SetDamageOutput", 1, 0, 0, &ObjectType::IsProjectile,
     "OBJPB SetDamageOutput:  Failed, Active Object is not a Projectile\n",
     [](ObjectBase& object, const ScriptCall& call) {
       static_cast<ProjectileBase&>(object).SetDamage(call.Integer(1));
     }},
};

int RunObjectRow(lua_State* state, const ObjectRow& row) {
  ScriptCall call(state, row.label);
  if (!call.Arguments(row.count)) return 0;
  for (int i = row.firstText; i != 0 && i <= row.lastText; ++i) {
    if (call.Text(i) == nullptr) return call.FailInvalid();
  }
  ObjectManager* objects = call.Require(gObjectManager);
  if (objects == nullptr) return 0;
  if (ObjectBase* object = ActiveObject(call, *objects, row.fits, row.wrongType)) {
    row.apply(*object, call);
  }
  return 0;
}

constexpr auto kObjectRowFunctions = ScriptRows<kObjectRows, RunObjectRow>();

constexpr ScriptFunction kManagerFunctions[] = {
    ScriptEntry<OBJM_CreateObject>("OBJM_CreateObject"),
    ScriptEntry<OBJM_SetActiveObject>("OBJM_SetActiveObject"),
    ScriptEntry<OBJM_SetActiveObjectByID>("OBJM_SetActiveObjectByID"),
};

constexpr auto kObjectFunctions = JoinScriptFunctions<kManagerFunctions, kObjectRowFunctions>();

}  // namespace

const ScriptFamily kObjectFamily = {"Objects", ScriptTiming::WithLuaManager, kObjectFunctions};
