#pragma once

#include <memory>

class ImageObject;

// One tile texture of an isometric map: the 32 x 32 image as loaded and, outside OpenGL mode, the
// three face images sheared from it for the painter's road (a 62 x 31 diamond for the top, two
// 31 x 47 parallelograms for the sides). In OpenGL mode every face is drawn from the flat image.
class IsoTileTexture {
 public:
  static constexpr int kSize = 32;
  static constexpr int kTopWidth = 62, kTopHeight = 31;
  static constexpr int kSideWidth = 31, kSideHeight = 47;

  // The images are made cleared to transparent, so a texture whose source never came draws
  // nothing. The road is the OpenGL-mode flag at creation.
  IsoTileTexture();
  ~IsoTileTexture();
  IsoTileTexture(const IsoTileTexture&) = delete;
  IsoTileTexture& operator=(const IsoTileTexture&) = delete;

  // Copies the source into the flat image and builds the faces. A source smaller than 32 x 32
  // gives what it has and leaves the rest transparent; a larger one gives its top-left 32 x 32.
  // A null source logs "Failed to create texture, bitmap was NULL\n" and changes nothing.
  void CreateTexture(const ImageObject* source);

  // In OpenGL mode each answers the flat image.
  ImageObject* GetTop() const;
  ImageObject* GetSideA() const;
  ImageObject* GetSideB() const;
  ImageObject* GetFlat() const { return flat.get(); }

 private:
  struct ImageDeleter {
    void operator()(ImageObject* image) const;
  };
  using Image = std::unique_ptr<ImageObject, ImageDeleter>;

  bool openGL;
  Image flat;
  Image top;
  Image sideA;
  Image sideB;
};
