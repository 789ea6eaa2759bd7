#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/RLL.h"
#include "core/RootObject.h"
#include "core/script/PropertyHolder.h"
#include "resources/ImageObject.h"

class GUINameIndex;

// The base of every widget: a rectangle in its parent's coordinates, an off-screen buffer the
// widget draws itself into, visibility, lock and redraw flags, an optional border of three images
// whose top edge drags the widget, and its children (head = front-most). Widgets override OnInput,
// Draw and GetPropertyAddress.
//
// A widget owns its buffer and its children; the border images are borrowed from the data library.
class GUIBaseObject : public RootObject, public PropertyHolder {
 public:
  static constexpr int32_t kTypeCode = 3000;

  // Input events. Coordinates are the parent's (screen coordinates for a top-level widget and for
  // the drag step); key events carry 0, 0.
  static constexpr int32_t kDragStep = -2;
  static constexpr int32_t kTick = -1;
  static constexpr int32_t kPress = 0;
  static constexpr int32_t kRelease = 1;
  static constexpr int32_t kKeyDown = 2;
  static constexpr int32_t kKeyUp = 3;

  GUIBaseObject();
  // Destroys the buffer, then every child as its own kind.
  virtual ~GUIBaseObject();
  GUIBaseObject(const GUIBaseObject&) = delete;
  GUIBaseObject& operator=(const GUIBaseObject&) = delete;

  // Rectangle (x, y, x + w, y + h), a new w x h buffer (none when Allegro refuses the size or a
  // side is past ImageObject::LargestSide: the widget is then never drawn), and visible,
  // redraw-enabled and dirty set.
  void SetDimensions(int32_t x, int32_t y, int32_t w, int32_t h);
  // Within the rectangle (bounds inclusive), and never while the parent has no mouse-over.
  bool IsInside(int32_t x, int32_t y) const;

  void Show() { visible = true; }
  void Hide() { visible = false; }
  void Flip() { visible = !visible; }
  bool IsVisible() const { return visible; }
  // Whether this widget and every ancestor are visible.
  bool IsShown() const;

  // The name of the widget's entry in its parent's list (or the top level).
  const std::string& GetName() const { return name; }
  void SetName(const char* entryName);

  void SetParent(GUIBaseObject* object) { parent = object; }
  GUIBaseObject* GetParent() const { return parent; }
  RLL& GetChildren() { return children; }
  const RLL& GetChildren() const { return children; }

  void SetLock(int32_t value) { locked = value != 0; }
  bool IsLocked() const { return locked; }
  void SetBorderFlag(int32_t value) { bordered = value != 0; }
  bool IsBordered() const { return bordered; }
  int32_t GetBorderWidth() const { return borderWidth; }
  // Stores the three (any may be none). A corner image makes the widget bordered with the corner's
  // width as the grab zone; an edge image alone makes it bordered and keeps the zone; with none of
  // the three the border flag stays as it was.
  void SetBorderImages(ImageObject* corner, ImageObject* horizontal, ImageObject* vertical);
  bool HasAllBorderImages() const;

  void SetDirty() { dirty = true; }
  bool IsDirty() const { return dirty; }
  void SetParentDirty();
  void SetRedrawEnabled(bool on) { redrawEnabled = on; }
  void MoveBy(int32_t dx, int32_t dy);

  int32_t GetLeft() const { return left; }
  int32_t GetTop() const { return top; }
  int32_t GetRight() const { return right; }
  int32_t GetBottom() const { return bottom; }
  int32_t GetWidth() const { return width; }
  int32_t GetHeight() const { return height; }
  // None before the first SetDimensions.
  const ImageObject* GetBuffer() const { return buffer.get(); }
  bool HasMouseOver() const { return mouseOver; }
  bool IsDragging() const { return dragging; }
  bool IsEdgeGrabbed() const { return edgeGrabbed; }
  bool GrabbedLeft() const { return grabLeft; }
  bool GrabbedTop() const { return grabTop; }
  bool GrabbedRight() const { return grabRight; }
  bool GrabbedBottom() const { return grabBottom; }

  // The common input path: mouse-over, border grabs and the drag, then the children front to back,
  // then OnInput. Answers whether the event was consumed. A tick reaches every visible widget of
  // the subtree whatever the answers, and computes mouse-over as a press does.
  bool HandleInput(int32_t event, int32_t x, int32_t y);
  // Ends any press under way on this widget and its subtree (drag, grabs, the widgets' own pressed
  // state); every mouse release does this, so a release that never reached a widget leaves
  // nothing held.
  void EndPressInSubtree();

  // Redraws the buffer when dirty and redraw-enabled, then draws it onto the parent's image at the
  // widget's position. Nothing for a hidden widget or one without a bitmap. A redraw that would
  // give the pixels the buffer holds already is skipped: the flags change as the redraw would
  // change them, and no pixel is drawn.
  void Render(const ImageObject& parentImage);
  // Every child from the back to the front onto the image.
  void RenderChildren(const ImageObject& image);
  // The border into the buffer, which is the drawing target: mirrored corners, the horizontal
  // image tiled along the top and (mirrored) the bottom, the vertical image down both sides.
  void DrawBorder();

  // Pre-order search of the children's subtrees from the front, for the name and, unless any is
  // asked for, the type code; none when absent. Silent, and it moves no list's cursor.
  static constexpr int32_t kAnyType = -1;
  GUIBaseObject* FindInSubtree(const char* name, int32_t type = kAnyType) const;
  bool Is(const char* wanted, int32_t type = kAnyType) const {
    return name == wanted && (type == kAnyType || typeCode == type);
  }
  // The widget's property; a miss is a missing reference.
  PropertyRef LookupProperty(const char* name) { return GetPropertyAddress("", name); }

 protected:
  // Everything a redraw's pixels depend on, as numbers; two equal lists give equal pixels.
  class DrawInputs {
   public:
    void Add(uint64_t value) { values.push_back(value); }
    void Add(const void* pointer) { Add(reinterpret_cast<uintptr_t>(pointer)); }
    void Add(ALLEGRO_COLOR colour);
    void Add(const std::string& text);
    // The image, its bitmap and its offset; a paletted image draws what its selector says now,
    // which no list can hold.
    void Add(const ImageObject* image);
    // What a widget says when it cannot tell.
    void Unknown() { known = false; }
    bool IsKnown() const { return known; }
    const std::vector<uint64_t>& Values() const { return values; }

   private:
    std::vector<uint64_t> values;
    bool known = true;
  };

  // Adds what Draw shows besides the size, the border and the road (the base adds those); answers
  // false when the widget cannot tell, and is then redrawn whenever it is dirty.
  virtual bool DescribeDraw(DrawInputs& inputs) const;
  // What Draw does to the flags, for a redraw that is skipped; widgets that describe their draw
  // give it.
  virtual void SkipDraw() {}
  // The children as RenderChildren draws them; false when one of them would be redrawn.
  bool DescribeChildren(DrawInputs& inputs) const;
  // RenderChildren without drawing, for a skipped redraw.
  void SkipChildren();

  // The widget's own reaction; x and y in the parent's coordinates.
  virtual bool OnInput(int32_t event, int32_t x, int32_t y);
  // Draws the widget into its buffer, which is the drawing target.
  virtual void Draw() {}
  // Called on every release for each widget; widgets with a pressed state of their own clear it.
  virtual void EndPress() {}

  // The buffer as a drawing surface for the widget's own Draw.
  const ImageObject& Buffer() const { return *buffer; }

  bool locked = true;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t width = 0, height = 0;
  int32_t posX = 0, posY = 0;
  bool visible = false;
  bool redrawEnabled = false;
  bool dirty = false;
  std::unique_ptr<ImageObject> buffer;
  bool bordered = false;
  bool edgeGrabbed = false;
  int32_t borderWidth = 0;
  ImageObject* cornerImage = nullptr;
  ImageObject* horizontalImage = nullptr;
  ImageObject* verticalImage = nullptr;
  bool dragging = false;
  int32_t anchorX = 0, anchorY = 0;
  bool grabLeft = false, grabTop = false, grabRight = false, grabBottom = false;
  RLL children;
  GUIBaseObject* parent = nullptr;
  bool mouseOver = false;

 private:
  friend class GUINameIndex;

  std::string name;
  // The index of the tree this widget is in; none outside any.
  GUINameIndex* nameIndex = nullptr;

  // Which drawing of the buffer it holds now: every redraw and every new buffer takes a new one.
  uint64_t drawStamp = 0;
  // What the last redraw drew from; none when it could not tell.
  std::vector<uint64_t> drawnFrom;
  bool drawnFromKnown = false;

  bool HasDrawableBuffer() const { return buffer != nullptr && buffer->GetBitmap() != nullptr; }
  bool Describe(DrawInputs& inputs) const;
  // Whether a redraw now would draw what the buffer holds.
  bool BufferIsCurrent() const;
  void SkipRender();
  void GrabEdges(int32_t x, int32_t y);
};

// The image Images/GUI/<heading>/<name> of the data library, with the library's warning when it is
// missing; none while there is no library or no name.
ImageObject* GUIImageEntry(const char* heading, const char* name);
