#pragma once

#include <memory>

#include "resources/ImageObject.h"

// The one image of a dialogue portrait, as the data library registers it. The holder owns the
// image it holds: deleting the holder deletes the image.
class PortraitHolder {
 public:
  PortraitHolder() = default;
  PortraitHolder(const PortraitHolder&) = delete;
  PortraitHolder& operator=(const PortraitHolder&) = delete;

  // Takes the image over, deleting the one held before.
  void Set(ImageObject* held) { image.reset(held); }
  // None when the holder is empty.
  ImageObject* Get() const { return image.get(); }
  // The named image of the open image container; none (with the container's warning line) when
  // there is no such image or no container is open.
  void LoadFromContainer(const char* name);
  // Deletes the held image, leaving the holder empty.
  void Destroy() { image.reset(); }

 private:
  std::unique_ptr<ImageObject> image;
};
