#include "payload/LzSideFile.h"

CString LzSideFileName(const CString& path) {
    int name = path.ReverseFind('\\') + 1;
    int dot = path.Mid(name).Find(".");
    if (dot < 0) return path + "._";
    int extension = path.GetLength() - (name + dot + 1);
    if (extension < 3) return path + "_";
    return path.Left(path.GetLength() - 1) + "_";
}
