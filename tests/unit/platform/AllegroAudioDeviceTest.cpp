// The Allegro audio device without a sound device: Allegro is not even started here, so any call
// into its audio add-ons would abort on Debian's assertions. Every call must still answer.

#include <gtest/gtest.h>

#include <string>

#include "WaveWriter.h"
#include "platform/AllegroAudioDevice.h"
#include "support/GlobalsFixture.h"
#include "support/TempDir.h"

namespace {

class SilentAudioDeviceTest : public GlobalsFixture {
 protected:
  SilentAudioDeviceTest() {
    const std::string tone = wave::Encode(wave::Tone(0.05, 440.0, 0.5));
    dir.Write("tone.wav", tone);
    dir.Write("Music/Tone.WAV", tone);
    dir.Write("notes.txt", "not a sound");
  }

  TempDir dir;
  AllegroAudioDevice device;
};

TEST_F(SilentAudioDeviceTest, OpenFailsAndLeavesTheDeviceSilent) {
  EXPECT_FALSE(device.Open(44100));
  EXPECT_EQ(device.LastError(), kAudioNotOpen);
  EXPECT_FALSE(device.HasOutput());
}

TEST_F(SilentAudioDeviceTest, FilesThatLoadGetNewHandlesEachTime) {
  device.Open(44100);
  const AudioHandle first = device.CreateStream("tone.wav");
  const AudioHandle again = device.CreateStream("tone.wav");
  const AudioHandle upper = device.CreateStream("Music\\Tone.WAV");
  EXPECT_EQ(device.LastError(), kAudioOk);
  EXPECT_NE(first, 0u);
  EXPECT_NE(again, 0u);
  EXPECT_NE(upper, 0u);
  EXPECT_NE(first, again);
  EXPECT_NE(again, upper);
}

TEST_F(SilentAudioDeviceTest, FilesThatDoNotLoadGive0AndTheReason) {
  device.Open(44100);
  const struct {
    const char* path;
    int32_t error;
  } cases[] = {
      {"missing.wav", kAudioFileOpen},
      {nullptr, kAudioFileOpen},
      {"Music", kAudioFileOpen},
      {"notes.txt", kAudioBadFormat},
  };
  for (const auto& c : cases) {
    const char* shown = c.path != nullptr ? c.path : "(none)";
    EXPECT_EQ(device.CreateStream(c.path), 0u) << shown;
    EXPECT_EQ(device.LastError(), c.error) << shown;
  }
}

TEST_F(SilentAudioDeviceTest, KnownHandlesAnswerEveryCallAndOthersAreRefused) {
  device.Open(44100);
  const AudioHandle handle = device.CreateStream("tone.wav");
  ASSERT_NE(handle, 0u);
  for (bool closed : {false, true}) {
    if (closed) device.Close();
    EXPECT_TRUE(device.SetVolume(handle, 0.35f));
    EXPECT_TRUE(device.EnableLoop(handle));
    EXPECT_TRUE(device.PlayFromStart(handle));
    EXPECT_TRUE(device.PlayFromStart(handle));
    EXPECT_TRUE(device.Stop(handle));
    EXPECT_EQ(device.LastError(), kAudioOk);
    for (AudioHandle unknown : {AudioHandle{0}, handle + 1, AudioHandle{0xFFFFFFFF}}) {
      EXPECT_FALSE(device.PlayFromStart(unknown)) << unknown;
      EXPECT_EQ(device.LastError(), kAudioBadHandle);
      device.CreateStream("notes.txt");  // another code first, so the next one is fresh
      EXPECT_FALSE(device.SetVolume(unknown, 1.0f)) << unknown;
      EXPECT_EQ(device.LastError(), kAudioBadHandle);
      EXPECT_FALSE(device.EnableLoop(unknown)) << unknown;
      EXPECT_FALSE(device.Stop(unknown)) << unknown;
    }
  }
}

TEST(AllegroAudioDevice_IsDecodable, GoesByTheExtensionWhateverItsCase) {
  const struct {
    const char* path;
    bool decodable;
  } cases[] = {
      {"a.wav", true},          {"a.WAV", true},  {"Music/Theme.Ogg", true},
      {"x.flac", true},         {"x.opus", true}, {"x.voc", false},
      {"x.mod", true},          {"x.s3m", true},  {"x.mp3", false},
      {"x.wav.txt", false},     {"wav", false},   {"dir.wav/file", false},
      {"dir.ogg\\file", false}, {"", false},      {".wav", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AllegroAudioDevice::IsDecodable(c.path), c.decodable) << c.path;
  }
}

}  // namespace
