#include "support/AllegroHeadless.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unordered_set>

void StartAllegroHeadless() {
  static const bool started = [] {
    if (!al_install_system(ALLEGRO_VERSION_INT, atexit)) {
      std::fprintf(stderr, "Allegro could not start\n");
      std::abort();
    }
    al_init_font_addon();
    al_init_ttf_addon();
    return true;
  }();
  (void)started;
  al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ANY_WITH_ALPHA);
}

std::ostream& operator<<(std::ostream& out, const Rgba& pixel) {
  return out << "(" << int(pixel.r) << ", " << int(pixel.g) << ", " << int(pixel.b) << ", "
             << int(pixel.a) << ")";
}

Rgba PixelAt(ALLEGRO_BITMAP* bitmap, int x, int y) {
  Rgba pixel;
  al_unmap_rgba(al_get_pixel(bitmap, x, y), &pixel.r, &pixel.g, &pixel.b, &pixel.a);
  return pixel;
}

ALLEGRO_BITMAP* FilledBitmap(int width, int height, Rgba fill) {
  ALLEGRO_BITMAP* bitmap = al_create_bitmap(width, height);
  ALLEGRO_STATE state;
  al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP);
  al_set_target_bitmap(bitmap);
  al_clear_to_color(fill.Colour());
  al_restore_state(&state);
  return bitmap;
}

namespace {

std::mutex allocationsLock;
std::unordered_set<void*>* allocations = nullptr;

void Track(void* pointer) {
  if (pointer == nullptr) return;
  const std::lock_guard<std::mutex> guard(allocationsLock);
  if (allocations != nullptr) allocations->insert(pointer);
}

void Untrack(void* pointer) {
  const std::lock_guard<std::mutex> guard(allocationsLock);
  if (allocations != nullptr) allocations->erase(pointer);
}

void* CountedMalloc(size_t n, int, const char*, const char*) {
  void* pointer = std::malloc(n);
  Track(pointer);
  return pointer;
}

void CountedFree(void* pointer, int, const char*, const char*) {
  Untrack(pointer);
  std::free(pointer);
}

void* CountedRealloc(void* pointer, size_t n, int, const char*, const char*) {
  Untrack(pointer);
  void* moved = std::realloc(pointer, n);
  // A failed realloc leaves the old block allocated.
  Track(moved != nullptr || n == 0 ? moved : pointer);
  return moved;
}

void* CountedCalloc(size_t count, size_t n, int, const char*, const char*) {
  void* pointer = std::calloc(count, n);
  Track(pointer);
  return pointer;
}

ALLEGRO_MEMORY_INTERFACE countedInterface = {CountedMalloc, CountedFree, CountedRealloc,
                                             CountedCalloc};

}  // namespace

AllegroAllocations::AllegroAllocations() {
  {
    const std::lock_guard<std::mutex> guard(allocationsLock);
    allocations = new std::unordered_set<void*>;
  }
  al_set_memory_interface(&countedInterface);
}

AllegroAllocations::~AllegroAllocations() {
  al_set_memory_interface(nullptr);
  const std::lock_guard<std::mutex> guard(allocationsLock);
  delete allocations;
  allocations = nullptr;
}

size_t AllegroAllocations::Outstanding() const {
  const std::lock_guard<std::mutex> guard(allocationsLock);
  return allocations->size();
}
