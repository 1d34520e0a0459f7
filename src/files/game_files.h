// The game file layer: every loader reads game files through it, byte by
// byte, without knowing whether a file is loose or a member of "game.tvp".
// Paths use '/' or '\'; a leading one means the game root, anything else is
// relative to the current folder. No operation prints; failure is a 0 result.
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

extern std::string game_folder;   // absolute, no trailing '/'
extern std::string base_folder;   // the engine folder holding "gdf" and the games
extern uint8_t game_unpacked;     // 1: loose files, 0: "game.tvp" open
extern uint8_t reading_loose_file;  // 1 while the current file is loose
extern std::string virtual_folder;  // current archive folder: "/" or "/a/b"

constexpr int kGameFileEnd = -1;
constexpr int kMaxOpenGameFiles = 64;

// 1 opened, 0 no such file (loose mode), -1 damaged: archive_error says why
// and the game stays in loose mode.
int OpenArchive(const char* path);
void CloseArchive();
extern std::string archive_error;

int ChangeGameFolder(const char* path);
int ReturnToGameRoot();

// 1: the file is now current (the previous one resumes on close); 0: it
// exists neither as a member nor loose, or too many files are open; the
// previous file stays current.
int OpenGameFile(const char* name);
void CloseGameFile();  // harmless with nothing open
int OpenGameFileCount();

int ReadGameFileByte();  // 0..255, kGameFileEnd at or past the end
// Up to n next bytes into out; returns how many there were.
uint32_t ReadGameFileBlock(uint8_t* out, uint32_t n);
// whence 0 from the start, 1 from the position, 2 from the end; 0 on
// success, -1 (position unchanged) for a target before the start.
int SeekGameFile(int32_t offset, int whence);
void RewindGameFile();
uint64_t TellGameFile();  // 64 bits: loose files may pass 4 GiB
int IsGameFileEnd();  // member: position at or past its end; loose: a read failed

// The current folder relative to the game folder: the archive folder ("/",
// "/zone01") while a member is current, else the working folder less the
// game folder ("/", "zone01").
std::string GetGameRelativeFolder();

}  // namespace tolv
