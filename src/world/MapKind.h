#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class Camera;
class ImageObject;
class TextureLookupList;

// One kind of map the map manager can hold: what differs between an isometric map, a chunked
// level and a clip map. The manager owns one at a time and asks it, never which kind it is.
class MapKind {
 public:
  virtual ~MapKind() = default;

  // The kind's own answer, in its own sense (see CellTest.h): isometric maps and chunked levels
  // 1 = free, clip maps 1 = clipped.
  virtual int32_t TestCell(int32_t x, int32_t y, int32_t z) = 0;
  // Pass 0, after the scenery: the layer below the actors, with the player where the kind draws
  // it. Pass 1: the layer above them. Only while the map is shown.
  virtual void DrawLower(ImageObject* target, Camera& camera) = 0;
  virtual void DrawUpper(ImageObject*, Camera&) {}
  // The map manager's per-tick event.
  virtual void Tick() {}
  // The map mode the default camera is set up with when the map loads; none leaves the camera
  // as the last map left it.
  virtual std::optional<uint8_t> GetCameraMapMode() const { return std::nullopt; }
  // Runs the map's script, "MapScripts" + name + ".lua", with the kind's script code, once the
  // map is the manager's. A kind without scripts does nothing.
  virtual void RunScript(const std::string&) {}
  // After the script, when the script loaded no other map.
  virtual void AfterScript() {}
};

// What a reader is given: the map's name, the path of its file ("Maps" + name + the row's ending;
// empty for a row without one) and the manager's tile textures.
struct MapSource {
  const std::string& name;
  const std::string& path;
  TextureLookupList& textures;
};

// One row of the map manager's table: the file ending (none for a kind read from its name alone)
// and the reader that makes the kind from it. A reader logs its own lines and answers none when the
// map is not of its kind, and the next row is tried.
struct MapReader {
  const char* ending;
  std::function<std::unique_ptr<MapKind>(const MapSource& source)> read;
};

// The path manager's prefix for the key + the file (the file alone without a path manager).
std::string MapPath(const char* key, const std::string& file);
// Runs the script through the Lua manager with that code (nothing without one).
void RunMapScript(const std::string& path, int32_t code);
// The map manager's camera 0, which each map kind sets up; none without a camera manager.
Camera* DefaultMapCamera();
