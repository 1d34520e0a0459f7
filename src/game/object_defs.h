// Object definition files: a scope's sprite sets, its object functions of
// the seven kinds and its object types.
#pragma once
#include <cstdint>
#include <string>

#include "files/file_stream.h"

namespace tolv {

// The definition file of each scope, for the sprite editor's save (loose
// games only).
extern std::string object_def_paths[3];

// Loads one definition file for scope 0, 1 or 2; the folder current on
// entry is current again on return. Every failure is fatal.
void LoadObjectDefs(const char* path, int scope);

void AmbiguousFunctionWarning(const char* label, int scope, uint32_t type_index, int32_t number);

// Parts of the loader (object_def_frames.cpp, object_def_types.cpp).
void ReadInlineSpriteSets(FileStream& s, int scope, int32_t count);
void ReadObjectTypes(FileStream& s, int scope);

// A count token that must lie in 0..max; fatal otherwise.
uint32_t ReadCount(FileStream& s, uint32_t max, const char* what);

}  // namespace tolv
