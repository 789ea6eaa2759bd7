// The images' script functions: the plain image's ("GUII_") and the smart image's ("GUISI_").

#include "core/script/ScriptCall.h"
#include "gui/GUIImage.h"
#include "gui/GUISmartImage.h"
#include "gui/GUIWidgetScript.h"

namespace {

void SetImage(GUIImage& image, const ScriptCall& call) { image.SetImage(call.Text(1)); }
void SetSmartImage(GUISmartImage& image, const ScriptCall& call) {
  image.SetImage(call.Text(1), call.Text(2), call.Text(3));
}

constexpr char kNotAnImage[] = "Active Object is not a GUIImage";
constexpr char kNotASmartImage[] = "Active Object is not a SmartImage";
using Image = WidgetKind<GUIImage, kNotAnImage>;
using SmartImage = WidgetKind<GUISmartImage, kNotASmartImage>;

// One blank after the colon in every line of its own.
constexpr char kISetImage[] = "GUII SetImage";
constexpr char kSISetImage[] = "GUISI SetImage";

const ScriptFunction kImageFunctions[] = {
    ScriptEntry<
        WidgetFunction<kISetImage, Image, 1, kText1, SetImage, nullptr, ScriptCall::kOneBlank>>(
        "GUII_SetImage"),
    ScriptEntry<WidgetFunction<kSISetImage, SmartImage, 3, kTexts123, SetSmartImage>>(
        "GUISI_SetImage"),
};

}  // namespace

const ScriptFamily kGUIImageFamily = {"GUIImages", ScriptTiming::WithLuaManager, kImageFunctions};
