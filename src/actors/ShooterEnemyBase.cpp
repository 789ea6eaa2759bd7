#include "actors/ShooterEnemyBase.h"

#include "core/Convert.h"
#include "resources/ImageObject.h"

ShooterEnemyBase::ShooterEnemyBase() { typeCode = ShooterEnemyType::kBase; }

ShooterEnemyBase::~ShooterEnemyBase() {
  if (image == nullptr) return;
  image->Destroy();
  delete image;
}

void ShooterEnemyBase::Set(int32_t firstValue, int32_t secondValue) {
  first = firstValue;
  second = secondValue;
}

void ShooterEnemyBase::SetRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  centreX = static_cast<float>(x);
  centreY = static_cast<float>(y);
  width = w;
  height = h;
  RecomputeRect();
}

void ShooterEnemyBase::RecomputeRect() {
  const float halfWidth = static_cast<float>(width / 2);
  const float halfHeight = static_cast<float>(height / 2);
  minX = ToInt32(centreX - halfWidth);
  maxX = ToInt32(centreX + halfWidth);
  minY = ToInt32(centreY - halfHeight);
  maxY = ToInt32(centreY + halfHeight);
}

void ShooterEnemyBase::DrawWithOffset(ImageObject* target, int32_t ox, int32_t oy) {
  DrawAt(target, SaturatingAdd(int64_t{minX} + drawOffsetX, ox),
         SaturatingAdd(int64_t{minY} + drawOffsetY, oy));
}

void ShooterEnemyBase::DrawAt(ImageObject* target, int32_t x, int32_t y) {
  ImageObject* picture = image != nullptr ? image : fallbackImage;
  if (picture == nullptr || target == nullptr) return;
  target->SetAsTarget();
  picture->DrawAt(x, y, drawFlags);
}
