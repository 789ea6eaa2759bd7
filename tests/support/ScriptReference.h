#pragma once

#include <string>

// The text of docs/script-api.md, the reference content authors read; empty (after a test
// failure) when it cannot be read.
std::string ReadScriptReference();
