#pragma once

#include <cstdint>

#include "core/Lifetime.h"

// The base of every managed object: its family's type code and a serial id from one process-wide
// counter (the first object gets 1; ids are never reused). Registries and script functions test
// the type code, usually by its thousands range, instead of asking the run-time type.
class RootObject {
 public:
  RootObject();
  RootObject(const RootObject&) = delete;
  RootObject& operator=(const RootObject&) = delete;

  int32_t GetType() const { return typeCode; }
  int32_t GetID() const { return uniqueId; }

  // Goes dead when this object is destroyed or retired; references into the object keep it.
  LifetimeToken GetLifetimeToken() const { return lifetime.Token(); }

 protected:
  ~RootObject() = default;

  int32_t typeCode = 0;  // each class's constructor writes its own code

 private:
  // Retires the lifetime of what it buries.
  friend class Graveyard;

  int32_t uniqueId;
  Lifetime lifetime;
};

// Starts the serial ids again from 1 (tests, between runs that hold no object).
void ResetObjectSerials();
