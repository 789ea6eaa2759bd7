#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path = pattern;
  previous = std::filesystem::current_path();
  std::filesystem::current_path(path);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous, ignored);
  std::filesystem::remove_all(path, ignored);
}

std::filesystem::path TempDir::Write(const std::string& relative,
                                     const std::string& contents) const {
  const std::filesystem::path file = path / relative;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << contents;
  return file;
}

bool TempDir::Exists(const std::string& relative) const {
  return std::filesystem::exists(path / relative);
}
