#pragma once

#include <cstdint>
#include <deque>
#include <string>

// A first-in first-out queue of (name, int32) pairs; the queue keeps its own copy of each name.
class GenericQueue {
 public:
  GenericQueue() = default;
  virtual ~GenericQueue() = default;
  GenericQueue(const GenericQueue&) = delete;
  GenericQueue& operator=(const GenericQueue&) = delete;

  // Appends at the tail. A none name is kept as an empty one.
  virtual void Push(const char* name, int32_t value);
  // Removes the head and answers its value; 0 when the queue is empty.
  virtual int32_t Pop();

  int32_t GetCount() const { return count; }
  // The head's value without removing it; 0 when the queue is empty.
  int32_t PeekValue() const;
  // Empties the queue.
  void Reset();

 protected:
  // The entries of the queue, whichever kind holds them: derived queues count their own too.
  int32_t count = 0;

 private:
  struct Node {
    std::string name;
    int32_t value;
  };
  std::deque<Node> nodes;
};
