#pragma once

// Creates every folder named along `path`, from its drive root (or the current
// directory for a relative path). The text after the last backslash is taken
// as a file name and not created, unless the path has no backslash at all and
// `wholePath` is set. Paths that do not fit MAX_PATH are refused. Returns
// the length of the outermost folder it created (a prefix of `path`), 0 when
// every one existed: what RemoveCreatedFolders takes back.
int CreateFolderTree(const char* path, bool wholePath);

// Removes the folders along `path` that CreateFolderTree(path, false)
// created (`created` is its result), deepest first, each only while it is
// empty.
void RemoveCreatedFolders(const char* path, int created);
