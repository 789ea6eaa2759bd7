#include "world/ChunkLoader.h"

#include <cstdio>

#include "core/Log.h"

ChunkLoader::~ChunkLoader() { std::remove("ActiveChunks.pcf"); }

int32_t ChunkLoader::OpenLevel(const char* path) {
  (void)path;
  return -1;
}

int32_t ChunkLoader::TestCell(int32_t x, int32_t y) {
  Log("Failed %ix%i\n", x >> 8, y >> 8);
  return 0;
}

void ChunkLoader::SetActiveArea(int32_t column, int32_t row) {
  (void)column;
  (void)row;
}

void ChunkLoader::Update() {}

void ChunkLoader::DrawLower(const Camera& camera) { (void)camera; }

void ChunkLoader::DrawUpper(const Camera& camera) { (void)camera; }
