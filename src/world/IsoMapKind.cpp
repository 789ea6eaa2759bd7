#include "world/IsoMapKind.h"

#include <cstdio>

#include "core/Log.h"
#include "platform/ContentFile.h"
#include "world/WorldPlayer.h"

std::unique_ptr<MapKind> IsoMapKind::Read(const MapSource& source,
                                          const std::function<std::unique_ptr<IsoMap>()>& make) {
  Log("MapManager:  Reading file from %s - ", source.path.c_str());
  std::FILE* file = OpenContentFile(source.path.c_str(), "rb");
  std::unique_ptr<IsoMap> map = make();
  const bool read = file != nullptr && map->ReadFile(file, source.textures) == IsoMap::kRead;
  if (file != nullptr) std::fclose(file);
  if (!read) {
    Log("Failed\n");
    Log("Isometric file pathname failed, check Lineart file instead...\n");
    return nullptr;
  }
  Log("Done\n");
  return std::make_unique<IsoMapKind>(std::move(map));
}

int32_t IsoMapKind::TestCell(int32_t x, int32_t y, int32_t z) {
  return map->IsCellEmpty(x, y, z) ? 1 : 0;
}

void IsoMapKind::DrawLower(ImageObject* target, Camera&) { map->Draw(target, gWorldPlayer); }

void IsoMapKind::RunScript(const std::string& name) {
  const std::string path = MapPath("MapScripts", name + ".lua");
  Log("Trying to execute %s\n", path.c_str());
  RunMapScript(path, kScriptCode);
}
