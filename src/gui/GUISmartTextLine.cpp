#include "gui/GUISmartTextLine.h"

#include <cstdio>

#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/PropertyManager.h"

GUISmartTextLine::GUISmartTextLine() { typeCode = kTypeCode; }

void GUISmartTextLine::WatchProperty(const char* owner, const char* object, const char* property) {
  PropertyRef found = RouteProperty(owner, object, property);
  watchedType = gPropertyManager != nullptr ? gPropertyManager->GetType() : PropertyRef::kNone;
  switch (watchedType) {
    case PropertyRef::kInteger:
    case PropertyRef::kFloat:
      watched = found;
      break;
    case PropertyRef::kText:
      watched = found;
      Log("String Address: %p\n", static_cast<const void*>(found.ReadText()));
      break;
    default:
      watched = PropertyRef();
      break;
  }
}

void GUISmartTextLine::Refresh() {
  // Room for 31 characters: the widest float is cut, never written past.
  char formatted[32] = {};
  switch (watchedType) {
    case PropertyRef::kInteger:
      if (const int32_t* value = watched.AsInteger()) {
        std::snprintf(formatted, sizeof formatted, "%i", *value);
        SetString(formatted);
      }
      break;
    case PropertyRef::kFloat:
      if (const float* value = watched.AsFloat()) {
        std::snprintf(formatted, sizeof formatted, "%.1f", static_cast<double>(*value));
        SetString(formatted);
      }
      break;
    case PropertyRef::kText:
      if (const std::string* value = watched.ReadText()) {
        // A copy: the text may be this line's own.
        const std::string copy = *value;
        SetString(copy.c_str());
      }
      break;
    default:
      break;
  }
}

bool GUISmartTextLine::OnInput(int32_t, int32_t, int32_t) {
  SetDirty();
  Refresh();
  return false;
}
