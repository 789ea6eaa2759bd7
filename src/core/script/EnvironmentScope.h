#pragma once

class ScriptVariableStore;

// Where the "Env_" functions find the environment scope of script variables: with the map, a
// layer up.
class EnvironmentScope {
 public:
  virtual ~EnvironmentScope() = default;

  // None while no scope exists.
  virtual ScriptVariableStore* GetEnvironmentVariables() const = 0;
};
