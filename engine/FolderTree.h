#pragma once

// Creates every folder named along `path`, from its drive root (or the current
// directory for a relative path). The text after the last backslash is taken
// as a file name and not created, unless the path has no backslash at all and
// `wholePath` is set. Paths that do not fit MAX_PATH are refused.
void CreateFolderTree(const char* path, bool wholePath);

// Deletes a folder and everything in it, silently and not to the recycle bin.
void DeleteFolderSilently(const char* path);
