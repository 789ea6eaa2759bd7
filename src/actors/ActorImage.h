#pragma once

#include <cstdint>

class ImageObject;

// Gives the image a new owned bitmap of that size, cleared to transparent, in the current render
// mode. A side of 0 or less or beyond 16384, or a bitmap that cannot be made, leaves the image
// without one; answers whether it has one.
bool MakeActorImage(ImageObject& image, int32_t width, int32_t height);
