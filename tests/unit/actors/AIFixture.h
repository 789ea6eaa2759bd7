#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "actors/AIDrawingList.h"
#include "actors/AIManager.h"
#include "core/Globals.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "resources/DataLibrary.h"
#include "support/LuaFixture.h"

// An actor as the router sees it (routed as "Player"): two state flags, a point, a speed and its
// drawing list over its animation timer and direction.
class ActorStandIn : public PropertyHolder {
 public:
  PropertyRef GetPropertyAddress(const char*, const char* property) override {
    const std::string name = property;
    const LifetimeToken token = lifetime.Token();
    if (name == "St|Moving") return PropertyRef::Byte(moving, token);
    if (name == "St|Hurt") return PropertyRef::Byte(hurt, token);
    if (name == "X") return PropertyRef::Integer(x, token);
    if (name == "Y") return PropertyRef::Integer(y, token);
    if (name == "Speed") return PropertyRef::Float(speed, token);
    if (name == "Name") return PropertyRef::Text(text, token);
    if (name == "AIDrawingList" && drawing) {
      return PropertyRef::Object(PropertyRef::kAIDrawingList, drawing.get(), token);
    }
    return PropertyRef();
  }

  uint8_t moving = 0;
  uint8_t hurt = 0;
  int32_t x = 0;
  int32_t y = 0;
  float speed = 0.0f;
  std::string text = "actor";
  int32_t timer = 0;
  int32_t direction = 0;
  std::unique_ptr<AIDrawingList> drawing = std::make_unique<AIDrawingList>(&timer, &direction);

 private:
  Lifetime lifetime;
};

// A Lua manager, the property router with the stand-in actor as "Player", a data library and the
// AI manager, installed in their globals in start-up's order.
class AIFixture : public LuaFixture {
 protected:
  AIFixture() {
    gPropertyManager = &router;
    gDataLibrary = &library;
    manager = std::make_unique<AIManager>();
    gAIManager = manager.get();
  }
  ~AIFixture() override {
    manager.reset();
    actor.reset();
  }

  // Selects the stand-in's drawing list as the active one.
  void SelectActorList() {
    ASSERT_TRUE(Run("AIM_SetActiveAIObject('DrawingList', 'Player', 'me', 'AIDrawingList')"));
  }

  PropertyManager router;
  PropertyOwnerSlot playerSlot{PropertyOwner::Player, [this](const char*) { return actor.get(); }};
  DataLibrary library;
  std::unique_ptr<ActorStandIn> actor = std::make_unique<ActorStandIn>();
  std::unique_ptr<AIManager> manager;
};
