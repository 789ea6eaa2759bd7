// The OpenGL road of the image object: textured quads on a display made for OpenGL.
//
// Until the textured-quad drawing exists, OpenGL mode draws through Allegro, which draws correctly
// on an OpenGL display too.

#include "resources/ImageRoad.h"

const ImageRoad& OpenGLImageRoad() { return AllegroImageRoad(); }
