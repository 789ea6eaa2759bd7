#include "world/IsoMap.h"

#include <allegro5/allegro.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/Globals.h"
#include "core/Log.h"
#include "resources/GLUtilities.h"
#include "resources/ImageObject.h"
#include "world/IsoTileTexture.h"
#include "world/TextureLookupList.h"
#include "world/WorldPlayer.h"

namespace {

// The most cells a map may have (and the most along any side), whatever its file claims: far
// beyond any map drawn in a frame.
constexpr int64_t kMaxCells = int64_t{1} << 22;
constexpr size_t kCellBytes = 1 + 3 * 4;

// The number of cells of a grid of that size; -1 for a negative size or more than the most.
int64_t CellCount(int32_t x, int32_t y, int32_t z) {
  if (x < 0 || y < 0 || z < 0 || x > kMaxCells || y > kMaxCells || z > kMaxCells) return -1;
  // Each step stays below 2^44, so nothing overflows.
  const int64_t plane = int64_t{x} * y;
  if (plane > kMaxCells) return -1;
  const int64_t cells = plane * z;
  return cells > kMaxCells ? -1 : cells;
}

// The file's bytes after the magic, read with every step checked against what is left.
class ByteReader {
 public:
  explicit ByteReader(std::vector<uint8_t> bytes) : data(std::move(bytes)) {}

  size_t Left() const { return data.size() - at; }
  bool Skip(size_t n) {
    if (n > Left()) return false;
    at += n;
    return true;
  }
  bool Byte(uint8_t& out) {
    if (Left() < 1) return false;
    out = data[at++];
    return true;
  }
  bool Int32(int32_t& out) {
    if (Left() < 4) return false;
    const uint32_t v = uint32_t{data[at]} | uint32_t{data[at + 1]} << 8 |
                       uint32_t{data[at + 2]} << 16 | uint32_t{data[at + 3]} << 24;
    out = static_cast<int32_t>(v);
    at += 4;
    return true;
  }
  bool Text(size_t n, std::string& out) {
    if (n > Left()) return false;
    out.assign(reinterpret_cast<const char*>(&data[at]), n);
    at += n;
    return true;
  }
  size_t Position() const { return at; }
  void Seek(size_t position) { at = position; }

 private:
  std::vector<uint8_t> data;
  size_t at = 0;
};

std::vector<uint8_t> ReadRest(std::FILE* file) {
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  return bytes;
}

// Walks the cells without keeping anything: whether every cell the sizes promise is there.
bool GridFits(ByteReader& reader, int64_t cells) {
  const size_t start = reader.Position();
  bool whole = true;
  for (int64_t c = 0; c < cells && whole; ++c) {
    uint8_t present = 0;
    whole = reader.Byte(present) && (present == 0 || reader.Skip(kCellBytes - 1));
  }
  reader.Seek(start);
  return whole;
}

// A cell's faces cover x in [anchor - 31, anchor + 31) and y in [anchor - 31, anchor + 32); the
// margin keeps a cell whose face edges merely touch the view, on either road.
constexpr double kFootprintMargin = 2;
constexpr double kFootprintLeft = 31 + kFootprintMargin, kFootprintRight = 31 + kFootprintMargin;
constexpr double kFootprintTop = 31 + kFootprintMargin, kFootprintBottom = 32 + kFootprintMargin;

// The least integer above v and the greatest below it, for bounds far outside any grid too.
int64_t IntegerAbove(double v) {
  return static_cast<int64_t>(std::floor(std::clamp(v, -1e12, 1e12))) + 1;
}
int64_t IntegerBelow(double v) {
  return static_cast<int64_t>(std::ceil(std::clamp(v, -1e12, 1e12))) - 1;
}

}  // namespace

int IsoMap::ReadFile(std::FILE* file, TextureLookupList& textures) {
  if (file == nullptr) return kNoFile;
  FreeGrid();
  FreeAtlas();
  textures.FreeTextures();
  textures.ClearTextureQueues();

  char magic[kMagicSize + 1] = {};
  const size_t got = std::fread(magic, 1, kMagicSize, file);
  if (got != kMagicSize || std::memcmp(magic, kMagic, kMagicSize) != 0) {
    Log("ReadFile:  FAILURE, %s it the wrong file version\n", magic);
    return kWrongVersion;
  }

  ByteReader reader(ReadRest(file));
  int32_t skippedValue = 0, textureCount = 0;
  uint8_t skippedLength = 0;
  if (!reader.Int32(skippedValue) || !reader.Byte(skippedLength) || !reader.Skip(skippedLength) ||
      !reader.Int32(textureCount) || textureCount < 0 ||
      static_cast<uint64_t>(textureCount) > reader.Left()) {
    return kDamaged;
  }
  std::vector<std::string> names(static_cast<size_t>(textureCount));
  for (std::string& name : names) {
    uint8_t length = 0;
    if (!reader.Byte(length) || !reader.Text(length, name)) return kDamaged;
  }
  int32_t sx = 0, sy = 0, sz = 0;
  if (!reader.Int32(sx) || !reader.Int32(sy) || !reader.Int32(sz) || sx < 0 || sy < 0 || sz < 0) {
    return kDamaged;
  }
  // Every cell takes at least one byte, so no true file claims more cells than bytes left.
  const int64_t cells = CellCount(sx, sy, sz);
  if (cells < 0 || static_cast<uint64_t>(cells) > reader.Left() || !GridFits(reader, cells)) {
    return kDamaged;
  }

  for (size_t i = 0; i < names.size(); ++i) {
    textures.QueueTexture(names[i].c_str(), static_cast<int32_t>(i));
  }
  textures.LoadQueuedTextures();
  const auto& slots = textures.GetTextureSlots();
  if (!Allocate(sx, sy, sz)) return kDamaged;

  for (int32_t x = 0; x < sx; ++x) {
    for (int32_t y = 0; y < sy; ++y) {
      for (int32_t z = 0; z < sz; ++z) {
        uint8_t present = 0;
        reader.Byte(present);
        if (present == 0) continue;
        auto block = std::make_unique<IsoBlock>();
        for (int k = 0; k < 3; ++k) {
          int32_t number = -1;
          reader.Int32(number);
          if (number >= 0 && static_cast<size_t>(number) < slots.size()) {
            block->SetFace(k, slots[static_cast<size_t>(number)].get());
          }
        }
        blocks[Index(x, y, z)] = std::move(block);
      }
    }
  }
  BuildAtlas(textures);
  return kRead;
}

void IsoMap::BuildAtlas(const TextureLookupList& textures) {
  FreeAtlas();
  if (!gOpenGLMode || al_get_current_display() == nullptr) return;
  std::vector<ALLEGRO_BITMAP*> flats;
  for (const auto& slot : textures.GetTextureSlots()) {
    ALLEGRO_BITMAP* flat =
        slot != nullptr && slot->GetFlat() != nullptr ? slot->GetFlat()->GetBitmap() : nullptr;
    if (flat != nullptr && al_get_opengl_texture(flat) != 0 &&
        std::find(flats.begin(), flats.end(), flat) == flats.end()) {
      flats.push_back(flat);
    }
  }
  constexpr int kTile = IsoTileTexture::kSize;
  const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(flats.size()))));
  if (columns == 0 ||
      columns * kTile > al_get_display_option(al_get_current_display(), ALLEGRO_MAX_BITMAP_SIZE))
    return;
  const int rows = (static_cast<int>(flats.size()) + columns - 1) / columns;

  ALLEGRO_STATE state;
  al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP | ALLEGRO_STATE_BLENDER |
                             ALLEGRO_STATE_NEW_BITMAP_PARAMETERS);
  al_set_new_bitmap_flags((al_get_new_bitmap_flags() & ~ALLEGRO_MEMORY_BITMAP) |
                          ALLEGRO_VIDEO_BITMAP);
  atlas = std::make_unique<ImageObject>();
  atlas->Create(columns * kTile, rows * kTile, nullptr);
  std::unordered_map<ALLEGRO_BITMAP*, IsoFaceBatch::Tile> tiles;
  if (atlas->GetBitmap() != nullptr && al_get_opengl_texture(atlas->GetBitmap()) != 0) {
    atlas->ClearToTransparent();
    // Copied exactly, alpha and all.
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    for (size_t i = 0; i < flats.size(); ++i) {
      const IsoFaceBatch::Tile tile{static_cast<int32_t>(i % columns) * kTile,
                                    static_cast<int32_t>(i / columns) * kTile};
      al_draw_bitmap(flats[i], static_cast<float>(tile.x), static_cast<float>(tile.y), 0);
      tiles.emplace(flats[i], tile);
    }
  }
  al_restore_state(&state);
  if (tiles.empty()) {
    FreeAtlas();
    return;
  }
  faceBatch.UseAtlas(atlas->GetBitmap(), std::move(tiles));
}

void IsoMap::FreeAtlas() {
  faceBatch.UseAtlas(nullptr, {});
  atlas.reset();
}

bool IsoMap::Allocate(int32_t x, int32_t y, int32_t z) {
  FreeGrid();
  const int64_t cells = CellCount(x, y, z);
  if (cells < 0) return false;
  try {
    blocks.resize(static_cast<size_t>(cells));
    pendingFaces.assign(static_cast<size_t>(cells), 0);
  } catch (const std::bad_alloc&) {
    FreeGrid();
    return false;
  }
  sizeX = x, sizeY = y, sizeZ = z;
  loaded = true;
  return true;
}

void IsoMap::FreeGrid() {
  blocks.clear();
  blocks.shrink_to_fit();
  pendingFaces.clear();
  pendingFaces.shrink_to_fit();
  sizeX = sizeY = sizeZ = 0;
  loaded = false;
}

bool IsoMap::IsCellEmpty(int32_t x, int32_t y, int32_t z) const {
  if (x < 0 || y < 0 || z > 0) return false;
  const int64_t cx = x >> 5, cy = y >> 5, cz = (-int64_t{z}) >> 5;
  if (cx >= sizeX || cy >= sizeY || cz >= sizeZ) return false;
  return blocks[Index(cx, cy, cz)] == nullptr;
}

IsoBlock* IsoMap::GetBlock(int32_t x, int32_t y, int32_t z) const {
  return Inside(x, y, z) ? blocks[Index(x, y, z)].get() : nullptr;
}

IsoMap::View IsoMap::TargetView() {
  View view;
  const ALLEGRO_TRANSFORM* current = al_get_current_transform();
  if (current == nullptr) return view;
  // Only a plane transform (nothing from depth, no perspective) moves every face as a flat shape;
  // the GL road's faces have depth.
  const auto& m = current->m;
  const bool plane = m[0][2] == 0 && m[1][2] == 0 && m[2][0] == 0 && m[2][1] == 0 && m[0][3] == 0 &&
                     m[1][3] == 0 && m[2][3] == 0 && m[3][3] == 1;
  if (!plane || !al_check_inverse(current, 1e-6f)) return view;
  ALLEGRO_TRANSFORM inverse;
  al_copy_transform(&inverse, current);
  al_invert_transform(&inverse);
  int cx = 0, cy = 0, cw = 0, ch = 0;
  al_get_clipping_rectangle(&cx, &cy, &cw, &ch);
  view.left = view.top = HUGE_VAL;
  view.right = view.bottom = -HUGE_VAL;
  for (const int corner : {0, 1, 2, 3}) {
    float x = static_cast<float>(corner & 1 ? cx + cw : cx);
    float y = static_cast<float>(corner & 2 ? cy + ch : cy);
    al_transform_coordinates(&inverse, &x, &y);
    view.left = std::min<double>(view.left, x);
    view.right = std::max<double>(view.right, x);
    view.top = std::min<double>(view.top, y);
    view.bottom = std::max<double>(view.bottom, y);
  }
  view.everything = !(view.left <= view.right && view.top <= view.bottom);
  return view;
}

bool IsoMap::InView(int64_t x, int64_t y, int64_t z) const {
  if (view.everything) return true;
  const double ax = static_cast<double>(30 * (x - y) + 300);
  const double ay = static_cast<double>(15 * (x + y) - 32 * z + 200);
  return ax - kFootprintLeft < view.right && ax + kFootprintRight > view.left &&
         ay - kFootprintTop < view.bottom && ay + kFootprintBottom > view.top;
}

template <typename Visit>
void IsoMap::ForEachCellInView(int32_t z, Visit&& visit) const {
  // The anchor moves 30 pixels across with each step of x - y and 15 down with each step of
  // x + y, so the cells in view lie between two bounds on each.
  int64_t diffLo = 1 - int64_t{sizeY}, diffHi = int64_t{sizeX} - 1;
  int64_t sumLo = 0, sumHi = int64_t{sizeX} + sizeY - 2;
  if (!view.everything) {
    const double rise = 32.0 * z - 200;
    diffLo = std::max(diffLo, IntegerAbove((view.left - kFootprintRight - 300) / 30));
    diffHi = std::min(diffHi, IntegerBelow((view.right + kFootprintLeft - 300) / 30));
    sumLo = std::max(sumLo, IntegerAbove((view.top - kFootprintBottom + rise) / 15));
    sumHi = std::min(sumHi, IntegerBelow((view.bottom + kFootprintTop + rise) / 15));
  }
  for (int64_t x = 0; x < sizeX; ++x) {
    const int64_t yLo = std::max({int64_t{0}, sumLo - x, x - diffHi});
    const int64_t yHi = std::min({int64_t{sizeY} - 1, sumHi - x, x - diffLo});
    for (int64_t y = yLo; y <= yHi; ++y) visit(static_cast<int32_t>(x), static_cast<int32_t>(y));
  }
}

void IsoMap::DrawCell(int32_t x, int32_t y, int32_t z, uint8_t faces) {
  if (!Inside(x, y, z)) return;
  const size_t at = Index(x, y, z);
  const uint8_t remaining = faces & pendingFaces[at];
  pendingFaces[at] &= static_cast<uint8_t>(~remaining);
  const IsoBlock* block = blocks[at].get();
  if (remaining == 0 || block == nullptr) return;
  if (drawingGL) {
    block->DrawGL(AnchorX(x, y), AnchorY(x, y, z), remaining, faceBatch);
  } else {
    block->Draw2D(AnchorX(x, y), AnchorY(x, y, z), remaining);
  }
}

void IsoMap::Draw(ImageObject* target, WorldPlayer* player) {
  if (!loaded || target == nullptr || target->GetBitmap() == nullptr) return;

  int32_t cx = 0, cy = 0, cz = 0;
  if (const Dimensions* centre = player != nullptr ? player->GetDimensions() : nullptr) {
    cx = centre->x, cy = centre->y, cz = centre->z;
  }
  if (player != nullptr) player->Draw(target, nullptr);
  const int64_t px = cx / 32, py = cy / 32, pz = -(int64_t{cz} / 32);

  target->SetAsTarget();
  // Every cell in view is drawn by the last pass over its layer, so the pending faces of all
  // cells are 0 again once the frame is done, and those out of view are never touched.
  view = TargetView();
  for (int32_t i = 0; i < sizeZ; ++i) {
    ForEachCellInView(
        i, [&](int32_t x, int32_t y) { pendingFaces[Index(x, y, i)] = IsoBlock::kAllFaces; });
  }
  // The faces go through GL only where every image draw of the frame does: OpenGL mode on a
  // target that takes GL. Each stretch of faces (the player splits the pass in two) is gathered
  // and drawn at its end inside one scope that gives the matrices back.
  drawingGL = gOpenGLMode && GLCanDraw(target->GetBitmap());
  std::optional<GLDrawScope> scope;
  const auto openScope = [&] {
    if (drawingGL) scope.emplace(target->GetBitmap(), true);
  };
  const auto closeScope = [&] {
    faceBatch.Flush();
    scope.reset();
  };
  const auto drawPlayer = [&] {
    closeScope();
    if (player != nullptr) player->DrawAtStoredPosition();
    target->SetAsTarget();
    openScope();
  };

  openScope();
  if (pz < 0) drawPlayer();
  for (int32_t i = 0; i < sizeZ; ++i) {
    const bool nearPlayer = std::abs(i - pz) <= 1;
    ForEachCellInView(i, [&](int32_t x, int32_t y) {
      if (!nearPlayer || int64_t{x} + y + i < px + py + pz) DrawCell(x, y, i, IsoBlock::kAllFaces);
    });
    if (i == pz) {
      const auto cell = [&](int64_t x, int64_t y, int64_t z) {
        if (Inside(x, y, z) && InView(x, y, z)) {
          DrawCell(static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(z),
                   IsoBlock::kAllFaces);
        }
      };
      cell(px + 1, py - 1, i);
      cell(px - 1, py, i + 1);
      cell(px, py - 1, i + 1);
      drawPlayer();
    }
    ForEachCellInView(i, [&](int32_t x, int32_t y) { DrawCell(x, y, i, IsoBlock::kAllFaces); });
  }
  if (pz >= sizeZ) drawPlayer();
  closeScope();
  drawingGL = false;
}
