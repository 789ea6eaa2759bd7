// Frames per second of a 64 x 64 x 4 isometric map drawn into an 800 x 600 view, on the painter's
// road and on the OpenGL road, beside a 16 x 16 x 4 map of the same pattern in the same view (the
// ratio of their frame times, "ratio iso64/iso16 ROAD"), and the time to load the big map's tile
// textures through the map's texture list beside extracting the same images through the image
// container manager, all in one run.
// Needs an X display with OpenGL; under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_IsoMapRoads [seconds per road]
// The figures depend on the renderer (Mesa's software renderer under Xvfb); compare side by side.

#include <allegro5/allegro.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "DisplayBench.h"
#include "IsoMapWriter.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "resources/ExternalImageManager.h"
#include "resources/ImageObject.h"
#include "support/IsoFixtures.h"
#include "support/TempDir.h"
#include "world/IsoMap.h"
#include "world/TextureLookupList.h"

namespace {

constexpr int kSide = 64, kSmallSide = 16, kLayers = 4, kTextures = 64;

std::string TextureName(int i) { return "tile" + std::to_string(i); }

// Ground everywhere, walls and towers above on a fixed pattern, every texture used.
iso_map::Bytes BenchMap(int side) {
  iso_map::IsoMapWriter writer(side, side, kLayers);
  for (int i = 0; i < kTextures; ++i) writer.AddTexture(TextureName(i));
  for (int x = 0; x < side; ++x) {
    for (int y = 0; y < side; ++y) {
      const int t = (x * 7 + y * 3) % kTextures;
      writer.Set(x, y, 0, {t, (t + 1) % kTextures, (t + 2) % kTextures});
      for (int z = 1; z < kLayers; ++z) {
        if ((x * 5 + y * 11 + z) % (3 + z) == 0) writer.Set(x, y, z, {t, t, t});
      }
    }
  }
  return writer.Write();
}

struct Loaded {
  std::unique_ptr<TextureLookupList> textures = std::make_unique<TextureLookupList>();
  std::unique_ptr<IsoMap> map = std::make_unique<IsoMap>();
  double seconds = 0;  // reading the map file with its textures
};

Loaded Load(const TextureHeading& heading, const iso_map::Bytes& bytes) {
  Loaded loaded;
  loaded.textures->BuildLookupList(heading.Get());
  std::FILE* file = OpenBytes(bytes);
  const double start = al_get_time();
  if (loaded.map->ReadFile(file, *loaded.textures) != IsoMap::kRead) std::abort();
  loaded.seconds = al_get_time() - start;
  std::fclose(file);
  return loaded;
}

// Only the textures: queued and loaded as a map file asks for them.
double TextureLoadSeconds(const TextureHeading& heading) {
  TextureLookupList textures;
  textures.BuildLookupList(heading.Get());
  const double start = al_get_time();
  for (int i = 0; i < kTextures; ++i) textures.QueueTexture(TextureName(i).c_str(), i);
  textures.LoadQueuedTextures();
  return al_get_time() - start;
}

// The same images through the image container manager: open, extract each, close.
double ExtractSeconds(const char* path) {
  ExternalImageManager manager;
  const double start = al_get_time();
  manager.OpenFile(path);
  for (int i = 0; i < kTextures; ++i) {
    ImageObject* image = manager.GetBitmapFromActiveFile(TextureName(i).c_str());
    if (image == nullptr) std::abort();
    image->Destroy();
    delete image;
  }
  manager.CloseFile();
  return al_get_time() - start;
}

double MapFramesPerSecond(IsoMap& map, double seconds) {
  ALLEGRO_DISPLAY* display = al_get_current_display();
  ImageObject view;
  view.Create(800, 600, &gOpenGLMode);
  const double fps = FramesPerSecond(
      [&] {
        view.ClearToBlack();
        map.Draw(&view, nullptr);
        al_set_target_backbuffer(display);
        al_draw_bitmap(view.GetBitmap(), 0, 0, 0);
      },
      seconds);
  view.Destroy();
  return fps;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = BenchSeconds(argc, argv);
  if (!OpenBenchDisplay(800, 600)) return 1;
  SetLogSink([](std::string_view) {});
  al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  TempDir dir;
  std::vector<IsoTexture> textures;
  for (int i = 0; i < kTextures; ++i) {
    textures.push_back({TextureName(i),
                        {static_cast<uint8_t>(i * 4), static_cast<uint8_t>(255 - i * 4), 90, 255},
                        32,
                        32,
                        true});
  }
  WriteTextureContainer("tiles.sif", textures);
  const TextureHeading heading("tiles.sif");
  const iso_map::Bytes bytes = BenchMap(kSide), smallBytes = BenchMap(kSmallSide);

  std::printf("%d x %d x %d map (%zu bytes) and %d x %d x %d, %d tile textures, 800 x 600 view\n",
              kSide, kSide, kLayers, bytes.size(), kSmallSide, kSmallSide, kLayers, kTextures);
  std::printf("%-10s %8s %12s %16s %18s %18s\n", "road", "map", "frames/s", "map load (ms)",
              "textures (ms)", "EIM extract (ms)");
  double ratios[2] = {};
  for (const bool openGL : {false, true}) {
    gOpenGLMode = openGL;
    const char* road = openGL ? "OpenGL" : "painter";
    Loaded loaded = Load(heading, bytes);
    Loaded small = Load(heading, smallBytes);
    const double textures = TextureLoadSeconds(heading);
    const double extract = ExtractSeconds("tiles.sif");
    // Untimed frames first (the renderer builds its shaders and uploads the textures on first
    // use), then two rounds each, interleaved, so a busy machine hits both maps alike.
    MapFramesPerSecond(*loaded.map, 0.5);
    MapFramesPerSecond(*small.map, 0.5);
    double fps = 0, smallFps = 0;
    for (int round = 0; round < 2; ++round) {
      fps += MapFramesPerSecond(*loaded.map, seconds / 2) / 2;
      smallFps += MapFramesPerSecond(*small.map, seconds / 2) / 2;
    }
    std::printf("%-10s %8s %12.1f %16.2f %18.2f %18.2f\n", road, "64x64x4", fps,
                loaded.seconds * 1000, textures * 1000, extract * 1000);
    std::printf("%-10s %8s %12.1f %16.2f\n", road, "16x16x4", smallFps, small.seconds * 1000);
    ratios[openGL ? 1 : 0] = smallFps / fps;
    loaded.map.reset();
    small.map.reset();
  }
  std::printf("ratio iso64/iso16 Painter %.2f\n", ratios[0]);
  std::printf("ratio iso64/iso16 OpenGL %.2f\n", ratios[1]);
  gOpenGLMode = false;
  return 0;
}
