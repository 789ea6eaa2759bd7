#pragma once

#include <cstdint>

#include "core/script/PropertyRef.h"
#include "gui/GUIBaseObject.h"

// Shows whatever image a routed image-pointer property points to when it is drawn; it stays dirty,
// so a pointer that moved shows on the next frame. Nothing (children included) while the pointer
// is empty or its owner is gone.
class GUISmartImage : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3101;

  GUISmartImage();

  // Watches the property when it is an image pointer; any other answer changes nothing.
  void SetImage(const char* owner, const char* object, const char* property);
  // The image the watched pointer holds now; none when there is none.
  ImageObject* GetWatchedImage() const;

 protected:
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;

 private:
  PropertyRef watched;
};
