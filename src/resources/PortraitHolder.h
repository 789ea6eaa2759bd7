#pragma once

class ImageObject;

// The one image of a dialogue portrait, as the data library registers it. The holder does not own
// its image except through Destroy.
class PortraitHolder {
 public:
  PortraitHolder() = default;
  PortraitHolder(const PortraitHolder&) = delete;
  PortraitHolder& operator=(const PortraitHolder&) = delete;

  void Set(ImageObject* held) { image = held; }
  // None when the holder is empty.
  ImageObject* Get() const { return image; }
  // The named image of the open image container; none (with the container's warning line) when
  // there is no such image or no container is open.
  void LoadFromContainer(const char* name);
  // Destroys and deletes the held image, leaving the holder empty.
  void Destroy();

 private:
  ImageObject* image = nullptr;
};
