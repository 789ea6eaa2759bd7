#include "gui/GUINameIndex.h"

#include <algorithm>

#include "gui/GUIBaseObject.h"

void GUINameIndex::Entered(void* value) {
  if (value != nullptr) Join(static_cast<GUIBaseObject*>(value));
}

void GUINameIndex::Join(GUIBaseObject* widget) {
  if (places[widget]++ > 0) return;
  byName[widget->GetName()].push_back(widget);
  widget->nameIndex = this;
  widget->children.SetWatcher(this);
  for (void* child : widget->children.Values()) Entered(child);
}

// Only a widget the index knows is looked at: a list may still hold one that was destroyed.
void GUINameIndex::Left(void* value) {
  const auto found = places.find(value);
  if (found == places.end() || --found->second > 0) return;
  places.erase(found);
  auto* widget = static_cast<GUIBaseObject*>(value);
  Unlist(widget, widget->GetName());
  widget->nameIndex = nullptr;
  widget->children.SetWatcher(nullptr);
  for (void* child : widget->children.Values()) Left(child);
}

void GUINameIndex::Forget(GUIBaseObject* widget) {
  if (places.erase(widget) == 0) return;
  Unlist(widget, widget->GetName());
  widget->nameIndex = nullptr;
  widget->children.SetWatcher(nullptr);
}

void GUINameIndex::Renamed(GUIBaseObject* widget, const std::string& oldName) {
  if (places.count(widget) == 0) return;
  Unlist(widget, oldName);
  byName[widget->GetName()].push_back(widget);
}

void GUINameIndex::Unlist(GUIBaseObject* widget, const std::string& name) {
  const auto found = byName.find(name);
  if (found == byName.end()) return;
  std::vector<GUIBaseObject*>& widgets = found->second;
  widgets.erase(std::remove(widgets.begin(), widgets.end(), widget), widgets.end());
  if (widgets.empty()) byName.erase(found);
}

GUIBaseObject* GUINameIndex::FindOnly(const char* name, int32_t type, bool& several) const {
  several = false;
  if (name == nullptr) return nullptr;
  const auto found = byName.find(name);
  if (found == byName.end()) return nullptr;
  GUIBaseObject* only = nullptr;
  for (GUIBaseObject* widget : found->second) {
    if (!widget->Is(name, type)) continue;
    if (only != nullptr) {
      several = true;
      return nullptr;
    }
    only = widget;
  }
  return only;
}
