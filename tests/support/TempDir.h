#pragma once

#include <filesystem>
#include <string>

// A fresh temporary directory that is the working directory while the object lives; the old
// working directory comes back and the directory is removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path; }
  // Writes a file (creating its folders) relative to the directory; answers its path.
  std::filesystem::path Write(const std::string& relative, const std::string& contents) const;
  bool Exists(const std::string& relative) const;

 private:
  std::filesystem::path path;
  std::filesystem::path previous;
};
