#pragma once

#include <cstdint>

#include "core/script/ScriptFamily.h"
#include "gui/GUIBaseObject.h"

// Shows one picture from the data library, found by its bare name.
class GUIImage : public GUIBaseObject {
 public:
  static constexpr int32_t kTypeCode = 3100;

  GUIImage();

  // The first image of that name anywhere in the library; when found, the widget's width and
  // height take its size (its rectangle and buffer stay as they were). A miss leaves no picture,
  // silently. Either way the change shows on the next frame.
  void SetImage(const char* name);
  const ImageObject* GetImage() const { return image; }

 protected:
  void Draw() override;
  bool DescribeDraw(DrawInputs& inputs) const override;
  void SkipDraw() override;

 private:
  ImageObject* image = nullptr;
  int32_t drawX = 0;
  int32_t drawY = 0;
};

// The images' script functions ("GUII_", "GUISI_"); the Lua manager registers them.
extern const ScriptFamily kGUIImageFamily;
