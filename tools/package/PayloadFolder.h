// The files of a payload folder, in the order the setup carries them.
#pragma once

#include <string>
#include <vector>

#include "tools/package/PayloadRules.h"

// The regular files below `folder` (links to files inside it followed),
// sorted by path. Anything else that the setup could not carry (special
// files, links to folders, to nothing or out of the folder, unreadable
// entries) goes to `problems`, named; so do empty folders, which a manifest
// of files cannot make.
std::vector<PayloadEntry> ListPayloadFolder(const std::string& folder, std::vector<std::string>& problems);
