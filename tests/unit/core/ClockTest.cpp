#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include "core/Clock.h"

// Start-up times itself from before Allegro runs to after: the clock must keep one time line
// across Allegro's start and end.
TEST(Clock_WallClock, KeepsOneTimeLineWhileAllegroStartsAndEnds) {
  const bool wasInstalled = al_is_system_installed();
  if (wasInstalled) al_uninstall_system();
  const double before = WallClock();
  ASSERT_TRUE(al_install_system(ALLEGRO_VERSION_INT, nullptr));
  const double during = WallClock();
  al_uninstall_system();
  const double after = WallClock();
  if (wasInstalled) al_install_system(ALLEGRO_VERSION_INT, nullptr);
  EXPECT_GE(during, before);
  EXPECT_LT(during - before, 1.0);
  EXPECT_GE(after, during);
  EXPECT_LT(after - during, 1.0);
}
