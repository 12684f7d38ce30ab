#include "payload/PathMap.h"

CString JoinPath(const CString& folder, const char* name) {
    CString path = folder;
    path += "\\";
    path += name;
    return path;
}

CString FolderOf(const CString& path) {
    int cut = path.ReverseFind('\\');
    return path.Left(cut > 0 ? cut : 0);
}

CString MapManifestPath(const CString& path, const CString& distributionTag) {
    CString prefix = distributionTag + "\\";
    if (path.Find(prefix) == 0) return path.Mid(distributionTag.GetLength() + 1);
    return path;
}
