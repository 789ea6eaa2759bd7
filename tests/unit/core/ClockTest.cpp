#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include "core/Clock.h"

// Start-up times itself from before Allegro runs to after: the clock must keep one time line
// across Allegro's start and end.
TEST(Clock_WallClock, KeepsOneTimeLineWhileAllegroStartsAndEnds) {
  // Allegro started by an earlier test in this process is put back as it was, its font add-ons
  // included: they keep their "started" flags across a restart, but not the font library behind
  // them, which a later font load would then use freed.
  const bool wasInstalled = al_is_system_installed();
  const bool hadFonts = wasInstalled && al_is_ttf_addon_initialized();
  if (hadFonts) {
    al_shutdown_ttf_addon();
    al_shutdown_font_addon();
  }
  if (wasInstalled) al_uninstall_system();
  const double before = WallClock();
  ASSERT_TRUE(al_install_system(ALLEGRO_VERSION_INT, nullptr));
  const double during = WallClock();
  al_uninstall_system();
  const double after = WallClock();
  if (wasInstalled) al_install_system(ALLEGRO_VERSION_INT, nullptr);
  if (hadFonts) {
    al_init_font_addon();
    al_init_ttf_addon();
  }
  EXPECT_GE(during, before);
  EXPECT_LT(during - before, 1.0);
  EXPECT_GE(after, during);
  EXPECT_LT(after - during, 1.0);
}
