// The idle tick's pacing rule against a clock the test sets.
#include "host/frame_pacing.h"

#include <gtest/gtest.h>

#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {
namespace {

class Pacing : public testing::Test {
 protected:
  void SetUp() override {
    AllocRegisters(0);
    ResetRegisters();
    ResetFramePacing();
  }
  void TearDown() override { ResetRegisters(); }
};

TEST_F(Pacing, FrameLockReleasesOnceSixteenMillisecondsHavePassed) {
  Reg(kRegFrameLock) = 1;
  struct Step {
    uint32_t now;
    bool released;
  } steps[] = {
      {1000, true},                                // the first call
      {1001, false}, {1015, false}, {1016, true},  // 16 ms on
      {1020, false}, {1032, true},
      {1100, true},                  // late: one frame, not the ones missed
      {1101, false}, {1115, false},  // timed from the late frame
      {1116, true},
  };
  for (const Step& s : steps) EXPECT_EQ(PaceFrame(s.now), s.released) << s.now;
}

TEST_F(Pacing, WithoutFrameLockEveryCallReleasesButAfterAGameStart) {
  Reg(kRegFrameLock) = 0;
  for (uint32_t t = 0; t < 5; t++) EXPECT_TRUE(PaceFrame(500));
  LockStartFrames();
  uint32_t now = 500, released = 0, calls = 0;
  while (released < kStartLockFrames) {
    released += PaceFrame(++now);
    calls++;
  }
  EXPECT_EQ(calls, 16u * kStartLockFrames);  // paced for exactly those frames
  EXPECT_TRUE(PaceFrame(now));
  EXPECT_TRUE(PaceFrame(now));
}

TEST_F(Pacing, TheFpsFigureIsTheCountOfTheLastSecond) {
  Reg(kRegFrameLock) = 1;
  uint32_t now = 0;
  for (; now < 1008; now++) PaceFrame(now);
  EXPECT_EQ(frame_pacing.fps, 0u);  // no whole second yet
  EXPECT_TRUE(PaceFrame(now));
  EXPECT_EQ(frame_pacing.fps, 64u);  // frames at 0, 16, ..., 1008
  Reg(kRegFrameLock) = 0;
  for (uint32_t i = 0; i < 200; i++) PaceFrame(now + 1000 + i % 3);
  EXPECT_EQ(frame_pacing.fps, 1u);  // a second later: only the frame that closed it
}

}  // namespace
}  // namespace tolv::test
