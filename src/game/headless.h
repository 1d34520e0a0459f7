// Running a game without a window: engine start-up, a game's load and
// level start, N frames, and a copy of the world state to compare.
#pragma once
#include <cstdint>
#include <vector>

namespace tolv {

// How a headless run gets its game: `load` brings in the game's data
// (types, code sets, registers, players), `start_level` its level. Tests
// build worlds in memory; the game loader's LoadGame and StartLevel fit
// the same two slots.
struct HeadlessGame {
  void (*load)() = nullptr;
  void (*start_level)() = nullptr;
};

// Engine state as at start-up (InitEngine), without window or audio.
void StartHeadlessEngine();
// Every object reset, the random seed fixed, then the game's load and
// level start.
void StartHeadlessGame(const HeadlessGame& game, uint32_t seed);
// Runs n game frames; before each, a pending level start (register 7 at
// 0) is served with the game's start_level.
void RunHeadlessFrames(uint32_t n);

// Registers, the active objects' variable blocks in list order, each
// player's block (character and player variables), each plane's scroll
// offsets (its line offsets, then the other axis') and the hash of the
// last drawn frame.
struct WorldCapture {
  uint32_t frame = 0;
  uint64_t frame_hash = 0;
  std::vector<int32_t> registers;
  std::vector<std::vector<int32_t>> objects;
  std::vector<std::vector<int32_t>> players;
  std::vector<std::vector<int32_t>> planes;
  bool operator==(const WorldCapture&) const = default;
};
WorldCapture CaptureWorld();

}  // namespace tolv
