#include "support/ScriptReference.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

std::string ReadScriptReference() {
  const std::filesystem::path docs =
      std::filesystem::path(__FILE__).parent_path() / "../../docs/script-api.md";
  std::ifstream in(docs);
  if (!in) {
    ADD_FAILURE() << "cannot read " << docs;
    return {};
  }
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
