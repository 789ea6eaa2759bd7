#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/RLL.h"

class GUIBaseObject;

// The widgets of one GUI tree by name, so a look-up by name needs no walk of the tree. It watches
// the top-level list and the children list of every widget in the tree, so whatever adds, removes
// or reorders entries keeps it right; renames and destroyed widgets report themselves.
//
// It answers only when one widget of the tree matches: the pre-order search would find that one.
// With several, the order decides, and the caller walks the tree.
class GUINameIndex final : public RLL::Watcher {
 public:
  GUINameIndex() = default;
  GUINameIndex(const GUINameIndex&) = delete;
  GUINameIndex& operator=(const GUINameIndex&) = delete;

  // A value entered or left a watched list: the widget and its subtree join or leave the tree (a
  // widget in the tree at two places stays until it has left both).
  void Entered(void* value) override;
  void Left(void* value) override;
  // The widget is being destroyed: it leaves the tree at every place it had. Its children report
  // their own destruction.
  void Forget(GUIBaseObject* widget);
  // The widget's name changed from the old one.
  void Renamed(GUIBaseObject* widget, const std::string& oldName);

  // The widget of the tree with that name and, unless any is asked for, that type code; none when
  // there is none. `several` is set instead when more than one matches.
  GUIBaseObject* FindOnly(const char* name, int32_t type, bool& several) const;

 private:
  void Join(GUIBaseObject* widget);
  void Unlist(GUIBaseObject* widget, const std::string& name);

  // How many places of the tree hold each widget.
  std::unordered_map<const void*, int32_t> places;
  std::unordered_map<std::string, std::vector<GUIBaseObject*>> byName;
};
