#include "core/NamedList.h"

#include <cstdlib>
#include <cstring>
#include <string>

struct NamedList::Entry {
  std::string name;
  Entry* next = nullptr;
  Entry* prev = nullptr;
  void* value = nullptr;
};

NamedList::NamedList(int32_t unused, bool ownsValues) : ownsValues(ownsValues) { (void)unused; }

NamedList::~NamedList() { Clear(); }

void* NamedList::Append(const char* name, void* value) {
  if (name == nullptr) return nullptr;
  auto* entry = new Entry{name, nullptr, tail, value};
  if (tail != nullptr)
    tail->next = entry;
  else
    head = entry;
  tail = entry;
  ++count;
  return value;
}

void* NamedList::Unlink(Entry* entry) {
  if (entry->prev != nullptr)
    entry->prev->next = entry->next;
  else
    head = entry->next;
  if (entry->next != nullptr)
    entry->next->prev = entry->prev;
  else
    tail = entry->prev;
  if (count > 0) --count;  // the links, not the count, say where the list ends
  void* value = entry->value;
  delete entry;
  if (ownsValues) {
    std::free(value);
    return nullptr;
  }
  return value;
}

void* NamedList::RemoveHead() { return head != nullptr ? Unlink(head) : nullptr; }
void* NamedList::RemoveTail() { return tail != nullptr ? Unlink(tail) : nullptr; }

void* NamedList::Remove(const char* name) {
  Entry* entry = FindEntry(name);
  return entry != nullptr ? Unlink(entry) : nullptr;
}

void* NamedList::RemoveAt(int32_t index) {
  Entry* entry = EntryAt(index);
  return entry != nullptr ? Unlink(entry) : nullptr;
}

void NamedList::Clear() {
  while (head != nullptr) Unlink(head);
}

NamedList::Entry* NamedList::FindEntry(const char* name) const {
  if (name == nullptr) return nullptr;
  for (Entry* entry = head; entry != nullptr; entry = entry->next) {
    if (std::strcmp(entry->name.c_str(), name) == 0) return entry;
  }
  return nullptr;
}

NamedList::Entry* NamedList::EntryAt(int32_t index) const {
  if (index < 0 || index >= count) return nullptr;
  Entry* entry = head;
  for (int32_t i = 0; i < index && entry != nullptr; ++i) entry = entry->next;
  return entry;
}

void* NamedList::Find(const char* name) const {
  Entry* entry = FindEntry(name);
  return entry != nullptr ? entry->value : nullptr;
}

void* NamedList::GetAt(int32_t index) const {
  Entry* entry = EntryAt(index);
  return entry != nullptr ? entry->value : nullptr;
}

const char* NamedList::GetNameAt(int32_t index) const {
  Entry* entry = EntryAt(index);
  return entry != nullptr ? entry->name.c_str() : nullptr;
}

void NamedList::DecrementCount() {
  if (count > 0) --count;
  if (count == 0) Clear();
}
