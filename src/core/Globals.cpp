#include "core/Globals.h"

#include "core/Clock.h"

#define QM_DEFINE_STATE(type, name, start) type name = start;
#define QM_DEFINE_MANAGER(Class, name) Class* name = nullptr;
QM_STATE_GLOBALS(QM_DEFINE_STATE)
QM_MANAGER_GLOBALS(QM_DEFINE_MANAGER)
QM_SEAM_GLOBALS(QM_DEFINE_MANAGER)
#undef QM_DEFINE_STATE
#undef QM_DEFINE_MANAGER

namespace {
int32_t paletteNumber = 0;
}  // namespace

void SetGlobalPaletteNumber(int32_t number) {
  if (number >= 0) paletteNumber = number;
}

int32_t GetGlobalPaletteNumber() { return paletteNumber; }

const int32_t* GlobalPaletteNumberAddress() { return &paletteNumber; }

void ResetGlobals() {
#define QM_RESET_STATE(type, name, start) name = start;
#define QM_RESET_MANAGER(Class, name) name = nullptr;
  QM_STATE_GLOBALS(QM_RESET_STATE)
  QM_MANAGER_GLOBALS(QM_RESET_MANAGER)
  QM_SEAM_GLOBALS(QM_RESET_MANAGER)
#undef QM_RESET_STATE
#undef QM_RESET_MANAGER
  paletteNumber = 0;
  SetClockSource(nullptr);
}
