#include "core/RootObject.h"

#include "core/Convert.h"

namespace {
int32_t serialCounter = 0;
}

RootObject::RootObject() : uniqueId(serialCounter = WrapAdd(serialCounter, 1)) {}

void ResetObjectSerials() { serialCounter = 0; }
