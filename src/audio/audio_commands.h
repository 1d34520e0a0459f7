// The audio commands and the game side's per-frame audio step.
#pragma once

namespace tolv {

// Runs the XM effect function once per effect Z the music reached since
// the last frame (register 10 holding its parameter), and keeps bit 1 of
// register 248 set while XM music plays. Game thread, once a game frame.
void RunAudioFrame();

// Adds the audio commands (37, 40, 1434, 1482) to the command tables.
void RegisterAudioCommands();

}  // namespace tolv
