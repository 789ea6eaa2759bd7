#include "resources/PathManager.h"

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"

PathManager::PathManager() {
  paths.push_back({"Root", "UNINITIALIZED"});
  RegisterWithLuaManager(kPathFamily);
}

PathManager::Entry* PathManager::FindEntry(std::string_view key) {
  for (Entry& entry : paths) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

const PathManager::Entry* PathManager::FindEntry(std::string_view key) const {
  return const_cast<PathManager*>(this)->FindEntry(key);
}

void PathManager::AddPath(std::string_view key, std::string_view prefix) {
  paths.push_back({std::string(key), std::string(prefix)});
}

void PathManager::SetPath(std::string_view key, std::string_view prefix) {
  if (Entry* entry = FindEntry(key)) entry->prefix = prefix;
}

void PathManager::SetRootToLocal() { SetPath("Root", gLocalPath); }

void PathManager::AddPathFromRoot(std::string_view key, std::string_view relative) {
  const Entry* root = FindEntry("Root");
  if (root == nullptr) return;
  AddPath(key, root->prefix + std::string(relative));
}

void PathManager::SetPathFromRoot(std::string_view key, std::string_view relative) {
  const Entry* root = FindEntry("Root");
  Entry* entry = FindEntry(key);
  if (root == nullptr || entry == nullptr) return;
  entry->prefix = root->prefix + std::string(relative);
}

std::string PathManager::BuildPath(std::string_view key, std::string_view file) const {
  const Entry* entry = FindEntry(key);
  if (entry == nullptr) {
    const std::string name(key);
    Log("PathManager failed to find %s\n", name.c_str());
    return std::string(file);
  }
  return entry->prefix + std::string(file);
}

std::optional<std::string> PathManager::Find(std::string_view key) const {
  const Entry* entry = FindEntry(key);
  if (entry == nullptr) return std::nullopt;
  return entry->prefix;
}

void PathManager::Destroy() { paths.clear(); }
