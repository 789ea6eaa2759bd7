#pragma once

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <iterator>
#include <lua.hpp>
#include <new>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/Log.h"
#include "core/script/ScriptFamily.h"

// The kit every script function is written with. A function names itself in its lines ("MM
// PlaySound" gives "MM PlaySound:  Failed, invalid argument list\n"), checks its arguments with one
// Begin, and answers through Push:
//
//   int TimerManager_GetTimer(lua_State* state) {
//     ScriptCall call(state, "TimerManager GetTimer");
//     const char* name;
//     TimerManager* timers = call.Begin(1, gTimerManager, name);
//     return timers != nullptr ? call.Push(timers->GetTimer(name)) : 0;
//   }
//
// and the family's table, in the family its binding file exports, registers it:
//
//   const ScriptFunction kTimerFunctions[] = {
//       ScriptEntry<TimerManager_GetTimer>("TimerManager_GetTimer"), ...};
//   const ScriptFamily kTimerFamily = {"Timers", ScriptTiming::WithManager, kTimerFunctions};
//
// with one row in the program's family list and, for a family registered with its manager, one
// line in the manager's constructor: RegisterWithLuaManager(kTimerFamily).
// Functions that differ only in data come from a table of rows (see ScriptRows below).

// How many arguments a function takes. A plain number means exactly that many.
struct Arity {
  constexpr Arity(int exactly) : minimum(exactly), maximum(exactly) {}
  static constexpr Arity AtLeast(int minimum) { return Arity(minimum, INT32_MAX); }
  static constexpr Arity Any() { return Arity(0, INT32_MAX); }
  // Exactly one count or the other.
  static constexpr Arity Either(int one, int other) { return Arity(one, one, other); }

  constexpr bool Fits(int count) const {
    return (count >= minimum && count <= maximum) || count == other;
  }

  int minimum;
  int maximum;
  int other = -1;

 private:
  constexpr Arity(int minimum, int maximum, int other = -1)
      : minimum(minimum), maximum(maximum), other(other) {}
};

// In Begin's list of texts: the argument at this place is not a required text.
struct SkipArgument {};
inline constexpr SkipArgument kSkipArgument{};

// For Begin: an object the function needs whose absence has a reason of its own ("Active NPC not
// set") in place of "manager not created".
template <class T>
struct Needed {
  T* object;
  const char* reason;
};

template <class T>
concept TextSlot = std::same_as<T, const char*> || std::same_as<T, const SkipArgument>;

class ScriptCall {
 public:
  // Functions whose invalid-argument line has its own wording pass the whole line; a family whose
  // lines put something else than two blanks after the name's colon passes what it puts there.
  ScriptCall(lua_State* state, const char* name, const char* invalidLine = nullptr,
             const char* separator = kTwoBlanks);

  static constexpr char kTwoBlanks[] = ":  ";
  static constexpr char kOneBlank[] = ": ";

  lua_State* State() const { return state; }
  const char* Name() const { return name; }
  int Count() const { return count; }

  // The checks every function starts with, in this order: the argument count, then the required
  // texts (arguments 1, 2, ... in turn, each filled in, kSkipArgument passing one by), then the
  // manager. The first that fails logs its line (the invalid-argument line, or "<name>:  Failed,
  // manager not created\n") and Begin answers none; otherwise it answers the manager.
  template <class Manager, TextSlot... Texts>
  Manager* Begin(Arity arity, Manager* manager, Texts&... texts) {
    return Begin(arity, Needed<Manager>{manager, kNotCreated}, texts...);
  }
  template <class Manager, TextSlot... Texts>
  Manager* Begin(Arity arity, Needed<Manager> needed, Texts&... texts) {
    if (!Arguments(arity, texts...)) return nullptr;
    return Require(needed);
  }
  // The same checks with the manager first, for the functions that look at it before anything.
  template <class Manager, TextSlot... Texts>
  Manager* BeginManagerFirst(Arity arity, Manager* manager, Texts&... texts) {
    return BeginManagerFirst(arity, Needed<Manager>{manager, kNotCreated}, texts...);
  }
  template <class Manager, TextSlot... Texts>
  Manager* BeginManagerFirst(Arity arity, Needed<Manager> needed, Texts&... texts) {
    if (Require(needed) == nullptr) return nullptr;
    return Arguments(arity, texts...) ? needed.object : nullptr;
  }
  // The same with the required texts in an array, for arguments 1 to its size.
  template <class Manager>
  Manager* Begin(Arity arity, Manager* manager, std::span<const char*> texts) {
    return Arguments(arity, texts) ? Require(manager) : nullptr;
  }
  // Count and texts alone, for functions that act on no manager.
  template <TextSlot... Texts>
  bool Arguments(Arity arity, Texts&... texts) {
    if (!Fits(arity)) return false;
    int index = 0;
    return (ReadSlot(++index, texts) && ...);
  }
  bool Arguments(Arity arity, std::span<const char*> texts);

  // The manager a function acts on; logs "<name>:  Failed, manager not created\n" when absent.
  template <class Manager>
  Manager* Require(Manager* manager) {
    return Require(Needed<Manager>{manager, kNotCreated});
  }
  template <class Manager>
  Manager* Require(Needed<Manager> needed) {
    if (needed.object == nullptr) Fail("%s", needed.reason);
    return needed.object;
  }

  // The text of argument i (1-based): numbers come as their text; nil, booleans, tables and
  // missing arguments give none. The text lives as long as the call.
  const char* Text(int index) const;
  // Missing and non-numeric arguments read as 0.
  double Number(int index) const;
  int32_t Integer(int index) const;
  float Float(int index) const;
  // A switch: on when the argument's number is not 0. NaN, and whatever reads as 0 as a number
  // (a missing argument, a boolean, a text such as "yes"), is off; "1" and 0.5 are on.
  bool Flag(int index) const;

  // Log "<name>:  Failed, <reason>\n" and answer 0 (no results); the reason is a printf format,
  // so a script's text goes in as an argument ("no key %s found", key), never as the format.
  int Fail(const char* format, ...) __attribute__((format(printf, 2, 3)));
  int FailInvalid();
  // Log "<name>:  Warning, <text>\n"; the call goes on.
  void Warn(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Results. Each answers the number of results pushed so far, for the function's return.
  int Push(double number);
  // The text is copied before Lua sees it: pushing may run the collector, and what it frees could
  // be the very text (a variable's, an argument list's). None pushes nil.
  int PushText(const char* text);
  int PushText(std::string_view text);
  int PushNil();
  int Results() const { return results; }

 private:
  static constexpr const char* kNotCreated = "manager not created";

  bool Fits(Arity arity);
  // A text the function cannot do without: logs the invalid-argument line when it is missing.
  bool RequireText(int index, const char*& out);
  bool ReadSlot(int index, const char*& out) { return RequireText(index, out); }
  bool ReadSlot(int, const SkipArgument&) { return true; }

  lua_State* state;
  const char* name;
  const char* invalidLine;
  const char* separator;
  int count;
  int results = 0;
};

// The name a registered function was registered under (its closure's upvalue); none for a
// function pushed some other way.
const char* RegisteredName(lua_State* state);

// Keeps C++ exceptions from unwinding through Lua's C frames: the call is logged under the
// function's registered name and answers nothing instead.
template <lua_CFunction Function>
int GuardedScriptFunction(lua_State* state) noexcept {
  const char* name = RegisteredName(state);
  try {
    return Function(state);
  } catch (const std::bad_alloc&) {
    Log("%s:  Failed, out of memory\n", name);
  } catch (const std::exception& error) {
    Log("%s:  Failed, %s\n", name, error.what());
  } catch (...) {
    Log("%s:  Failed, unknown exception\n", name);
  }
  return 0;
}

template <lua_CFunction Function>
constexpr ScriptFunction ScriptEntry(const char* name) {
  return {name, &GuardedScriptFunction<Function>};
}

// A family of one shape: a table of rows, each with the global's `name` and whatever else tells
// the functions apart, and one function that runs a row. ScriptRows makes the registration table,
// one function per row, in the rows' order:
//
//   struct PlayRow { const char* name; const char* label; void (Music::*play)(); };
//   constexpr PlayRow kPlayRows[] = {{"MM_PlaySong", "MM PlaySong", &Music::PlaySong}, ...};
//   int RunPlay(lua_State* state, const PlayRow& row) { ... }
//   constexpr auto kPlayFunctions = ScriptRows<kPlayRows, RunPlay>();
template <auto& Rows, auto Run, size_t Index>
int ScriptRowFunction(lua_State* state) {
  return Run(state, Rows[Index]);
}

template <auto& Rows, auto Run, size_t... Index>
constexpr std::array<ScriptFunction, sizeof...(Index)> ScriptRowTable(
    std::index_sequence<Index...>) {
  return {ScriptEntry<&ScriptRowFunction<Rows, Run, Index>>(Rows[Index].name)...};
}

template <auto& Rows, auto Run>
constexpr auto ScriptRows() {
  return ScriptRowTable<Rows, Run>(std::make_index_sequence<std::size(Rows)>());
}

// One table from several, in their order: a family whose functions come from rows and from plain
// entries registers them as one.
template <auto&... Tables>
constexpr auto JoinScriptFunctions() {
  std::array<ScriptFunction, (std::size(Tables) + ...)> joined{};
  auto at = joined.begin();
  ((at = std::copy(std::begin(Tables), std::end(Tables), at)), ...);
  return joined;
}

// Registers each function as a global of the state (a C closure whose one upvalue is its name).
// A name registered twice refers to the last function given.
void RegisterScriptFunctions(lua_State* state, std::span<const ScriptFunction> functions);

// Registers a family registered with its manager on the Lua manager's state, as that manager's
// constructor asks; nothing while there is no Lua manager, nor for a family of the Lua manager's
// alone.
void RegisterWithLuaManager(const ScriptFamily& family);
