#pragma once

#include <gtest/gtest.h>

#include "core/Globals.h"

// Starts and ends each test with the process-wide globals at their start values.
class GlobalsFixture : public ::testing::Test {
 protected:
  GlobalsFixture() { ResetGlobals(); }
  ~GlobalsFixture() override { ResetGlobals(); }
};
