// One shared folder listing: names of a folder's entries, folders marked by
// a trailing '/', sorted by name, with wildcard filters on top.
#pragma once
#include <string>
#include <vector>

namespace tolv {

extern std::vector<std::string> folder_listing;

// Lists path (relative to the current folder) into folder_listing; "*" and
// "*.*" keep everything, any other pattern keeps the matching names. A folder
// that cannot be read gives an empty listing.
void ListFolder(const char* path, const char* pattern);

// Case-insensitive, '?' any one character, '*' a run; one pass with no
// backtracking, so "*bc" does not match "abcbc". A trailing "." matches names
// with no '.' after their first character.
int MatchWildcard(const char* name, const char* pattern);

void KeepMatchingNames(const char* pattern);
void FilterFolderListing(const char* pattern);  // folders always stay
void DropMatchingNames(const char* pattern);
void DropExcludedNames();  // exclude_patterns, then "exclude.def"

// Deletes the folder pack_folder_name, a direct child of base_folder, with
// everything in it except hidden entries; links are removed, never followed.
// Returns 0 when it is gone, the number of entries left (each reported), or
// -1 when the name does not name such a folder.
int DeleteGameFolder();

}  // namespace tolv
