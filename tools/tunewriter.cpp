// Writes the sample game's music and sounds as WAV files:
//   tunewriter song <out.wav>   a short tune that loops cleanly (about six seconds)
//   tunewriter blip <out.wav>   a short two-note sound effect

#include <cstdio>
#include <cstring>
#include <string>

#include "WaveWriter.h"

namespace {

// Equal-tempered pitch of a note given in semitones from A4 (440 Hz).
double Pitch(int semitones) { return 440.0 * std::pow(2.0, semitones / 12.0); }

wave::Sound Song() {
  // Melody over a bass line, eighth notes at 120 beats per minute; semitones from A4.
  const int melody[] = {-9, -5, -2, 3, 2, -2, -5, -2, -7, -4, 0,  3,  0,  -4, -7, -4,
                        -9, -5, -2, 3, 5, 3,  -2, -5, -4, -7, -5, -9, -5, -2, -9, -9};
  const int bass[] = {-21, -21, -26, -26, -21, -19, -26, -21};
  const double eighth = 0.2;
  wave::Sound sound;
  for (size_t i = 0; i < std::size(melody); ++i) {
    wave::AddNote(sound, i * eighth, eighth * 0.9, Pitch(melody[i]), 0.25);
  }
  for (size_t i = 0; i < std::size(bass); ++i) {
    wave::AddNote(sound, i * 4 * eighth, 4 * eighth * 0.95, Pitch(bass[i]), 0.2);
  }
  return sound;
}

wave::Sound Blip() {
  wave::Sound sound;
  wave::AddNote(sound, 0.0, 0.06, Pitch(15), 0.4);
  wave::AddNote(sound, 0.06, 0.09, Pitch(22), 0.35);
  return sound;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "song") != 0 && std::strcmp(argv[1], "blip") != 0)) {
    std::fprintf(stderr, "usage: tunewriter song|blip <out.wav>\n");
    return 2;
  }
  const wave::Sound sound = std::strcmp(argv[1], "song") == 0 ? Song() : Blip();
  if (!wave::Write(argv[2], sound)) {
    std::fprintf(stderr, "tunewriter: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
