// The game thread posts requests and reloads lists while the audio thread
// mixes; they share only the request rings, the flags and the lock (run
// under ThreadSanitizer to check it).
#include <mutex>
#include <thread>

#include "audio/audio_lock.h"
#include "audio/sound_queue.h"
#include "audio_fixture.h"

namespace tolv::test {
namespace {

std::mutex device_lock;

TEST_F(AudioTest, GameAndAudioThreadsShareOnlyRequestsAndTheLock) {
  lock_audio = [] { device_lock.lock(); };
  unlock_audio = [] { device_lock.unlock(); };
  auto fill = [] {
    AudioLock lock;
    SetList(sounds, sound_counts, {Sample(Ramp(500), 22050), Sample(Ramp(800), 48000, 2)});
    MusicRecord m;
    m.kind = kMusicLoop;
    m.first = Sample(Ramp(300), 32000);
    SetList(music, music_counts, {m});
  };
  fill();
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    int16_t out[2 * 256];
    while (!stop) {
      AudioLock lock;  // as SDL holds its lock around the callback
      MixAudio(out, 256);
    }
  });
  uint8_t param;
  for (int i = 0; i < 3000; i++) {
    QueueSound(uint16_t(i % 3), uint8_t(i % 6));
    if (i % 40 == 0) QueueMusic(0, i % 80 == 0);
    while (xm_effect_posts.Pop(param)) {
    }
    if (i % 500 == 0) {
      FreeSounds(0);
      FreeMusic(0);
      fill();
    }
    if (i % 100 == 0) std::this_thread::yield();
  }
  stop = true;
  audio.join();
  lock_audio = unlock_audio = [] {};
}

}  // namespace
}  // namespace tolv::test
