// Archive reader fuzzing. Odd first byte: the input is the file itself.
// Even first byte: the input holds plain index and file-table areas (two
// length bytes, then the areas) that are scrambled into a well-formed file,
// so mutations reach the folder and file-table parser.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "files/archive_format.h"
#include "files/game_files.h"

using namespace tolv;

static std::string archive_path;
static void RemoveArchive() { std::remove(archive_path.c_str()); }

static std::string ArchivePath() {
  std::atexit(RemoveArchive);
  archive_path = access("/dev/shm", W_OK) == 0 ? "/dev/shm/tolv_fuzz_" : "/tmp/tolv_fuzz_";
  archive_path += std::to_string(getpid()) + ".tvp";
  return archive_path;
}

static std::vector<uint8_t> BuildArchive(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  if (size < 3) return out;
  size_t index_len = std::min<size_t>(size - 3, data[1] << 8 | data[2]);
  const uint8_t* plain = data + 3;
  size_t plain_len = size - 3;
  const uint32_t contents = 64, seed = 0x1234567;
  uint8_t table[16];
  BuildScrambleTable(seed, table);
  for (uint32_t i = 0; i < contents; i++) out.push_back(static_cast<uint8_t>(i * 37) ^ ScrambleKey(table, i));
  for (size_t i = 0; i < plain_len; i++)
    out.push_back(plain[i] ^ ScrambleKey(table, static_cast<uint32_t>(out.size())));
  const uint32_t index_start = contents, table_start = static_cast<uint32_t>(contents + index_len);
  for (int i = 3; i >= 0; i--) {
    out.push_back(static_cast<uint8_t>(seed >> (8 * i)));
    out.push_back(static_cast<uint8_t>(index_start >> (8 * i)) ^ ScrambleKey(table, static_cast<uint32_t>(out.size())));
    out.push_back(static_cast<uint8_t>(table_start >> (8 * i)) ^ ScrambleKey(table, static_cast<uint32_t>(out.size())));
  }
  out.resize(out.size() + kArchiveFillerSize);
  return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = ArchivePath();
  game_folder = path + ".missing";  // mirrored folders never exist: the process stays put
  std::vector<uint8_t> file = size && (data[0] & 1) ? std::vector<uint8_t>(data + 1, data + size)
                                                    : BuildArchive(data, size);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  if (OpenArchive(path.c_str()) == 1) {
    for (const char* folder : {"/", "a", "..", "/a/b", "a/../b"}) {
      ChangeGameFolder(folder);
      for (const char* name : {"a", "b", "x.def", "/a/a", "../a", "a/b/a"}) {
        if (!OpenGameFile(name)) continue;
        uint32_t n = 0;
        while (ReadGameFileByte() != kGameFileEnd && n < (1u << 24)) n++;
        SeekGameFile(-1, 2);
        TellGameFile();
        CloseGameFile();
      }
    }
  }
  CloseArchive();
  return 0;
}
