#include "world/ChunkedLevelKind.h"

#include "core/Log.h"
#include "platform/ContentFile.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"
#include "world/WorldPlayer.h"

namespace {

// The player's centre; false when there is no player.
bool PlayerCentre(int32_t& x, int32_t& y) {
  const Dimensions* player = PlayerBounds();
  if (player == nullptr) return false;
  x = player->x;
  y = player->y;
  return true;
}

}  // namespace

std::unique_ptr<MapKind> ChunkedLevelKind::Read(
    const MapSource& source, const std::function<std::unique_ptr<ChunkLoader>()>& make) {
  if (!CanOpenContentFile(source.path.c_str())) {
    Log("Failed to find file!\n");
    return nullptr;
  }
  if (DefaultMapCamera() == nullptr) {
    Log("Failed to find default camera!\n");
    return nullptr;
  }
  std::unique_ptr<ChunkLoader> level = make();
  level->OpenLevel(ContentPath(source.path).c_str());
  // Until there is a player to follow, the block lies around the level's first chunk; a player's
  // first tick moves it before anything is read.
  level->SetActiveArea(0, 0);
  return std::make_unique<ChunkedLevelKind>(std::move(level));
}

int32_t ChunkedLevelKind::TestCell(int32_t x, int32_t y, int32_t) {
  return level->TestCell(x, y < INT32_MIN + 65 ? INT32_MIN : y - 65);
}

void ChunkedLevelKind::DrawLower(ImageObject* target, Camera& camera) {
  target->SetAsTarget();
  level->DrawLower(camera);
  if (gWorldPlayer != nullptr) gWorldPlayer->Draw(target, &camera);
}

void ChunkedLevelKind::DrawUpper(ImageObject* target, Camera& camera) {
  target->SetAsTarget();
  level->DrawUpper(camera);
}

bool ChunkedLevelKind::FollowPlayer() {
  int32_t centreX = 0, centreY = 0;
  if (!PlayerCentre(centreX, centreY)) return false;
  level->SetActiveArea(centreX / ChunkLoader::kChunkSize, centreY / ChunkLoader::kChunkSize);
  return true;
}

void ChunkedLevelKind::Tick() {
  FollowPlayer();
  level->Update();
  if (gWorldPlayer != nullptr) gWorldPlayer->SetGameMode(0);
}

void ChunkedLevelKind::RunScript(const std::string& name) {
  const std::string path = MapPath("MapScripts", name + ".lua");
  if (CanOpenContentFile(path.c_str())) {
    RunMapScript(path, kScriptCode);
  } else {
    Log("No matching script file found.\n");
  }
}

void ChunkedLevelKind::AfterScript() {
  if (Camera* camera = DefaultMapCamera()) {
    camera->SetBoundaries(0, 0, level->GetChunksAcross() * ChunkLoader::kChunkSize,
                          level->GetChunksDown() * ChunkLoader::kChunkSize);
    camera->Recompute();
  }
  // Before the first tick's moves test its cells.
  if (FollowPlayer()) level->Update();
}
