// The def-file lexer and the fatal error path, as the compiler uses them.
#pragma once
#include "game/file_stream.h"
#include "game/game_files.h"
#include "game/script_error.h"
#include "game/tokenizer.h"
