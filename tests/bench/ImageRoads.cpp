// Draws the same 10,000 sprites per frame on the Allegro road and on the OpenGL road of the image
// object and prints the frames per second of each, measured in the same run, and their ratio
// ("ratio sprites10k OpenGL/Allegro": the OpenGL road's frames per second over the Allegro
// road's). Needs an X display with OpenGL; under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_ImageRoads [seconds per round]
// The figures depend on the renderer (Mesa's software renderer under Xvfb); compare the roads.

#include <allegro5/allegro.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "DisplayBench.h"
#include "core/Globals.h"
#include "resources/GLUtilities.h"
#include "resources/ImageObject.h"
#include "support/GLDisplay.h"

namespace {

constexpr int kSprites = 10000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Sprite {
  int x, y, flags;
};

// Frames drawn in `seconds`, each clearing the back buffer, drawing every sprite and flipping.
double SpriteFramesPerSecond(const ImageObject& image, const std::vector<Sprite>& sprites,
                             double seconds) {
  ALLEGRO_DISPLAY* display = al_get_current_display();
  return FramesPerSecond(
      [&] {
        al_set_target_backbuffer(display);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        // As the game draws its actors: the OpenGL road gathers the quads of one bitmap.
        const GLHeldDrawing hold;
        for (const Sprite& s : sprites) image.DrawAt(s.x, s.y, s.flags);
      },
      seconds);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = BenchSeconds(argc, argv);
  if (!OpenBenchDisplay(kWidth, kHeight)) return 1;
  bool openGL = false;
  ImageObject sprite;
  sprite.Wrap(MakePatternBitmap(32, 32), &openGL);

  std::srand(1);
  std::vector<Sprite> sprites(kSprites);
  for (Sprite& s : sprites) {
    s = {std::rand() % (kWidth - 32), std::rand() % (kHeight - 32), std::rand() % 4};
  }

  // Two rounds each, interleaved, so a warming cache or a busy machine hits both roads alike.
  double allegro = 0, quads = 0;
  for (int round = 0; round < 2; ++round) {
    openGL = false;
    allegro += SpriteFramesPerSecond(sprite, sprites, seconds) / 2;
    openGL = true;
    quads += SpriteFramesPerSecond(sprite, sprites, seconds) / 2;
  }
  std::printf("%d sprites of 32 x 32 per frame, %d x %d back buffer\n", kSprites, kWidth, kHeight);
  std::printf("Allegro road: %.2f frames per second\n", allegro);
  std::printf("OpenGL road:  %.2f frames per second\n", quads);
  std::printf("OpenGL / Allegro: %.2f\n", quads / allegro);
  std::printf("ratio sprites10k OpenGL/Allegro %.2f\n", quads / allegro);
  return 0;
}
