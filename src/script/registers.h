// The register file: 256 reserved engine registers, then the game's user
// registers.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint32_t kReservedRegisters = 256;
constexpr uint32_t kMaxUserRegisters = 1u << 24;

// Reallocates the file to 256 + user_count cells; the user registers are 0
// afterwards and the reserved ones keep their values.
void AllocRegisters(uint32_t user_count);
void ResetRegisters();

// Names of reserved registers used across subsystems.
enum ReservedRegister : uint32_t {
  kRegScreenMode = 0,
  kRegView = 1,
  kRegFreeze = 2,
  kRegAct = 3,
  kRegZone = 4,
  kRegLoadedAct = 5,
  kRegLoadedZone = 6,
  kRegLevelStarted = 7,
  kRegPlayer = 9,
  kRegXmParam = 10,
  kRegFrameWidth = 13,
  kRegFrameHeight = 14,
  kRegCameraX = 17,  // the view being drawn
  kRegCameraY = 18,
  // Per player p (add p): the view's camera, current camera limits, their
  // targets, wrap switches, view scroll offsets and wrap size.
  kRegViewX = 19,
  kRegViewY = 21,
  kRegLimitLeft = 23,
  kRegLimitTop = 25,
  kRegLimitRight = 27,
  kRegLimitBottom = 29,
  kRegTargetLeft = 31,
  kRegTargetTop = 33,
  kRegTargetRight = 35,
  kRegTargetBottom = 37,
  kRegWrapX = 39,
  kRegWrapY = 41,
  kRegScrollOffsetX = 43,
  kRegScrollOffsetY = 45,
  kRegWrapWidth = 47,
  kRegWrapHeight = 49,
  kRegPaletteSet = 51,       // palette set of the current bank
  kRegBankPaletteSet = 52,   // 52 + bank: the palette set each bank shows
  kRegWaterLine = 54,
  kRegShakeX = 56,           // 56 + view: screen shake added to that view's camera X
  kRegShakeY = 58,           // 58 + view: the same for camera Y
  kRegRepeatDelay = 245,     // frames from a key's press to its first repeat
  kRegRepeatInterval = 246,  // frames between repeats
  kRegDisplay = 248,         // bit 0: FPS display
  kRegFrameSkip = 249,  // frames left to skip; no scrolling or drawing while non-zero
  kRegFrameSkipSetting = 250,  // frames skipped after each drawn one
  kRegFrameLock = 251,
  kRegScreenshot = 252,  // number of the next screenshot
  kRegPause = 253,
  kRegActiveObjects = 254,
  kRegEngineSetting = 255,  // preset at game start; above 2 blank frames get two pixel bytes
};

}  // namespace tolv
