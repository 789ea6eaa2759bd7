#pragma once

#include "actors/ObjectBase.h"

// The base of fixed pictures: an object that neither moves nor takes pushes.
class ObjectStaticBase : public ObjectBase {
 public:
  ObjectStaticBase() { typeCode = ObjectType::kStaticBase; }
};
