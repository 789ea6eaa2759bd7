#pragma once

#include <cstdint>

#include "core/script/PropertyRef.h"
#include "gui/GUITextLine.h"

// A text line that shows a routed value: an integer ("%i"), a float ("%.1f", cut at 31
// characters) or a text of either form, read again at every event it hears. It never consumes an
// event. Once the value's owner is gone it keeps showing the last text.
class GUISmartTextLine : public GUITextLine {
 public:
  static constexpr int32_t kTypeCode = 3202;

  GUISmartTextLine();

  // Routes the three texts and watches the answer when it is an integer, a text or a float;
  // another answer watches nothing. A text logs "String Address: %p\n" with where it lies.
  void WatchProperty(const char* owner, const char* object, const char* property);
  int32_t GetWatchedType() const { return watchedType; }
  // Sets the text from the watched value now.
  void Refresh();

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;

 private:
  PropertyRef watched;
  int32_t watchedType = 0;
};
