#pragma once

#include <memory>

// A watch on an object that may be destroyed while others still refer to it (a property address
// kept by a trigger or a widget). It never keeps the object alive and never touches its memory.
class LifetimeToken {
 public:
  LifetimeToken() = default;  // watches nothing: never alive

  // False once the object is destroyed, and already once it is retired (unlinked and waiting to
  // be destroyed): what is on its way out is read as gone.
  bool IsAlive() const {
    const std::shared_ptr<const bool> retired = watch.lock();
    return retired != nullptr && !*retired;
  }

 private:
  friend class Lifetime;
  explicit LifetimeToken(std::weak_ptr<const bool> watch) : watch(std::move(watch)) {}

  std::weak_ptr<const bool> watch;
};

// Held by the watched object as a member; its tokens go dead when the object is destroyed or
// retired.
class Lifetime {
 public:
  Lifetime() = default;
  Lifetime(const Lifetime&) = delete;
  Lifetime& operator=(const Lifetime&) = delete;

  LifetimeToken Token() const { return LifetimeToken(anchor); }
  // The object has been taken out of its registry and will be destroyed: its tokens go dead now.
  void Retire() { *anchor = true; }

 private:
  std::shared_ptr<bool> anchor = std::make_shared<bool>(false);
};
