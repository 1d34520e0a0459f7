// Scan codes the engine numbers keys by (the PC keyboard's set 1; the
// extended keys take the code of their keypad twin), and where each
// 128-byte row of the key state starts.
#pragma once
#include <cstdint>

namespace tolv {

enum ScanCode : uint8_t {
  kScanNone = 0,
  kScanEsc = 1,
  kScan1 = 2,  // 1 to 9 and 0 are 2 to 11
  kScanBackspace = 14,
  kScanQ = 16,
  kScanT = 20,
  kScanY = 21,
  kScanEnter = 28,
  kScanLeftCtrl = 29,
  kScanS = 31,
  kScanD = 32,
  kScanF = 33,
  kScanG = 34,
  kScanLeftShift = 42,
  kScanX = 45,
  kScanC = 46,
  kScanV = 47,
  kScanB = 48,
  kScanN = 49,
  kScanSpace = 57,
  kScanF1 = 59,  // F1 to F10 are 59 to 68
  kScanF2 = 60,
  kScanF3 = 61,
  kScanF5 = 63,
  kScanF6 = 64,
  kScanF8 = 66,
  kScanF9 = 67,
  kScanF10 = 68,
  kScanUp = 72,
  kScanPageUp = 73,
  kScanLeft = 75,
  kScanRight = 77,
  kScanDown = 80,
  kScanPageDown = 81,
  kScanF11 = 87,
  kScanF12 = 88,
};

// Rows by scan code: pressed this frame from 0, then held, pressed or
// repeat tick, repeat countdown; the key-map entries follow.
inline constexpr uint32_t kHeldRow = 128, kPulseRow = 256, kCountdownRow = 384, kPadBytes = 512;

}  // namespace tolv
