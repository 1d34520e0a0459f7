#include "files/files_state.h"

#include "files/game_files.h"
#include "files/tokenizer.h"

namespace tolv {

void CloseGameFiles() {
  while (OpenGameFileCount()) CloseGameFile();
  current_stream = nullptr;
  include_reading = 0;
}

}  // namespace tolv
