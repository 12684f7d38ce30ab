#include "engine/PathMap.h"

CString MapManifestPath(const CString& path, const CString& distributionTag) {
    CString prefix = distributionTag + "\\";
    if (path.Find(prefix) == 0) return path.Mid(distributionTag.GetLength() + 1);
    return path;
}
