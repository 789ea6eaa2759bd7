#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The registries' named doubly linked list: entries hold a copy of their name and an untyped value.
// Names need not be unique; look-ups take the first match from the head. One cursor is shared by
// every user of the list (First/Next/...); the system's own walks use ForEach instead, which keeps
// its position locally and survives entries being removed under it.
//
// An owning list frees its values with free() when their entries are removed or the list is
// cleared, and then answers none from every removal.
class RLL {
 public:
  // Hears every value that enters or leaves the list, whatever operation moved it (a replaced
  // value leaves, its successor enters); an owning list reports a value before freeing it.
  class Watcher {
   public:
    virtual void Entered(void* value) = 0;
    virtual void Left(void* value) = 0;

   protected:
    ~Watcher() = default;
  };

  explicit RLL(int32_t unused = 4, bool ownsValues = false);
  ~RLL();
  RLL(const RLL&) = delete;
  RLL& operator=(const RLL&) = delete;

  int32_t GetCount() const { return count; }
  bool OwnsValues() const { return ownsValues; }
  // One watcher at most; none stops the reports.
  void SetWatcher(Watcher* listener) { watcher = listener; }

  // A none name is ignored: nothing is added and none is answered.
  void* AddTail(const char* name, void* value);
  void* AddHead(const char* name, void* value);
  // The first entry of that name takes the value; answers the old value (the caller's to free,
  // even on an owning list), none when absent.
  void* ReplaceValue(const char* name, void* value);

  void* RemoveHead();
  void* RemoveTail();
  // Removes the first entry of that name from the head.
  void* Remove(const char* name);
  // None for an index that is negative or not below the count.
  void* RemoveAt(int32_t index);
  // Removes the entry of the cursor; the next Next() yields the entry that followed it.
  void* RemoveCurrent();
  // Removes the first entry holding this value; answers whether there was one.
  bool RemovePointer(const void* value);
  void Clear();

  void* Find(const char* name) const;
  void* GetAt(int32_t index) const;
  const char* GetNameAt(int32_t index) const;
  bool Contains(const void* value) const;

  // The shared cursor.
  void* First();
  void* Last();
  void* Next();
  void* Prev();
  void Rewind();
  void RewindToTail();
  bool Advance();
  bool Retreat();
  void* GetCurrent() const;
  const char* GetCurrentName() const;
  // Puts the cursor on the first entry holding the pointer; logs a warning and clears the cursor
  // when there is none.
  void SeekPointer(const void* value);
  // Lowers the count without removing an entry; at 0 the list is emptied, its entries freed.
  void DecrementCount();

  // Visits every value from the head (or from the tail) without touching the shared cursor. The
  // visitor may add or remove entries, clear the list, or walk it again: entries removed before
  // the walk reaches them are not visited, entries added ahead of it (at the tail, or at the head
  // when walking from the tail) are; a walk whose entry is removed goes on from where it stood.
  void ForEach(const std::function<void(void* value)>& visit) const;
  void ForEachFromTail(const std::function<void(void* value)>& visit) const;
  // The values from the head, as they are now.
  std::vector<void*> Values() const;

 private:
  struct Entry;

  Entry* Link(Entry* entry, bool atHead);
  void* Unlink(Entry* entry);
  Entry* FindEntry(const char* name) const;
  Entry* EntryAt(int32_t index) const;
  // A walk's own position, linked into the list while the walk runs so that removing the entry
  // it stands on moves it back a step, as the shared cursor is moved.
  struct Walker {
    Entry* at;  // none: before the first entry
    bool fromTail;
    Walker* outer;
  };
  void Walk(bool fromTail, const std::function<void(void* value)>& visit) const;

  Entry* head = nullptr;
  Entry* tail = nullptr;
  Entry* cursor = nullptr;
  bool cursorBeforeHead = false;  // the cursor's head was removed: Next() yields the new head
  bool ownsValues;
  int32_t count = 0;
  mutable Walker* walkers = nullptr;  // the running walks, innermost first
  Watcher* watcher = nullptr;
};

// Appends one heap byte holding the low byte of value (owning lists free it).
void RLLAddByteValue(RLL* list, const char* name, int32_t value);
void RLLAddPointer(RLL* list, const char* name, void* pointer);
