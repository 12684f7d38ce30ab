// The licence agreement as the setup carries it (resource TEXT 100).
#pragma once

#include <string>

// `licence` as the resource holds it: 8-bit Windows-1252 text whose lines
// end with CR LF, then "$" and CR LF. Lines may end with LF, CR or CR LF; a
// UTF-8 text is converted. False, with `problem`, for a text the page could
// not show whole: one holding "$" (the reader stops there) or a zero byte,
// an empty one, or UTF-8 with characters that Windows-1252 lacks.
bool LicenceResourceText(const std::string& licence, std::string& resource, std::string& problem);
