#include "gui/GUIBaseObject.h"

#include <algorithm>
#include <cstring>

#include "core/Convert.h"
#include "core/Globals.h"
#include "gui/GUIManager.h"
#include "gui/GUINameIndex.h"
#include "resources/DataLibrary.h"

namespace {

ALLEGRO_BITMAP* BitmapOf(const ImageObject* image) {
  return image != nullptr ? image->GetBitmap() : nullptr;
}

uint64_t gLastDrawStamp = 0;

uint64_t NewDrawStamp() { return ++gLastDrawStamp; }

uint64_t Bits(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::vector<GUIBaseObject*> Widgets(const RLL& list) {
  std::vector<GUIBaseObject*> widgets;
  for (void* value : list.Values()) widgets.push_back(static_cast<GUIBaseObject*>(value));
  return widgets;
}

}  // namespace

GUIBaseObject::GUIBaseObject() { typeCode = kTypeCode; }

GUIBaseObject::~GUIBaseObject() {
  if (nameIndex != nullptr) nameIndex->Forget(this);
  if (gGUIManager != nullptr) gGUIManager->Forget(this);
  buffer.reset();
  for (GUIBaseObject* child : Widgets(children)) delete child;
  children.Clear();
}

void GUIBaseObject::SetDimensions(int32_t x, int32_t y, int32_t w, int32_t h) {
  left = x;
  top = y;
  right = SaturatingAdd(x, w);
  bottom = SaturatingAdd(y, h);
  width = w;
  height = h;
  posX = x;
  posY = y;
  buffer = std::make_unique<ImageObject>();
  // A side past the largest bitmap is refused as a negative one is: no bitmap, never drawn (Allegro
  // would fall back to a memory bitmap of gigabytes, redrawn every frame).
  const int32_t largest = ImageObject::LargestSide();
  if (w <= largest && h <= largest) buffer->Create(w, h, &gOpenGLMode);
  drawStamp = NewDrawStamp();
  drawnFromKnown = false;
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
  posX = SaturatingAdd(posX, dx);
  posY = SaturatingAdd(posY, dy);
  left = SaturatingAdd(left, dx);
  top = SaturatingAdd(top, dy);
  right = SaturatingAdd(right, dx);
  bottom = SaturatingAdd(bottom, dy);
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
    MoveBy(SaturatingSubtract(x, anchorX), SaturatingSubtract(y, anchorY));
    anchorX = x;
    anchorY = y;
    return true;
  }

  const int32_t childX = SaturatingSubtract(x, posX);
  const int32_t childY = SaturatingSubtract(y, posY);
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
    if (BufferIsCurrent()) {
      SkipDraw();
    } else {
      buffer->ClearToTransparent();
      // The OpenGL road clears without changing the target.
      buffer->SetAsTarget();
      Draw();
      buffer->SetAsTarget();
      DrawBorder();
      drawStamp = NewDrawStamp();
      DrawInputs inputs;
      drawnFromKnown = Describe(inputs);
      drawnFrom = inputs.Values();
    }
  }
  parentImage.SetAsTarget();
  buffer->Draw(posX, posY);
}

void GUIBaseObject::SkipRender() {
  if (visible && HasDrawableBuffer() && dirty && redrawEnabled) SkipDraw();
}

void GUIBaseObject::RenderChildren(const ImageObject& image) {
  const std::vector<GUIBaseObject*> widgets = Widgets(children);
  for (auto child = widgets.rbegin(); child != widgets.rend(); ++child) (*child)->Render(image);
}

void GUIBaseObject::SkipChildren() {
  const std::vector<GUIBaseObject*> widgets = Widgets(children);
  for (auto child = widgets.rbegin(); child != widgets.rend(); ++child) (*child)->SkipRender();
}

bool GUIBaseObject::DescribeDraw(DrawInputs&) const { return false; }

bool GUIBaseObject::Describe(DrawInputs& inputs) const {
  inputs.Add(uint64_t{gOpenGLMode});
  inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(width)));
  inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(height)));
  inputs.Add(uint64_t{bordered});
  if (bordered) {
    inputs.Add(cornerImage);
    inputs.Add(horizontalImage);
    inputs.Add(verticalImage);
  }
  return DescribeDraw(inputs) && inputs.IsKnown();
}

bool GUIBaseObject::BufferIsCurrent() const {
  if (!drawnFromKnown) return false;
  DrawInputs inputs;
  return Describe(inputs) && inputs.Values() == drawnFrom;
}

bool GUIBaseObject::DescribeChildren(DrawInputs& inputs) const {
  const std::vector<GUIBaseObject*> widgets = Widgets(children);
  for (auto it = widgets.rbegin(); it != widgets.rend(); ++it) {
    const GUIBaseObject* child = *it;
    inputs.Add(child);
    if (!child->visible || !child->HasDrawableBuffer()) {
      inputs.Add(uint64_t{0});
      continue;
    }
    if (child->dirty && child->redrawEnabled && !child->BufferIsCurrent()) return false;
    inputs.Add(child->drawStamp);
    inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(child->posX)));
    inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(child->posY)));
    inputs.Add(static_cast<uint64_t>(static_cast<uint32_t>(child->buffer->GetDefaultFlags())));
  }
  return true;
}

void GUIBaseObject::DrawInputs::Add(ALLEGRO_COLOR colour) {
  Add(Bits(colour.r) << 32 | Bits(colour.g));
  Add(Bits(colour.b) << 32 | Bits(colour.a));
}

void GUIBaseObject::DrawInputs::Add(const std::string& text) {
  Add(static_cast<uint64_t>(text.size()));
  for (size_t i = 0; i < text.size(); i += 8) {
    uint64_t piece = 0;
    std::memcpy(&piece, text.data() + i, std::min<size_t>(8, text.size() - i));
    Add(piece);
  }
}

void GUIBaseObject::DrawInputs::Add(const ImageObject* image) {
  Add(static_cast<const void*>(image));
  if (image == nullptr) return;
  if (image->IsPaletted()) Unknown();
  Add(static_cast<const void*>(image->GetBitmap()));
  Add(static_cast<uint64_t>(static_cast<uint32_t>(image->GetOffsetX())) << 32 |
      static_cast<uint32_t>(image->GetOffsetY()));
}

namespace {

// Copies the rows [from, to) of the strip image, tiled across [begin, end) of the target: at
// their own rows, or mirrored so that row i lands on row last - i. Along the other axis when
// `down`, where "rows" are columns.
void TileStrip(ALLEGRO_BITMAP* strip, int32_t begin, int32_t end, int32_t from, int32_t to,
               bool down, bool mirrored, int32_t last) {
  if (from >= to) return;
  const int32_t length = down ? al_get_bitmap_height(strip) : al_get_bitmap_width(strip);
  const int32_t at = mirrored ? last + 1 - to : from;
  const int flags = mirrored ? (down ? ALLEGRO_FLIP_HORIZONTAL : ALLEGRO_FLIP_VERTICAL) : 0;
  for (int32_t p = begin; p < end; p += length) {
    const auto piece = static_cast<float>(std::min(length, end - p));
    const auto span = static_cast<float>(to - from);
    if (down) {
      al_draw_bitmap_region(strip, static_cast<float>(from), 0.0f, span, piece,
                            static_cast<float>(at), static_cast<float>(p), flags);
    } else {
      al_draw_bitmap_region(strip, 0.0f, static_cast<float>(from), piece, span,
                            static_cast<float>(p), static_cast<float>(at), flags);
    }
  }
}

// An edge image along one axis: its near side at rows 0 .. thick - 1, its far side mirrored at
// size - 1 .. size - thick. Where the two meet, the pixel is the one written last pixel by pixel
// (row i's near and far pixels in turn): the far side up to the middle, the near side beyond.
void DrawEdge(ALLEGRO_BITMAP* strip, int32_t begin, int32_t end, int32_t size, bool down) {
  const int32_t thick = down ? al_get_bitmap_width(strip) : al_get_bitmap_height(strip);
  TileStrip(strip, begin, end, 0, thick, down, false, size - 1);
  TileStrip(strip, begin, end, 0, thick, down, true, size - 1);
  TileStrip(strip, begin, end, std::max(size - thick, (size - 1) / 2 + 1), thick, down, false,
            size - 1);
}

}  // namespace

void GUIBaseObject::DrawBorder() {
  if (!bordered || !HasDrawableBuffer()) return;
  ALLEGRO_BITMAP* target = buffer->GetBitmap();
  al_set_target_bitmap(target);
  // The border's pixels replace what lies under them, alpha included.
  ALLEGRO_STATE state;
  al_store_state(&state, ALLEGRO_STATE_BLENDER);
  al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
  const int32_t w = al_get_bitmap_width(target);
  const int32_t h = al_get_bitmap_height(target);

  int32_t cw = 8;
  int32_t ch = 8;
  if (ALLEGRO_BITMAP* corner = BitmapOf(cornerImage)) {
    cw = al_get_bitmap_width(corner);
    ch = al_get_bitmap_height(corner);
    const auto fw = static_cast<float>(cw);
    const auto fh = static_cast<float>(ch);
    const auto right = static_cast<float>(w - cw);
    const auto bottom = static_cast<float>(h - ch);
    al_draw_bitmap_region(corner, 0.0f, 0.0f, fw, fh, 0.0f, 0.0f, 0);
    al_draw_bitmap_region(corner, 0.0f, 0.0f, fw, fh, right, 0.0f, ALLEGRO_FLIP_HORIZONTAL);
    al_draw_bitmap_region(corner, 0.0f, 0.0f, fw, fh, 0.0f, bottom, ALLEGRO_FLIP_VERTICAL);
    al_draw_bitmap_region(corner, 0.0f, 0.0f, fw, fh, right, bottom,
                          ALLEGRO_FLIP_HORIZONTAL | ALLEGRO_FLIP_VERTICAL);
  }
  // The tiles of one image go to the renderer together; nothing else is drawn meanwhile.
  al_hold_bitmap_drawing(true);
  // An edge image of no width or height has nothing to tile.
  ALLEGRO_BITMAP* across = BitmapOf(horizontalImage);
  if (across != nullptr && al_get_bitmap_width(across) > 0 && al_get_bitmap_height(across) > 0) {
    DrawEdge(across, cw, w - cw, h, false);
  }
  ALLEGRO_BITMAP* down = BitmapOf(verticalImage);
  if (down != nullptr && al_get_bitmap_width(down) > 0 && al_get_bitmap_height(down) > 0) {
    DrawEdge(down, ch, h - ch, w, true);
  }
  al_hold_bitmap_drawing(false);
  al_restore_state(&state);
}

GUIBaseObject* GUIBaseObject::FindInSubtree(const char* wanted, int32_t wantedType) const {
  if (wanted == nullptr) return nullptr;
  for (GUIBaseObject* child : Widgets(children)) {
    if (child->Is(wanted, wantedType)) return child;
    if (GUIBaseObject* found = child->FindInSubtree(wanted, wantedType)) return found;
  }
  return nullptr;
}

ImageObject* GUIImageEntry(const char* heading, const char* name) {
  if (gDataLibrary == nullptr || name == nullptr) return nullptr;
  return gDataLibrary->GetEntry<ImageObject>("Images", "GUI", heading, name);
}
