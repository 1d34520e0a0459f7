// Opening a file for reading only when it is a regular file: a FIFO, a
// device or a folder is refused without blocking in the open.
#pragma once
#include <cstdio>

namespace tolv {

// A read descriptor, or -1.
int OpenRegularFile(const char* path);
// The same as a stdio stream ("rb"), or null.
FILE* OpenRegularFileStream(const char* path);

}  // namespace tolv
