#pragma once

#include <cstdint>

#include "gui/GUIBaseObject.h"

class Camera;
class ImageObject;

// The view of the world. Every drawn frame it draws the world into the active camera's view image
// and scales that image into its own buffer: the map's first pass, the shooter enemies, the
// entities, the objects, its own children (into the view, so they are scaled with it), then the
// map's second pass. It consumes no input itself, so a click on the world reaches the map.
class GUIEnvironmentWindow : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3500;

  GUIEnvironmentWindow();

  // The camera image drawn into on the last frame; borrowed, and only valid during that frame
  // (a camera that is removed or resized takes it away).
  const ImageObject* GetView() const { return view; }

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

 private:
  // The active camera; with none, "Default" becomes active. None only without a camera manager
  // or a "Default" camera.
  static Camera* TakeActiveCamera();
  void DrawWorld(Camera& camera);

  ImageObject* view = nullptr;
};
