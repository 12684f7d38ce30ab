// When LZ32 cannot open a file under its own name (one in use, say), it
// opens the compressed-file name beside it instead, and creates it when
// asked to create the file: "en.dll" gives "en.dl_". A run that expands
// into a destination it cannot write leaves such a side file.
#pragma once

#include "fw/CString.h"

// The side file of `path`: the extension (all after the first dot of the
// file name) has its last character replaced by "_", or gets one added when
// shorter than three; a name without a dot gets "._".
CString LzSideFileName(const CString& path);
