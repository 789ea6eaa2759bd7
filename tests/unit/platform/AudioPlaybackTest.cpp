// The music functions played through the real back end (Allegro's audio, through OpenAL on ALSA) on
// a machine without a sound card: ALSA's default device is pointed at its file plugin, which writes
// what it is given as a WAV stream into a pipe that the test reads and listens to.
//
// The null device behind the file plugin takes samples as fast as they come, so the output has no
// timeline (a stream that cannot keep up leaves gaps of silence). What the tests count is how many
// frames are loud: a song played once gives its own number of loud frames, no more.

#include <allegro5/allegro.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "WaveWriter.h"
#include "core/Globals.h"
#include "core/MusicManager.h"
#include "platform/AllegroAudioDevice.h"
#include "support/AudioFiles.h"
#include "support/LuaFixture.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kSystemAlsaConfig = "/usr/share/alsa/alsa.conf";
// A frame is loud when a channel is above this share of full scale.
constexpr double kLoud = 0.01;

// What came out of the device so far.
struct Heard {
  int32_t rate = 0;
  int channels = 0;
  int bits = 0;
  size_t frames = 0;
  size_t loud = 0;
  double peak = 0.0;  // share of full scale
};

// Frames of the sound that are loud once played at the gain.
size_t LoudFrames(const wave::Sound& sound, double gain) {
  size_t loud = 0;
  for (size_t frame = 0; frame < sound.Frames(); ++frame) {
    bool any = false;
    for (int c = 0; c < sound.channels; ++c) {
      any = any || std::abs(sound.samples[frame * sound.channels + c] / 32768.0 * gain) > kLoud;
    }
    if (any) ++loud;
  }
  return loud;
}

// Points ALSA's default device at a pipe, and listens on it from a thread of its own.
class AlsaPipeOutput {
 public:
  // default device: a file device writing into a pipe in dir; or, with none, no device at all.
  AlsaPipeOutput(const TempDir& dir, bool withDevice) {
    const std::filesystem::path pipe = dir.Path() / "output.wav";
    std::string text;
    if (withDevice) {
      if (mkfifo(pipe.c_str(), 0600) != 0) ADD_FAILURE() << "mkfifo: " << std::strerror(errno);
      // Opened before ALSA opens its end, so neither side waits for the other.
      fd = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
      // The file plugin labels every 32-bit format as integer PCM, floats included; a plug in
      // front of it converts to 16-bit integers, which the label describes truly.
      text =
          "pcm.!default {\n  type plug\n  slave {\n    format S16_LE\n    pcm {\n"
          "      type file\n      slave.pcm \"null\"\n      format \"wav\"\n"
          "      file \"" +
          pipe.string() + "\"\n    }\n  }\n}\n";
    } else {
      text = "pcm.!default {\n  type hw\n  card 99\n}\n";
    }
    const std::filesystem::path config = dir.Write("alsa-output.conf", text);
    EXPECT_TRUE(std::filesystem::exists(kSystemAlsaConfig)) << "ALSA is not installed";
    setenv("ALSA_CONFIG_PATH", (std::string(kSystemAlsaConfig) + ":" + config.string()).c_str(), 1);
    setenv("ALSOFT_DRIVERS", "alsa", 1);
    if (fd >= 0) reader = std::thread([this] { Listen(); });
  }

  ~AlsaPipeOutput() {
    Stop();
    unsetenv("ALSA_CONFIG_PATH");
    unsetenv("ALSOFT_DRIVERS");
  }

  // Ends the listening once ALSA has closed its end (the device must be closed first).
  void Stop() {
    stopping = true;
    if (reader.joinable()) reader.join();
    if (fd >= 0) close(fd);
    fd = -1;
  }

  Heard Now() {
    std::lock_guard<std::mutex> lock(mutex);
    return heard;
  }

  // Starts counting loud frames and the peak afresh.
  void Restart() {
    std::lock_guard<std::mutex> lock(mutex);
    heard.loud = 0;
    heard.peak = 0.0;
  }

  // Waits until the condition holds, at most the given seconds; answers whether it held.
  bool WaitUntil(const std::function<bool(const Heard&)>& condition, double seconds) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (!condition(Now())) {
      if (Clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  // Waits until no loud frame has come for the given quiet time (at most ten seconds).
  void WaitForQuiet(double quietSeconds) {
    const auto end = Clock::now() + std::chrono::seconds(10);
    size_t loud = Now().loud;
    auto since = Clock::now();
    while (Clock::now() < end &&
           Clock::now() - since < std::chrono::duration<double>(quietSeconds)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      if (Now().loud != loud) {
        loud = Now().loud;
        since = Clock::now();
      }
    }
  }

 private:
  using Clock = std::chrono::steady_clock;

  void Listen() {
    std::string pending;
    auto giveUp = [this, idle = Clock::time_point()]() mutable {
      // Once told to stop, waits a little for ALSA to close its end, then ends anyway.
      if (!stopping) return false;
      if (idle == Clock::time_point()) idle = Clock::now();
      return Clock::now() - idle > std::chrono::seconds(5);
    };
    char buffer[65536];
    for (;;) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got > 0) {
        pending.append(buffer, static_cast<size_t>(got));
        Take(pending);
        continue;
      }
      if (got == 0 && opened && stopping) return;  // ALSA closed its end
      if (giveUp()) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  static uint32_t Little(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
      value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
  }

  // Consumes the header and every whole frame of pending.
  void Take(std::string& pending) {
    opened = true;
    std::lock_guard<std::mutex> lock(mutex);
    size_t at = 0;
    if (heard.channels == 0) {
      if (pending.size() < 44) return;
      EXPECT_EQ(pending.compare(0, 4, "RIFF"), 0);
      EXPECT_EQ(Little(pending, 20, 2), 1u) << "integer PCM";
      heard.channels = static_cast<int>(Little(pending, 22, 2));
      heard.rate = static_cast<int32_t>(Little(pending, 24, 4));
      heard.bits = static_cast<int>(Little(pending, 34, 2));
      EXPECT_EQ(heard.bits, 16);
      EXPECT_GT(heard.channels, 0);
      if (heard.channels <= 0 || heard.bits != 16) heard.bits = 0;
      at = 44;
    }
    if (heard.bits == 0) {
      pending.clear();
      return;
    }
    const size_t sampleBytes = static_cast<size_t>(heard.bits) / 8;
    const size_t frameBytes = sampleBytes * static_cast<size_t>(heard.channels);
    const double fullScale = std::ldexp(1.0, heard.bits - 1);
    for (; at + frameBytes <= pending.size(); at += frameBytes) {
      bool loud = false;
      for (int c = 0; c < heard.channels; ++c) {
        const auto value = static_cast<int16_t>(Little(pending, at + c * sampleBytes, 2));
        const double share = std::abs(static_cast<double>(value)) / fullScale;
        heard.peak = std::max(heard.peak, share);
        loud = loud || share > kLoud;
      }
      ++heard.frames;
      if (loud) ++heard.loud;
    }
    pending.erase(0, at);
  }

  int fd = -1;
  std::thread reader;
  std::atomic<bool> stopping{false};
  bool opened = false;  // reader thread only
  std::mutex mutex;
  Heard heard;
};

// Starts Allegro with its audio through OpenAL. Debian's Allegro plays through OpenAL (which plays
// through ALSA) or a sound server; a desktop's sound server must not take the place of the device
// under test.
void StartAllegroOnOpenAL() {
  al_install_system(ALLEGRO_VERSION_INT, nullptr);
  al_set_config_value(al_get_system_config(), "audio", "driver", "openal");
}

class AudioPlaybackTest : public LuaFixture {
 protected:
  explicit AudioPlaybackTest(bool withDevice = true) : output(dir, withDevice) {
    std::signal(SIGPIPE, SIG_IGN);
    StartAllegroOnOpenAL();
    auto real = std::make_unique<AllegroAudioDevice>();
    device = real.get();
    music = std::make_unique<MusicManager>(std::move(real));
    gMusicManager = music.get();
    dir.Write("tone.wav", wave::Encode(tone));
  }

  ~AudioPlaybackTest() override {
    music->CloseAudio();
    output.Stop();
    al_uninstall_system();
    // The manager outlives Allegro here; its device must then leave Allegro alone.
    music.reset();
  }

  // Waits for the loud frames of one play, for the device to free its stream (it has played out)
  // and for the quiet after it; answers whether they came (a failure says how many did). The
  // limits are states, not times: a busy machine only makes them come later. Under load the
  // output repeats buffers it was not given in time (a quarter more has been seen), so a play may
  // count up to half as many again; a second play would count twice as many.
  ::testing::AssertionResult PlaysOnce(size_t expected) {
    output.WaitUntil(
        [&](const Heard& h) { return h.loud >= expected * 98 / 100 && device->LiveStreams() == 0; },
        60);
    output.WaitForQuiet(0.5);
    const size_t loud = output.Now().loud;
    if (loud >= expected * 98 / 100 && loud <= expected + expected / 2) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << loud << " loud frames for one play of " << expected;
  }

  const wave::Sound tone = wave::Tone(0.25, 440.0, 0.5);
  AlsaPipeOutput output;
  AllegroAudioDevice* device;  // owned by the manager
  std::unique_ptr<MusicManager> music;
};

// The path from Allegro's mixer to the device has a level of its own (OpenAL pans a stereo
// source), so the song's level is measured against the same file played as a sound at volume 1.
// The counts run on across both plays: under load the last frames of one play can come after a
// pause long enough to pass for its end.
TEST_F(AudioPlaybackTest, ASongReachesTheDeviceOnceAtVolume035) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  ASSERT_TRUE(Run(R"(
    LoadSong("tone", "tone.wav")
    PlayActiveSong()
  )"));
  const size_t song = LoudFrames(tone, 0.35);
  ASSERT_TRUE(PlaysOnce(song));
  const Heard heard = output.Now();
  EXPECT_EQ(heard.rate, 44100);

  ASSERT_TRUE(Run(R"(
    MM_LoadSound("reference", "tone.wav")
    MM_PlaySound("reference")
  )"));
  ASSERT_TRUE(PlaysOnce(song + LoudFrames(tone, 1.0)));
  EXPECT_NEAR(heard.peak / output.Now().peak, 0.35, 0.01);
  EXPECT_EQ(log.Text(), "Sound reference Loaded from tone.wav\n");
}

TEST_F(AudioPlaybackTest, ALoopingSongKeepsWritingPastItsOwnLength) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  ASSERT_TRUE(Run(R"(
    LoadSong("tone", "tone.wav")
    MM_EditMusic("tone", 1, 1)
    PlayActiveSong()
  )"));
  const size_t expected = LoudFrames(tone, 0.35);
  EXPECT_TRUE(output.WaitUntil([&](const Heard& h) { return h.loud > 4 * expected; }, 60))
      << output.Now().loud << " loud frames for a song of " << expected;
  // Played again, from the beginning, it still loops.
  ASSERT_TRUE(Run("PlayActiveSong()"));
  output.Restart();
  EXPECT_TRUE(output.WaitUntil([&](const Heard& h) { return h.loud > 4 * expected; }, 60))
      << output.Now().loud << " loud frames after playing again";
  EXPECT_EQ(log.Text(), "");
}

TEST_F(AudioPlaybackTest, ASoundPlayedAgainAfterItsEndPlaysWholeAgain) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  ASSERT_TRUE(Run(R"(
    MM_LoadSound("blip", "tone.wav")
    MM_PlaySound("blip")
  )"));
  const size_t expected = LoudFrames(tone, 1.0);
  ASSERT_TRUE(PlaysOnce(expected));
  // Counted on from the first play (see above).
  ASSERT_TRUE(Run(R"(MM_PlaySound("blip"))"));
  ASSERT_TRUE(PlaysOnce(2 * expected));
  EXPECT_EQ(log.Text(), "Sound blip Loaded from tone.wav\n");
}

TEST_F(AudioPlaybackTest, ASoundPlayedWhilePlayingStartsAgainFromTheBeginning) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  const wave::Sound longTone = wave::Tone(3.0, 440.0, 0.5);
  dir.Write("long.wav", wave::Encode(longTone));
  const size_t expected = LoudFrames(longTone, 1.0);
  ASSERT_TRUE(Run(R"(
    MM_LoadSound("long", "long.wav")
    MM_PlaySound("long")
  )"));
  ASSERT_TRUE(output.WaitUntil([&](const Heard& h) { return h.loud >= expected * 4 / 10; }, 60));
  const size_t beforeRestart = output.Now().loud;
  ASSERT_LT(beforeRestart, expected * 3 / 4) << "the first play got too far before the restart";
  ASSERT_TRUE(Run(R"(MM_PlaySound("long"))"));
  const size_t afterRestart = output.Now().loud;
  // The whole sound follows, and of the first play's rest (at least a quarter) only what the
  // output had already mixed (a few thousand frames) is heard.
  const size_t least = beforeRestart + expected * 95 / 100;
  EXPECT_TRUE(output.WaitUntil([&](const Heard& h) { return h.loud >= least; }, 60))
      << output.Now().loud << " loud frames, " << least << " expected";
  output.WaitForQuiet(0.3);
  EXPECT_LE(output.Now().loud, afterRestart + expected + expected / 10);
}

// The codec add-on says it is initialised after Allegro has shut down, but its decoders went with
// Allegro: a device opened after a restart must register them again.
TEST_F(AudioPlaybackTest, ADeviceOpenedAfterAllegroRestartedStillDecodes) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  music->CloseAudio();
  al_uninstall_system();
  StartAllegroOnOpenAL();
  AllegroAudioDevice again;
  ASSERT_TRUE(again.Open(44100));
  EXPECT_NE(again.CreateStream("tone.wav"), 0u);
  EXPECT_EQ(again.LastError(), kAudioOk);
  again.Close();
}

size_t Entries(const char* folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

// Loading holds nothing of the file: a handle has a stream (an open file and a thread) only while
// it plays, and a stream that has played out is freed.
TEST_F(AudioPlaybackTest, TenThousandLoadsAndPlaysHoldAFixedNumberOfFilesAndThreads) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  dir.Write("click.wav", wave::Encode(wave::Tone(0.005, 440.0, 0.5)));
  const size_t files = Entries("/proc/self/fd");
  const size_t threads = Entries("/proc/self/task");
  for (int i = 0; i < 10000; ++i) {
    const std::string name = "click" + std::to_string(i);
    music->LoadSound(name, "click.wav");
    if (i % 10 == 0) music->PlaySound(name);
  }
  EXPECT_TRUE(output.WaitUntil([&](const Heard&) { return device->LiveStreams() == 0; }, 60))
      << device->LiveStreams() << " streams still live";
  EXPECT_LE(Entries("/proc/self/fd"), files);
  EXPECT_LE(Entries("/proc/self/task"), threads);
  EXPECT_EQ(log.Text().find("Failed"), std::string::npos);
}

// A refused file's reason stays the caller's while the device's own thread restarts a loop. The
// loop's file is swapped for a pipe, so that the restart waits in its open for as long as the test
// needs: meanwhile a damaged file is refused, and then the restart is let go.
TEST_F(AudioPlaybackTest, ARefusalKeepsItsReasonWhileALoopRestarts) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  const std::filesystem::path click =
      dir.Write("click.wav", wave::Encode(wave::Tone(0.005, 440.0, 0.5)));
  dir.Write("noise.ogg", std::string(500, 'x'));
  const AudioHandle handle = device->CreateStream("click.wav");
  ASSERT_NE(handle, 0u);
  device->EnableLoop(handle);
  ASSERT_TRUE(device->PlayFromStart(handle));
  std::filesystem::remove(click);
  ASSERT_EQ(mkfifo(click.c_str(), 0600), 0) << std::strerror(errno);
  // A writer's open returns once the restart opens the pipe to read; the restart then waits for
  // the bytes, holding the device's lock, until the writer closes. The decoder may open the file
  // more than once: every later open finds a writer that closes at once.
  std::atomic<bool> opened{false}, go{false}, stop{false};
  std::thread feeder([&] {
    while (!stop) {
      const int writer = open(click.c_str(), O_WRONLY);
      opened = true;
      while (!go) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      if (writer >= 0) close(writer);
    }
  });
  const bool restarting = output.WaitUntil([&](const Heard&) { return opened.load(); }, 60);
  const AudioHandle refused = restarting ? device->CreateStream("noise.ogg") : 0;
  go = true;
  device->LiveStreams();  // waits for the device's thread to be done with the restart
  stop = true;
  close(open(click.c_str(), O_RDONLY | O_NONBLOCK));  // lets the feeder's last open return
  feeder.join();
  ASSERT_TRUE(restarting) << "the loop did not restart";
  EXPECT_EQ(refused, 0u);
  EXPECT_EQ(device->LastError(), kAudioBadFormat);
}

// Every damaged file, loaded, looped and played twice, with the device playing: nothing crashes,
// and closing the device (which waits for every stream's thread) ends at once. A silent device
// accepts and refuses the same files.
TEST_F(AudioPlaybackTest, DamagedFilesLoopedAndPlayedNeverHangTheClose) {
  ASSERT_TRUE(device->HasOutput()) << "the ALSA file device did not open";
  AllegroAudioDevice silent;
  EXPECT_FALSE(silent.Open(0));
  std::vector<AudioHandle> handles;
  for (const auto& file : audiofiles::DamagedFiles()) {
    dir.Write(file.name, file.bytes);
    const AudioHandle handle = device->CreateStream(file.name.c_str());
    const int32_t error = device->LastError();
    EXPECT_EQ(silent.CreateStream(file.name.c_str()) != 0, handle != 0) << file.name;
    EXPECT_EQ(silent.LastError(), error) << file.name;
    if (handle == 0) continue;
    handles.push_back(handle);
    device->EnableLoop(handle);
    device->PlayFromStart(handle);
    device->PlayFromStart(handle);
  }
  EXPECT_FALSE(handles.empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  for (AudioHandle handle : handles) EXPECT_TRUE(device->PlayFromStart(handle)) << handle;
  // A hang would never end; a busy machine may take a few seconds to stop every decoder.
  const auto start = std::chrono::steady_clock::now();
  music->CloseAudio();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

class NoAudioDeviceTest : public AudioPlaybackTest {
 protected:
  NoAudioDeviceTest() : AudioPlaybackTest(false) {}
};

TEST_F(NoAudioDeviceTest, EveryFunctionAnswersAsWithSound) {
  EXPECT_FALSE(device->HasOutput());
  ASSERT_TRUE(Run(R"(
    LoadSong("tone", "tone.wav")
    MM_EditMusic("tone", 0.5, 1)
    PlayActiveSong()
    MM_LoadSound("blip", "tone.wav")
    MM_PlaySound("blip")
    MM_PlaySound("blip")
    MM_LoadSound("gone", "gone.wav")
    MM_PlaySound("gone")
  )"));
  EXPECT_NE(music->GetActiveSong(), 0u);
  EXPECT_EQ(log.Text(),
            "Sound blip Loaded from tone.wav\n"
            "LoadSound:  Failed, sound gone could not be loaded from gone.wav -Code: 2-\n"
            "Bass reported an error during PlaySound:  -Code: 5-\n");
}

// Files that open but do not decode are refused here as they are with a device playing.
TEST_F(NoAudioDeviceTest, FilesThatDoNotDecodeDoNotLoad) {
  dir.Write("noise.ogg", std::string(500, 'x'));
  dir.Write("absurd.wav", audiofiles::AbsurdRateWav());
  ASSERT_TRUE(Run(R"(
    LoadSong("noise", "noise.ogg")
    PlayActiveSong()
    MM_LoadSound("absurd", "absurd.wav")
    MM_PlaySound("absurd")
  )"));
  EXPECT_EQ(music->GetActiveSong(), 0u);
  EXPECT_EQ(log.Text(),
            "Something tried to play a null song.  Aborting\n"
            "LoadSound:  Failed, sound absurd could not be loaded from absurd.wav -Code: 41-\n"
            "Bass reported an error during PlaySound:  -Code: 5-\n");
}

}  // namespace
