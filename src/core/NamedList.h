#pragma once

#include <cstdint>

// A small named list without a cursor: entries appended at the tail, looked up by name (first
// match from the head) or by index. An owning list frees its values with free() on removal and
// then answers none from every removal.
class NamedList {
 public:
  explicit NamedList(int32_t unused = 4, bool ownsValues = false);
  ~NamedList();
  NamedList(const NamedList&) = delete;
  NamedList& operator=(const NamedList&) = delete;

  int32_t GetCount() const { return count; }

  // A none name is ignored.
  void* Append(const char* name, void* value);
  void* RemoveHead();
  void* RemoveTail();
  void* Remove(const char* name);
  void* RemoveAt(int32_t index);
  void Clear();

  void* Find(const char* name) const;
  void* GetAt(int32_t index) const;
  const char* GetNameAt(int32_t index) const;
  // Lowers the count without removing an entry; at 0 the list is emptied, its entries freed.
  void DecrementCount();

 private:
  struct Entry;

  void* Unlink(Entry* entry);
  Entry* FindEntry(const char* name) const;
  Entry* EntryAt(int32_t index) const;

  Entry* head = nullptr;
  Entry* tail = nullptr;
  int32_t count = 0;
  bool ownsValues;
};
