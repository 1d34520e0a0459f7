// The audio part of a saved state: a tag byte (0 sound, 1 music), a byte
// of music state before the first block only, then the block; the sound
// block first, then the music block.
//
// Sound block (302 bytes): per channel 1-15 the sound id (u32, 65535
// none), frames played (u32), loop and paused (u8 each), source rate and
// position fraction (u32 each) and the current sample (u16); then the
// channel search cursor (u16).
// Music block: its size (u16), the current and the saved music ids (u16
// each), the current music's position (u32: frames into its part, or
// order << 16 | row for XM), its part and its jingle flag (u8 each).
#pragma once
#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace tolv {

constexpr uint32_t kSoundBlockSize = 302;

// Game thread; takes the audio lock.
void WriteAudioState(ByteWriter& w);
// Reads both blocks (in either order), starts the music they name at its
// place, and keeps both for the mixer, which takes them at its next
// buffer. False when the bytes are not there. Game thread.
bool ReadAudioState(ByteReader& r);

// Audio thread.
void ApplyPendingAudioState();
// Game thread, the audio lock held (or audio thread): forgets what a load
// left; from record `first` on, the music of those records only.
void DropPendingAudioState();
void DropPendingMusicFrom(uint32_t first);

}  // namespace tolv
