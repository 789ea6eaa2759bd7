#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/MusicManager.h"
#include "support/FakeAudioDevice.h"
#include "support/LuaFixture.h"

namespace {

using Calls = std::vector<std::string>;

constexpr AudioHandle kFirst = FakeAudioDevice::kFirstHandle;

class MusicManagerTest : public LuaFixture {
 protected:
  MusicManagerTest() {
    auto fake = std::make_unique<FakeAudioDevice>();
    audio = fake.get();
    audio->unloadable = {"missing.ogg", "missing.wav"};
    music = std::make_unique<MusicManager>(std::move(fake));
    gMusicManager = music.get();
  }

  // The calls since the last look.
  Calls TakeCalls() {
    Calls taken;
    taken.swap(audio->calls);
    return taken;
  }

  FakeAudioDevice* audio;  // owned by the manager
  std::unique_ptr<MusicManager> music;
};

TEST_F(MusicManagerTest, OpensTheDefaultDeviceAt44100AndClosesItForCleanup) {
  EXPECT_EQ(TakeCalls(), Calls{"open 44100"});
  music->CloseAudio();
  EXPECT_EQ(TakeCalls(), Calls{"close"});
}

TEST_F(MusicManagerTest, PlayActiveSongBeforeAnySongLogsTheNullSongLine) {
  ASSERT_TRUE(Run("PlayActiveSong()"));
  EXPECT_EQ(log.Text(), "Something tried to play a null song.  Aborting\n");
  EXPECT_TRUE(audio->streams.empty());
}

TEST_F(MusicManagerTest, PlayActiveSongPlaysFromTheStartAtVolume035WhateverWasSet) {
  TakeCalls();
  ASSERT_TRUE(Run(R"(
    LoadSong("theme", "theme.ogg")
    MM_EditMusic("theme", 0.9, 0)
    PlayActiveSong()
    PlayActiveSong()
  )"));
  const std::string first = std::to_string(kFirst);
  EXPECT_EQ(TakeCalls(), (Calls{"load theme.ogg -> " + first, "volume " + first + " 0.9",
                                "volume " + first + " 0.35", "play " + first,
                                "volume " + first + " 0.35", "play " + first}));
  EXPECT_EQ(audio->Find(kFirst)->plays, 2);
  EXPECT_EQ(music->GetActiveSong(), kFirst);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(MusicManagerTest, LoopIsSwitchedOnByNonZeroAndNeverOff) {
  // The loop switch is on for any number but 0: 0.5 is on; Lua's true and NaN read as 0.
  ASSERT_TRUE(Run(R"(
    LoadSong("a", "a.ogg")
    LoadSong("b", "b.ogg")
    LoadSong("c", "c.ogg")
    MM_EditMusic("a", 0.5, 1)
    MM_EditMusic("a", 0.25, 0)
    MM_EditMusic("b", 1, true)
    MM_EditMusic("b", 1, 0/0)
    MM_EditMusic("c", 1, 0.5)
  )"));
  EXPECT_TRUE(audio->Find(kFirst)->looping);
  EXPECT_FLOAT_EQ(audio->Find(kFirst)->volume, 0.25f);
  EXPECT_FALSE(audio->Find(kFirst + 1)->looping);
  EXPECT_TRUE(audio->Find(kFirst + 2)->looping);
  EXPECT_EQ(log.Text(), "");
}

// The loop switches and the keyboard's input flag are one kind of switch and read alike.
TEST_F(MusicManagerTest, LoopSwitchesAndTheInputFlagReadNotZeroAlike) {
  KeyboardManager keyboard;
  gKeyboardManager = &keyboard;
  const struct {
    const char* value;
    bool on;
  } cases[] = {{"1", true},    {"0.5", true},  {"-1", true},     {"'1'", true},  {"0", false},
               {"0/0", false}, {"'0'", false}, {"'yes'", false}, {"true", false}};
  AudioHandle handle = kFirst;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    c.on ? keyboard.DisablePlayerInput() : keyboard.EnablePlayerInput();
    const std::string v = c.value;
    const std::string name = "[[" + v + "]]";  // a name of its own: a loop never goes off again
    ASSERT_TRUE(Run("LoadSong(" + name + ", 's.ogg')  MM_LoadSound(" + name + ", 's.wav')" +
                    "  MM_EditMusic(" + name + ", 1, " + v + ")  MM_EditSound(" + name + ", 1, " +
                    v + ")  KeyboardManager_SetPlayerInputState(" + v + ")"));
    EXPECT_EQ(audio->Find(handle++)->looping, c.on);
    EXPECT_EQ(audio->Find(handle++)->looping, c.on);
    EXPECT_EQ(keyboard.IsPlayerInputEnabled(), c.on);
  }
  EXPECT_EQ(log.Text().find("Failed"), std::string::npos) << log.Text();
  gKeyboardManager = nullptr;
}

TEST_F(MusicManagerTest, SecondSongOfANameIsActiveButSetActiveSongPicksTheFirst) {
  ASSERT_TRUE(Run(R"(
    LoadSong("town", "day.ogg")
    LoadSong("town", "night.ogg")
  )"));
  EXPECT_EQ(music->GetActiveSong(), kFirst + 1);
  ASSERT_TRUE(Run(R"(
    SetActiveSong("town")
    MM_EditMusic("town", 0.5, 1)
    PlayActiveSong()
  )"));
  EXPECT_EQ(music->GetActiveSong(), kFirst);
  EXPECT_TRUE(audio->Find(kFirst)->looping);
  EXPECT_FALSE(audio->Find(kFirst + 1)->looping);
  EXPECT_EQ(audio->Find(kFirst)->plays, 1);
  EXPECT_EQ(audio->Find(kFirst + 1)->plays, 0);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(MusicManagerTest, SetActiveSongWithAnUnknownNameKeepsTheActiveSong) {
  ASSERT_TRUE(Run(R"(
    LoadSong("a", "a.ogg")
    MM_LoadSound("s", "s.wav")
    SetActiveSong("s")
    SetActiveSong("A")
  )"));
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Sound s Loaded from s.wav\n",
                                                   "Failed to load s from the Sound List\n",
                                                   "Failed to load A from the Sound List\n"}));
  EXPECT_EQ(music->GetActiveSong(), kFirst);
}

TEST_F(MusicManagerTest, SoundsNeverBecomeOrChangeTheActiveSong) {
  ASSERT_TRUE(Run(R"(
    MM_LoadSound("step", "step.wav")
    PlayActiveSong()
    LoadSong("step", "song.ogg")
    MM_LoadSound("bell", "bell.wav")
    MM_EditSound("step", 0.1, 1)
    MM_PlaySound("step")
  )"));
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Sound step Loaded from step.wav\n",
                                      "Something tried to play a null song.  Aborting\n",
                                      "Sound bell Loaded from bell.wav\n"}));
  EXPECT_EQ(music->GetActiveSong(), kFirst + 1);
  // The sound of the name was edited and played; the song of the same name was not.
  EXPECT_TRUE(audio->Find(kFirst)->looping);
  EXPECT_EQ(audio->Find(kFirst)->plays, 1);
  EXPECT_FALSE(audio->Find(kFirst + 1)->looping);
  EXPECT_EQ(audio->Find(kFirst + 1)->plays, 0);
}

TEST_F(MusicManagerTest, PlayingAPlayingSoundRestartsIt) {
  ASSERT_TRUE(Run(R"(
    MM_LoadSound("hit", "hit.wav")
    MM_PlaySound("hit")
    MM_PlaySound("hit")
  )"));
  const FakeAudioDevice::Stream* hit = audio->Find(kFirst);
  EXPECT_TRUE(hit->playing);
  EXPECT_EQ(hit->plays, 2);
  EXPECT_EQ(hit->stops, 0);
  EXPECT_FLOAT_EQ(hit->volume, 1.0f);  // sounds keep their own volume when played
  music->StopSound("hit");
  EXPECT_FALSE(hit->playing);
  EXPECT_EQ(hit->stops, 1);
}

TEST_F(MusicManagerTest, NamesNotInTheirListLogTheirLines) {
  ASSERT_TRUE(Run(R"(
    LoadSong("song", "song.ogg")
    MM_LoadSound("sound", "sound.wav")
    MM_EditMusic("sound", 1, 1)
    MM_EditSound("song", 1, 1)
    MM_PlaySound("song")
  )"));
  music->StopSound("song");
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Sound sound Loaded from sound.wav\n",
                                                   "EditMusic:  Failed, music sound was null\n",
                                                   "EditSound:  Failed, sound song was null\n",
                                                   "PlaySound:  Failed, sound song was null\n",
                                                   "StopSound:  Failed, sound song was null\n"}));
  for (const FakeAudioDevice::Stream& stream : audio->streams) {
    EXPECT_FALSE(stream.looping) << stream.path;
    EXPECT_EQ(stream.plays, 0) << stream.path;
  }
}

TEST_F(MusicManagerTest, AFileThatDoesNotLoadIsKeptAsHandle0AndItsPlaysAreRefused) {
  ASSERT_TRUE(Run(R"(
    LoadSong("good", "good.ogg")
    LoadSong("gone", "missing.ogg")
    PlayActiveSong()
    MM_LoadSound("gone", "missing.wav")
    MM_PlaySound("gone")
    MM_EditSound("gone", 0.5, 1)
    SetActiveSong("good")
    PlayActiveSong()
  )"));
  // The failed song replaced the active song with 0 and stays reachable by its name.
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Something tried to play a null song.  Aborting\n",
                                      "LoadSound:  Failed, sound gone could not be loaded from "
                                      "missing.wav -Code: 2-\n",
                                      "Bass reported an error during PlaySound:  -Code: 5-\n"}));
  EXPECT_EQ(audio->Find(kFirst)->plays, 1);
  log.Clear();
  ASSERT_TRUE(Run(R"(SetActiveSong("gone") PlayActiveSong())"));
  EXPECT_EQ(log.Text(), "Something tried to play a null song.  Aborting\n");
}

TEST_F(MusicManagerTest, ARefusedPlayLogsTheDevicesCode) {
  ASSERT_TRUE(Run(R"(
    LoadSong("a", "a.ogg")
    MM_LoadSound("b", "b.wav")
  )"));
  log.Clear();
  audio->playRefusal = kAudioUnknown;
  ASSERT_TRUE(Run(R"(
    PlayActiveSong()
    MM_PlaySound("b")
  )"));
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Bass reported an error during PlayMusic:  -Code: -1-\n",
                                      "Bass reported an error during PlaySound:  -Code: -1-\n"}));
}

TEST_F(MusicManagerTest, NaNAndNegativeVolumesAreSilent) {
  const struct {
    const char* volume;
    float expected;
  } cases[] = {
      {"0/0", 0.0f}, {"-0.5", 0.0f}, {"-1/0", 0.0f}, {"'loud'", 0.0f}, {"0.75", 0.75f}, {"3", 3.0f},
  };
  ASSERT_TRUE(Run(R"(LoadSong("m", "m.ogg") MM_LoadSound("s", "s.wav"))"));
  for (const auto& c : cases) {
    ASSERT_TRUE(Run(std::string("MM_EditMusic('m', ") + c.volume + ", 0) MM_EditSound('s', " +
                    c.volume + ", 0)"));
    EXPECT_EQ(audio->Find(kFirst)->volume, c.expected) << c.volume;
    EXPECT_EQ(audio->Find(kFirst + 1)->volume, c.expected) << c.volume;
  }
}

TEST_F(MusicManagerTest, InvalidArgumentListsLogTheirLineAndDoNothing) {
  const ScriptFailure cases[] = {
      {"LoadSong('a')", "LoadSong:  Failed, invalid argument list\n"},
      {"LoadSong('a', 'a.ogg', 1)", "LoadSong:  Failed, invalid argument list\n"},
      {"LoadSong(nil, 'a.ogg')", "LoadSong:  Failed, invalid argument list\n"},
      {"LoadSong('a', nil)", "LoadSong:  Failed, invalid argument list\n"},
      {"LoadSong({}, 'a.ogg')", "LoadSong:  Failed, invalid argument list\n"},
      {"SetActiveSong()", "SetActiveSong:  Failed, invalid argument list\n"},
      {"SetActiveSong(nil)", "SetActiveSong:  Failed, invalid argument list\n"},
      {"SetActiveSong('a', 'b')", "SetActiveSong:  Failed, invalid argument list\n"},
      {"MM_EditMusic('a', 1)", "MM EditMusic:  Failed, invalid argument list\n"},
      {"MM_EditMusic(nil, 1, 1)", "MM EditMusic:  Failed, invalid argument list\n"},
      {"MM_LoadSound('a')", "MM LoadSound:  Failed, invalid argument list\n"},
      {"MM_LoadSound('a', nil)", "MM LoadSound:  Failed, invalid argument list\n"},
      {"MM_LoadSound(true, 'a.wav')", "MM LoadSound:  Failed, invalid argument list\n"},
      {"MM_PlaySound()", "MM PlaySound:  Failed, invalid argument list\n"},
      {"MM_PlaySound(nil)", "MM PlaySound:  Failed, invalid argument list\n"},
      {"MM_EditSound('a', 1, 1, 1)", "MM EditSound:  Failed, invalid argument list\n"},
      {"MM_EditSound(nil, 1, 1)", "MM EditSound:  Failed, invalid argument list\n"},
  };
  ExpectFailures(cases);
  EXPECT_TRUE(audio->streams.empty());
  EXPECT_EQ(music->GetActiveSong(), 0u);
}

TEST_F(MusicManagerTest, PlayActiveSongIgnoresItsArgumentsAndNumbersAreNames) {
  ASSERT_TRUE(Run(R"(
    LoadSong(7, "seven.ogg")
    SetActiveSong("7")
    PlayActiveSong("ignored", 1)
  )"));
  EXPECT_EQ(audio->Find(kFirst)->plays, 1);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(MusicManagerTest, EveryFunctionReportsAMissingManager) {
  gMusicManager = nullptr;
  const ScriptFailure cases[] = {
      {"LoadSong('a', 'a.ogg')", "LoadSong:  Failed, manager not created\n"},
      {"SetActiveSong('a')", "SetActiveSong:  Failed, manager not created\n"},
      {"PlayActiveSong()", "PlayActiveSong:  Failed, manager not created\n"},
      {"MM_EditMusic('a', 1, 1)", "MM EditMusic:  Failed, manager not created\n"},
      {"MM_LoadSound('a', 'a.wav')", "MM LoadSound:  Failed, manager not created\n"},
      {"MM_PlaySound('a')", "MM PlaySound:  Failed, manager not created\n"},
      {"MM_EditSound('a', 1, 1)", "MM EditSound:  Failed, manager not created\n"},
  };
  ExpectFailures(cases);
  EXPECT_TRUE(audio->streams.empty());
}

}  // namespace
