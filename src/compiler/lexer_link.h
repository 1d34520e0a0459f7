// The def-file lexer and the fatal error path, as the compiler uses them.
#pragma once
#include "files/file_stream.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
