#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <vector>

// An Allegro file handle over bytes it owns: reading, seeking and the size work as on a file,
// writes fail, and al_fclose frees the bytes. For loaders that keep their file handle for the life
// of what they load (a TrueType font reads its glyphs from it on demand), so that nothing holds a
// file descriptor. None for empty bytes.
ALLEGRO_FILE* OpenMemoryFile(std::vector<uint8_t> bytes);
