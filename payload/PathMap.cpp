#include "payload/PathMap.h"

CString JoinPath(const CString& folder, const char* name) {
    CString path = folder;
    // A drive root ("C:\\", the per-user value -s reads) has its backslash.
    if (path.GetAt(path.GetLength() - 1) != '\\') path += "\\";
    path += name;
    return path;
}

CString FolderOf(const CString& path) {
    int cut = path.ReverseFind('\\');
    return path.Left(cut > 0 ? cut : 0);
}

bool BaseOfProduct(const CString& installFolder, const CString& productKey, CString& base) {
    int length = installFolder.GetLength() - productKey.GetLength();
    base = installFolder.Left(length);
    return length > 0 && base.GetAt(length - 1) == '\\' && installFolder.Mid(length) == productKey;
}

CString MapManifestPath(const CString& path, const CString& distributionTag) {
    CString prefix = distributionTag + "\\";
    if (path.Find(prefix) == 0) return path.Mid(distributionTag.GetLength() + 1);
    return path;
}
