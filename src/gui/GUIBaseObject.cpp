#include "gui/GUIBaseObject.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Convert.h"
#include "core/Globals.h"
#include "gui/GUIManager.h"
#include "gui/GUINameIndex.h"

namespace {

int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Locks a bitmap for as long as it lives; a bitmap that is locked already (or none) is left as it
// is. Read-write even for the buffer: a write-only lock of a video bitmap wipes what it does not
// write.
class BitmapLock {
 public:
  BitmapLock(ALLEGRO_BITMAP* bitmap, int mode)
      : bitmap(bitmap != nullptr && !al_is_bitmap_locked(bitmap) &&
                       al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ANY, mode) != nullptr
                   ? bitmap
                   : nullptr) {}
  ~BitmapLock() {
    if (bitmap != nullptr) al_unlock_bitmap(bitmap);
  }
  BitmapLock(const BitmapLock&) = delete;
  BitmapLock& operator=(const BitmapLock&) = delete;

 private:
  ALLEGRO_BITMAP* bitmap;
};

ALLEGRO_BITMAP* BitmapOf(const ImageObject* image) {
  return image != nullptr ? image->GetBitmap() : nullptr;
}

std::vector<GUIBaseObject*> Widgets(const RLL& list) {
  std::vector<GUIBaseObject*> widgets;
  for (void* value : list.Values()) widgets.push_back(static_cast<GUIBaseObject*>(value));
  return widgets;
}

}  // namespace

int32_t SaturatedSum(int32_t a, int32_t b) { return Saturate(int64_t{a} + b); }
int32_t SaturatedDifference(int32_t a, int32_t b) { return Saturate(int64_t{a} - b); }

GUIBaseObject::GUIBaseObject() { typeCode = kTypeCode; }

GUIBaseObject::~GUIBaseObject() {
  if (nameIndex != nullptr) nameIndex->Forget(this);
  buffer.reset();
  for (GUIBaseObject* child : Widgets(children)) delete child;
  children.Clear();
}

void GUIBaseObject::SetDimensions(int32_t x, int32_t y, int32_t w, int32_t h) {
  left = x;
  top = y;
  right = SaturatedSum(x, w);
  bottom = SaturatedSum(y, h);
  width = w;
  height = h;
  posX = x;
  posY = y;
  buffer = std::make_unique<ImageObject>();
  // A side past the largest bitmap is refused as a negative one is: no bitmap, never drawn (Allegro
  // would fall back to a memory bitmap of gigabytes, redrawn every frame).
  const int32_t largest = ImageObject::LargestSide();
  if (w <= largest && h <= largest) buffer->Create(w, h, &gOpenGLMode);
  visible = true;
  redrawEnabled = true;
  dirty = true;
}

void GUIBaseObject::SetName(const char* entryName) {
  const std::string oldName = std::move(name);
  name = entryName != nullptr ? entryName : "";
  if (nameIndex != nullptr) nameIndex->Renamed(this, oldName);
}

bool GUIBaseObject::IsInside(int32_t x, int32_t y) const {
  if (parent != nullptr && !parent->mouseOver) return false;
  return left <= x && x <= right && top <= y && y <= bottom;
}

bool GUIBaseObject::IsShown() const {
  for (const GUIBaseObject* object = this; object != nullptr; object = object->parent) {
    if (!object->visible) return false;
  }
  return true;
}

void GUIBaseObject::SetBorderImages(ImageObject* corner, ImageObject* horizontal,
                                    ImageObject* vertical) {
  cornerImage = corner;
  horizontalImage = horizontal;
  verticalImage = vertical;
  if (corner != nullptr) {
    bordered = true;
    borderWidth = corner->GetWidth();
  } else if (horizontal != nullptr || vertical != nullptr) {
    bordered = true;
  }
}

bool GUIBaseObject::HasAllBorderImages() const {
  return cornerImage != nullptr && horizontalImage != nullptr && verticalImage != nullptr;
}

void GUIBaseObject::SetParentDirty() {
  if (parent != nullptr) parent->dirty = true;
}

void GUIBaseObject::MoveBy(int32_t dx, int32_t dy) {
  posX = SaturatedSum(posX, dx);
  posY = SaturatedSum(posY, dy);
  left = SaturatedSum(left, dx);
  top = SaturatedSum(top, dy);
  right = SaturatedSum(right, dx);
  bottom = SaturatedSum(bottom, dy);
}

void GUIBaseObject::GrabEdges(int32_t x, int32_t y) {
  const int64_t b = borderWidth;
  grabLeft = x - b <= left;
  grabTop = y - b <= top;
  grabRight = x + b >= right;
  grabBottom = y + b >= bottom;
  if (grabTop && gGUIManager != nullptr) {
    gGUIManager->SetDraggedObject(this);
    dragging = true;
    anchorX = ToInt32(gGUIManager->GetMouseX());
    anchorY = ToInt32(gGUIManager->GetMouseY());
  }
  edgeGrabbed = grabLeft || grabTop || grabRight || grabBottom;
}

bool GUIBaseObject::HandleInput(int32_t event, int32_t x, int32_t y) {
  mouseOver = false;
  if (!visible) return false;
  if (event == kPress || event == kRelease || event == kTick) {
    mouseOver = (parent == nullptr || parent->mouseOver) && left <= x && x <= right && top <= y &&
                y <= bottom;
  }
  if (event == kPress && bordered && mouseOver) GrabEdges(x, y);
  if (event == kRelease) {
    if (dragging && gGUIManager != nullptr) gGUIManager->SetDraggedObject(nullptr);
    edgeGrabbed = dragging = false;
    grabLeft = grabTop = grabRight = grabBottom = false;
  }
  if (event == kDragStep && !locked && dragging) {
    if (gGUIManager != nullptr) gGUIManager->BringToFront(parent, this);
    MoveBy(SaturatedDifference(x, anchorX), SaturatedDifference(y, anchorY));
    anchorX = x;
    anchorY = y;
    return true;
  }

  const int32_t childX = SaturatedDifference(x, posX);
  const int32_t childY = SaturatedDifference(y, posY);
  // Every visible widget hears every tick, so hover and blinking work at any depth and a widget
  // that answers ticks starves none behind it.
  if (event == kTick) {
    bool consumed = false;
    for (GUIBaseObject* child : Widgets(children)) {
      consumed = child->HandleInput(event, childX, childY) || consumed;
    }
    return OnInput(event, x, y) || consumed;
  }
  if (bordered && edgeGrabbed) return OnInput(event, x, y);
  for (GUIBaseObject* child : Widgets(children)) {
    if (child->HandleInput(event, childX, childY)) return true;
  }
  return OnInput(event, x, y);
}

bool GUIBaseObject::OnInput(int32_t, int32_t, int32_t) { return false; }

void GUIBaseObject::EndPressInSubtree() {
  edgeGrabbed = dragging = false;
  grabLeft = grabTop = grabRight = grabBottom = false;
  EndPress();
  for (GUIBaseObject* child : Widgets(children)) child->EndPressInSubtree();
}

void GUIBaseObject::Render(const ImageObject& parentImage) {
  if (!visible || !HasDrawableBuffer()) return;
  if (dirty && redrawEnabled) {
    buffer->ClearToTransparent();
    // The OpenGL road clears without changing the target.
    buffer->SetAsTarget();
    Draw();
    buffer->SetAsTarget();
    DrawBorder();
  }
  parentImage.SetAsTarget();
  buffer->Draw(posX, posY);
}

void GUIBaseObject::RenderChildren(const ImageObject& image) {
  const std::vector<GUIBaseObject*> widgets = Widgets(children);
  for (auto child = widgets.rbegin(); child != widgets.rend(); ++child) (*child)->Render(image);
}

void GUIBaseObject::DrawBorder() {
  if (!bordered || !HasDrawableBuffer()) return;
  ALLEGRO_BITMAP* target = buffer->GetBitmap();
  al_set_target_bitmap(target);
  const BitmapLock targetLock(target, ALLEGRO_LOCK_READWRITE);
  const int32_t w = al_get_bitmap_width(target);
  const int32_t h = al_get_bitmap_height(target);

  int32_t cw = 8;
  int32_t ch = 8;
  if (ALLEGRO_BITMAP* corner = BitmapOf(cornerImage)) {
    const BitmapLock lock(corner, ALLEGRO_LOCK_READONLY);
    cw = al_get_bitmap_width(corner);
    ch = al_get_bitmap_height(corner);
    CopyBitmapRegionMirrored(corner, target, 0, 0, cw, ch, 0, 0, 0);
    CopyBitmapRegionMirrored(corner, target, 0, 0, cw, ch, w - cw, 0, 1);
    CopyBitmapRegionMirrored(corner, target, 0, 0, cw, ch, 0, h - ch, 2);
    CopyBitmapRegionMirrored(corner, target, 0, 0, cw, ch, w - cw, h - ch, 3);
  }
  // An edge image of no width or height has nothing to tile.
  ALLEGRO_BITMAP* across = BitmapOf(horizontalImage);
  if (across != nullptr && al_get_bitmap_width(across) > 0 && al_get_bitmap_height(across) > 0) {
    const BitmapLock lock(across, ALLEGRO_LOCK_READONLY);
    const int32_t hw = al_get_bitmap_width(across);
    const int32_t hh = al_get_bitmap_height(across);
    for (int32_t x = cw; x <= w - cw - 1; ++x) {
      const int32_t k = (x - cw) % hw;
      for (int32_t i = 0; i < hh; ++i) {
        const ALLEGRO_COLOR colour = al_get_pixel(across, k, i);
        al_put_pixel(x, i, colour);
        al_put_pixel(x, h - 1 - i, colour);
      }
    }
  }
  ALLEGRO_BITMAP* down = BitmapOf(verticalImage);
  if (down != nullptr && al_get_bitmap_width(down) > 0 && al_get_bitmap_height(down) > 0) {
    const BitmapLock lock(down, ALLEGRO_LOCK_READONLY);
    const int32_t vw = al_get_bitmap_width(down);
    const int32_t vh = al_get_bitmap_height(down);
    for (int32_t y = ch; y <= h - ch - 1; ++y) {
      const int32_t k = (y - ch) % vh;
      for (int32_t i = 0; i < vw; ++i) {
        const ALLEGRO_COLOR colour = al_get_pixel(down, i, k);
        al_put_pixel(i, y, colour);
        al_put_pixel(w - 1 - i, y, colour);
      }
    }
  }
}

GUIBaseObject* GUIBaseObject::FindInSubtree(const char* wanted, int32_t wantedType) const {
  if (wanted == nullptr) return nullptr;
  for (GUIBaseObject* child : Widgets(children)) {
    if (child->Is(wanted, wantedType)) return child;
    if (GUIBaseObject* found = child->FindInSubtree(wanted, wantedType)) return found;
  }
  return nullptr;
}
