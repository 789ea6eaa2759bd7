#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A named list of objects it does not own, for the AI manager's lists and the state trees. Names
// need not be unique; look-ups take the first match from the head.
//
// Walk is safe against the visitor changing the list: entries removed during a walk are not
// visited (they are blanked and dropped when the outermost walk ends), entries appended during
// it are visited in the same pass.
template <class T>
class AINamedList {
 public:
  AINamedList() = default;
  AINamedList(const AINamedList&) = delete;
  AINamedList& operator=(const AINamedList&) = delete;

  void Add(std::string_view name, T* value) {
    if (value == nullptr) return;
    entries.push_back({std::string(name), value});
    ++version;
  }

  T* Find(std::string_view name) const {
    for (const Entry& entry : entries) {
      if (entry.value != nullptr && entry.name == name) return entry.value;
    }
    return nullptr;
  }

  bool Contains(const T* value) const {
    for (const Entry& entry : entries) {
      if (value != nullptr && entry.value == value) return true;
    }
    return false;
  }

  // The first entry of that name; answers its value (not destroyed), none when absent.
  T* Remove(std::string_view name) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].value != nullptr && entries[i].name == name) return Unlink(i);
    }
    return nullptr;
  }

  // Every entry holding the value.
  void RemovePointer(const T* value) {
    if (value == nullptr) return;
    for (size_t i = entries.size(); i-- > 0;) {
      if (entries[i].value == value) Unlink(i);
    }
  }

  // Every entry whose value the test picks, in one pass; the test must not change the list.
  template <class Test>
  void RemoveIf(Test&& test) {
    if (walks > 0) {
      for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].value != nullptr && test(entries[i].value)) Unlink(i);
      }
      return;
    }
    if (std::erase_if(entries, [&](const Entry& entry) { return test(entry.value); }) > 0) {
      ++version;
    }
  }

  // Empties the list; answers the values, head first.
  std::vector<T*> TakeAll() {
    std::vector<T*> values;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].value != nullptr) values.push_back(entries[i].value);
    }
    for (size_t i = entries.size(); i-- > 0;) Unlink(i);
    return values;
  }

  int32_t GetCount() const {
    int32_t count = 0;
    for (const Entry& entry : entries) count += entry.value != nullptr ? 1 : 0;
    return count;
  }

  // Visits every value from the head with a local position.
  template <class Visit>
  void Walk(Visit&& visit) {
    HoldPositions([&] {
      for (size_t i = 0; i < entries.size(); ++i) {
        T* value = entries[i].value;
        if (value != nullptr) visit(value);
      }
    });
  }

  // Runs the use with the positions held: what it removes is blanked in place and what it appends
  // goes to the tail, so a position names the same entry until the outermost hold or walk ends.
  template <class Use>
  void HoldPositions(Use&& use) {
    ++walks;
    use();
    if (--walks == 0) Compact();
  }
  // The positions, blanked ones included; a blanked position answers none.
  size_t GetSlotCount() const { return entries.size(); }
  T* GetSlot(size_t position) const { return entries[position].value; }
  // Changes whenever an entry is added, blanked or moved to another position.
  uint64_t GetVersion() const { return version; }

  // Without changes allowed: for walks that run no script.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    for (const Entry& entry : entries) {
      if (entry.value != nullptr) visit(entry.name, entry.value);
    }
  }

 private:
  struct Entry {
    std::string name;
    T* value;
  };

  T* Unlink(size_t index) {
    T* value = entries[index].value;
    ++version;
    if (walks > 0) {
      entries[index].value = nullptr;
      blanked = true;
    } else {
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
    }
    return value;
  }

  void Compact() {
    if (!blanked) return;
    blanked = false;
    std::erase_if(entries, [](const Entry& entry) { return entry.value == nullptr; });
    ++version;
  }

  std::vector<Entry> entries;
  int walks = 0;
  bool blanked = false;  // some entry was blanked during the current walks
  uint64_t version = 0;
};
