#pragma once

#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/RootObject.h"

// Everything process-wide at its start value, for a test that holds no object and no log capture
// yet (or any more): the globals and hooks, the log sink and the object serials.
inline void ResetForTest() {
  ResetGlobals();
  SetLogSink(nullptr);
  ResetObjectSerials();
}

// Starts and ends each test with everything process-wide at its start value.
class GlobalsFixture : public ::testing::Test {
 protected:
  GlobalsFixture() { ResetForTest(); }
  ~GlobalsFixture() override { ResetForTest(); }
};
