#include "core/GenericQueue.h"

void GenericQueue::Push(const char* name, int32_t value) {
  nodes.push_back(Node{name != nullptr ? name : "", value});
  ++count;
}

int32_t GenericQueue::Pop() {
  // Emptiness is the nodes' own: a derived queue's count says nothing about them.
  if (nodes.empty()) return 0;
  const int32_t value = nodes.front().value;
  nodes.pop_front();
  --count;
  return value;
}

int32_t GenericQueue::PeekValue() const { return nodes.empty() ? 0 : nodes.front().value; }

void GenericQueue::Reset() {
  count -= static_cast<int32_t>(nodes.size());
  nodes.clear();
}
