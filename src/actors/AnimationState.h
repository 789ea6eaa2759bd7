#pragma once

#include <cstdint>

#include "actors/AINamedList.h"
#include "core/RootObject.h"
#include "core/script/PropertyRef.h"

class AnimationState;

// A level of a state tree. The list does not destroy its states; their parent (or the drawing
// list for the top level) does, through DestroyStates.
using AnimationStateList = AINamedList<AnimationState>;

// Destroys every state of the list with its subtree and empties the list.
void DestroyStates(AnimationStateList& list);

// A node of a drawing list's state tree: it watches one byte flag of an actor and names the
// animation index to use while the flag differs from its value; children refine it.
class AnimationState : public RootObject {
 public:
  // Routes the watch through the property router. A watch that cannot be routed, or that is not a
  // number, logs a warning and gives a state that never applies.
  AnimationState(int32_t animationIndex, const char* owner, const char* object,
                 const char* property, uint8_t value);
  AnimationState(int32_t animationIndex, PropertyRef watch, uint8_t value);
  // Destroys the children with their subtrees.
  ~AnimationState();

  AnimationStateList& GetChildList() { return children; }
  const AnimationStateList& GetChildList() const { return children; }

  // -1 when the state does not apply (no watch, its owner gone, or the watched byte equals the
  // value); else the first applying child's answer; else the state's own index.
  int32_t Resolve() const;

 private:
  int32_t animationIndex;
  PropertyRef watch;
  uint8_t value;
  AnimationStateList children;
};
