#pragma once

#include "fw/CString.h"

// Where a manifest path lands below the installation folder: a leading
// "<distribution tag>\" is removed, anything else is kept as it is.
CString MapManifestPath(const CString& path, const CString& distributionTag);

// folder + "\" + name; a folder that ends with "\" keeps just the one.
CString JoinPath(const CString& folder, const char* name);

// The folder part of a path: "skin" for "skin\a.dll", "" for a bare name.
CString FolderOf(const CString& path);

// The base folder that the product key's folders lie below, ending with
// "\": "C:\" for "C:\Quillfen\Quillfen 11.0". False when the installation
// folder does not end with the product key below a folder.
bool BaseOfProduct(const CString& installFolder, const CString& productKey, CString& base);
