// The SDL 1.2 audio device: 44100 Hz, 16-bit stereo, its callback running
// the mixer. Only the host links this.
#pragma once

namespace tolv {

// Opens the device and unpauses it; when it cannot open, shows "Couldn't
// start mixer!" and returns false (the engine goes on silent).
bool StartAudio();
// Pauses and closes the device.
void StopAudio();

}  // namespace tolv
