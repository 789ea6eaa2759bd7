#pragma once

#include <memory>

// A watch on an object that may be destroyed while others still refer to it (a property address
// kept by a trigger or a widget). It never keeps the object alive and never touches its memory.
class LifetimeToken {
 public:
  LifetimeToken() = default;  // watches nothing: never alive

  bool IsAlive() const { return !watch.expired(); }

 private:
  friend class Lifetime;
  explicit LifetimeToken(std::weak_ptr<const char> watch) : watch(std::move(watch)) {}

  std::weak_ptr<const char> watch;
};

// Held by the watched object as a member; its tokens go dead when the object is destroyed.
class Lifetime {
 public:
  Lifetime() = default;
  Lifetime(const Lifetime&) = delete;
  Lifetime& operator=(const Lifetime&) = delete;

  LifetimeToken Token() const { return LifetimeToken(anchor); }

 private:
  std::shared_ptr<const char> anchor = std::make_shared<const char>(0);
};
