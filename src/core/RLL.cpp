#include "core/RLL.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/Log.h"

struct RLL::Entry {
  std::string name;
  Entry* next = nullptr;
  Entry* prev = nullptr;
  void* value = nullptr;
};

RLL::RLL(int32_t unused, bool ownsValues) : ownsValues(ownsValues) { (void)unused; }

RLL::~RLL() { Clear(); }

RLL::Entry* RLL::Link(Entry* entry, bool atHead) {
  if (head == nullptr) {
    head = tail = entry;
  } else if (atHead) {
    entry->next = head;
    head->prev = entry;
    head = entry;
  } else {
    entry->prev = tail;
    tail->next = entry;
    tail = entry;
  }
  ++count;
  if (watcher != nullptr) watcher->Entered(entry->value);
  return entry;
}

void* RLL::AddTail(const char* name, void* value) {
  if (name == nullptr) return nullptr;
  Link(new Entry{name, nullptr, nullptr, value}, false);
  return value;
}

void* RLL::AddHead(const char* name, void* value) {
  if (name == nullptr) return nullptr;
  Link(new Entry{name, nullptr, nullptr, value}, true);
  // A cursor parked before the old head now stands before this entry; keep it there.
  return value;
}

void* RLL::Unlink(Entry* entry) {
  if (entry == cursor) {
    cursor = entry->prev;
    cursorBeforeHead = (cursor == nullptr);
  }
  if (entry->prev != nullptr)
    entry->prev->next = entry->next;
  else
    head = entry->next;
  if (entry->next != nullptr)
    entry->next->prev = entry->prev;
  else
    tail = entry->prev;
  // The links alone say where the list ends, so a count put out of step by DecrementCount can
  // never orphan entries.
  if (count > 0) --count;
  for (Walker* walker = walkers; walker != nullptr; walker = walker->outer) {
    if (walker->at == entry) walker->at = walker->fromTail ? entry->next : entry->prev;
  }
  void* value = entry->value;
  delete entry;
  if (watcher != nullptr) watcher->Left(value);
  if (ownsValues) {
    std::free(value);
    return nullptr;
  }
  return value;
}

void* RLL::ReplaceValue(const char* name, void* value) {
  Entry* entry = FindEntry(name);
  if (entry == nullptr) return nullptr;
  void* old = entry->value;
  entry->value = value;
  if (watcher != nullptr) {
    watcher->Left(old);
    watcher->Entered(value);
  }
  return old;
}

void* RLL::RemoveHead() { return head != nullptr ? Unlink(head) : nullptr; }

void* RLL::RemoveTail() { return tail != nullptr ? Unlink(tail) : nullptr; }

void* RLL::Remove(const char* name) {
  Entry* entry = FindEntry(name);
  return entry != nullptr ? Unlink(entry) : nullptr;
}

void* RLL::RemoveAt(int32_t index) {
  Entry* entry = EntryAt(index);
  return entry != nullptr ? Unlink(entry) : nullptr;
}

void* RLL::RemoveCurrent() { return cursor != nullptr ? Unlink(cursor) : nullptr; }

bool RLL::RemovePointer(const void* value) {
  for (Entry* entry = head; entry != nullptr; entry = entry->next) {
    if (entry->value == value) {
      Unlink(entry);
      return true;
    }
  }
  return false;
}

void RLL::Clear() {
  while (head != nullptr) Unlink(head);
  cursor = nullptr;
  cursorBeforeHead = false;
}

RLL::Entry* RLL::FindEntry(const char* name) const {
  if (name == nullptr) return nullptr;
  for (Entry* entry = head; entry != nullptr; entry = entry->next) {
    if (std::strcmp(entry->name.c_str(), name) == 0) return entry;
  }
  return nullptr;
}

RLL::Entry* RLL::EntryAt(int32_t index) const {
  if (index < 0 || index >= count) return nullptr;
  Entry* entry = head;
  for (int32_t i = 0; i < index && entry != nullptr; ++i) entry = entry->next;
  return entry;
}

void* RLL::Find(const char* name) const {
  Entry* entry = FindEntry(name);
  return entry != nullptr ? entry->value : nullptr;
}

void* RLL::GetAt(int32_t index) const {
  Entry* entry = EntryAt(index);
  return entry != nullptr ? entry->value : nullptr;
}

const char* RLL::GetNameAt(int32_t index) const {
  Entry* entry = EntryAt(index);
  return entry != nullptr ? entry->name.c_str() : nullptr;
}

bool RLL::Contains(const void* value) const {
  for (Entry* entry = head; entry != nullptr; entry = entry->next) {
    if (entry->value == value) return true;
  }
  return false;
}

void* RLL::First() {
  cursor = head;
  cursorBeforeHead = false;
  return cursor != nullptr ? cursor->value : nullptr;
}

void* RLL::Last() {
  cursor = tail;
  cursorBeforeHead = false;
  return cursor != nullptr ? cursor->value : nullptr;
}

void* RLL::Next() {
  if (cursorBeforeHead) {
    cursorBeforeHead = false;
    cursor = head;
  } else if (cursor != nullptr) {
    cursor = cursor->next;
  } else {
    return nullptr;
  }
  return cursor != nullptr ? cursor->value : nullptr;
}

void* RLL::Prev() {
  if (cursorBeforeHead) {
    cursorBeforeHead = false;
    return nullptr;
  }
  if (cursor == nullptr) return nullptr;
  cursor = cursor->prev;
  return cursor != nullptr ? cursor->value : nullptr;
}

void RLL::Rewind() {
  cursor = head;
  cursorBeforeHead = false;
}

void RLL::RewindToTail() {
  cursor = tail;
  cursorBeforeHead = false;
}

bool RLL::Advance() {
  if (cursor == nullptr && !cursorBeforeHead) return false;
  Next();
  return true;
}

bool RLL::Retreat() {
  if (cursor == nullptr && !cursorBeforeHead) return false;
  Prev();
  return true;
}

void* RLL::GetCurrent() const { return cursor != nullptr ? cursor->value : nullptr; }

const char* RLL::GetCurrentName() const {
  return cursor != nullptr ? cursor->name.c_str() : nullptr;
}

void RLL::SeekPointer(const void* value) {
  cursorBeforeHead = false;
  for (Entry* entry = head; entry != nullptr; entry = entry->next) {
    if (entry->value == value) {
      cursor = entry;
      return;
    }
  }
  cursor = nullptr;
  Log("WARNING:  Pointer %p not found in RLL!\n", value);
}

void RLL::DecrementCount() {
  if (count > 0) --count;
  if (count == 0) Clear();
}

std::vector<void*> RLL::Values() const {
  std::vector<void*> values;
  values.reserve(static_cast<size_t>(count));
  for (Entry* entry = head; entry != nullptr; entry = entry->next) values.push_back(entry->value);
  return values;
}

void RLL::Walk(bool fromTail, const std::function<void(void* value)>& visit) const {
  Walker walker{nullptr, fromTail, walkers};
  walkers = &walker;
  // Walks of one list nest, so the one ending is always the innermost.
  struct Leave {
    const RLL& list;
    ~Leave() { list.walkers = list.walkers->outer; }
  } leave{*this};
  for (;;) {
    Entry* next = walker.at == nullptr ? (fromTail ? tail : head)
                                       : (fromTail ? walker.at->prev : walker.at->next);
    if (next == nullptr) return;
    walker.at = next;
    visit(next->value);
  }
}

void RLL::ForEach(const std::function<void(void* value)>& visit) const { Walk(false, visit); }

void RLL::ForEachFromTail(const std::function<void(void* value)>& visit) const {
  Walk(true, visit);
}

void RLLAddByteValue(RLL* list, const char* name, int32_t value) {
  if (list == nullptr || name == nullptr) return;
  auto* byte = static_cast<unsigned char*>(std::malloc(1));
  if (byte == nullptr) return;
  *byte = static_cast<unsigned char>(value & 0xff);
  list->AddTail(name, byte);
}

void RLLAddPointer(RLL* list, const char* name, void* pointer) {
  if (list == nullptr || pointer == nullptr) return;
  list->AddTail(name, pointer);
}
