#pragma once

#include <bit>
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "core/Globals.h"
#include "core/script/ScriptCall.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIManager.h"

// What the GUI's widget functions are written with, one binding file per widget kind. None returns
// a result. Every one checks, in this order, its argument count (and texts), the GUI manager, the
// active object and, for a widget kind, the active object's type, and stops at the first failure
// with its own line.

// A widget kind as its functions check the active object: the class they act on, whether an object
// is of the kind, and the words of the failure when it is not ("Active Object is not a GUIButton").
template <class W, const char* WrongType>
struct WidgetKind {
  using Widget = W;
  static constexpr const char* kWrongType = WrongType;
  static bool Fits(const GUIBaseObject& object) { return object.GetType() == W::kTypeCode; }
};

// The functions every widget takes: any active object.
struct AnyWidget {
  using Widget = GUIBaseObject;
  static constexpr const char* kWrongType = "";
  static bool Fits(const GUIBaseObject&) { return true; }
};

// The active object as the kind's widget, after the active-object and type checks.
template <class Kind>
typename Kind::Widget* ActiveWidget(ScriptCall& call, const GUIManager& gui) {
  GUIBaseObject* active = gui.GetActiveObject();
  if (active == nullptr) {
    call.Fail("Active Object not set");
    return nullptr;
  }
  if (!Kind::Fits(*active)) {
    call.Fail("%s", Kind::kWrongType);
    return nullptr;
  }
  return static_cast<typename Kind::Widget*>(active);
}

inline constexpr int kUncounted = -1;

// Which arguments are required texts, one bit each from argument 1.
inline constexpr unsigned kNoTexts = 0b0000;
inline constexpr unsigned kText1 = 0b0001;
inline constexpr unsigned kTexts123 = 0b0111;
inline constexpr unsigned kTexts13 = 0b0101;
inline constexpr unsigned kTexts1234 = 0b1111;
inline constexpr unsigned kTexts234567 = 0b1111110;

// Begin with a slot for each argument up to the last required text: a text where Texts has its
// bit, a skipped argument elsewhere.
template <unsigned Texts, size_t... Index>
GUIManager* BeginWithTexts(ScriptCall& call, Arity arity, std::index_sequence<Index...>) {
  std::tuple<std::conditional_t<((Texts >> Index) & 1u) != 0, const char*, const SkipArgument>...>
      slots{};
  return std::apply([&](auto&... slot) { return call.Begin(arity, gGUIManager, slot...); }, slots);
}

// A function on the active widget of one kind: Count arguments (any for kUncounted), the texts of
// Texts, then Act. A function whose invalid-argument line has its own wording passes it whole.
template <const char* Label, class Kind, int Count, unsigned Texts,
          void (*Act)(typename Kind::Widget&, const ScriptCall&), const char* InvalidLine = nullptr,
          const char* Separator = ScriptCall::kTwoBlanks>
int WidgetFunction(lua_State* state) {
  ScriptCall call(state, Label, InvalidLine, Separator);
  const Arity arity = Count == kUncounted ? Arity::Any() : Arity(Count);
  GUIManager* gui =
      BeginWithTexts<Texts>(call, arity, std::make_index_sequence<std::bit_width(Texts)>());
  if (gui == nullptr) return 0;
  if (typename Kind::Widget* widget = ActiveWidget<Kind>(call, *gui)) Act(*widget, call);
  return 0;
}

// Every widget's and each window's dimensions.
template <class Widget>
void SetDimensions(Widget& object, const ScriptCall& call) {
  object.SetDimensions(call.Integer(1), call.Integer(2), call.Integer(3), call.Integer(4));
}
