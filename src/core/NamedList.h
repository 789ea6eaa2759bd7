#pragma once

#include <cstdint>

#include "core/RLL.h"

// A small named list without a cursor: entries appended at the tail, looked up by name (first
// match from the head) or by index. An owning list frees its values with free() on removal and
// then answers none from every removal. It is an RLL with the cursor and the other additions
// left out.
class NamedList {
 public:
  explicit NamedList(int32_t unused = 4, bool ownsValues = false) : list(unused, ownsValues) {}
  NamedList(const NamedList&) = delete;
  NamedList& operator=(const NamedList&) = delete;

  int32_t GetCount() const { return list.GetCount(); }

  // A none name is ignored.
  void* Append(const char* name, void* value) { return list.AddTail(name, value); }
  void* RemoveHead() { return list.RemoveHead(); }
  void* RemoveTail() { return list.RemoveTail(); }
  void* Remove(const char* name) { return list.Remove(name); }
  void* RemoveAt(int32_t index) { return list.RemoveAt(index); }
  void Clear() { list.Clear(); }

  void* Find(const char* name) const { return list.Find(name); }
  void* GetAt(int32_t index) const { return list.GetAt(index); }
  const char* GetNameAt(int32_t index) const { return list.GetNameAt(index); }
  // Lowers the count without removing an entry; at 0 the list is emptied, its entries freed.
  void DecrementCount() { list.DecrementCount(); }

 private:
  RLL list;
};
