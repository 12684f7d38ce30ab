#include "tools/package/LicenceText.h"

#include <cstdint>
#include <vector>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page has no character.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code points of a well-formed UTF-8 text; false if it is not one.
bool DecodeUtf8(const std::string& text, std::vector<uint32_t>& points) {
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
                                                                  : lead >= 0xF0 && lead < 0xF5 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size()) return false;
        uint32_t point = extra ? lead & (0x3F >> extra) : lead;
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            point = point << 6 | (next & 0x3F);
        }
        static const uint32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
        if (point < kLeast[extra] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000)) return false;
        points.push_back(point);
        i += extra + 1;
    }
    return true;
}

// The Windows-1252 byte of a code point, or -1.
int Windows1252(uint32_t point) {
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<int>(point);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] && kHighControls[i] == point) return 0x80 + i;
    return -1;
}

// The text in Windows-1252: UTF-8 is converted, other text is taken as it is.
bool ToWindows1252(const std::string& text, std::string& out, std::string& problem) {
    std::string body = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
    std::vector<uint32_t> points;
    if (!DecodeUtf8(body, points)) {
        out = body;
        return true;
    }
    out.clear();
    int line = 1;
    for (uint32_t point : points) {
        int byte = Windows1252(point);
        if (byte < 0) {
            problem = "line " + std::to_string(line) +
                      " holds a character that the setup's Windows-1252 text cannot show";
            return false;
        }
        if (point == '\n') ++line;
        out += static_cast<char>(byte);
    }
    return true;
}

}  // namespace

bool LicenceResourceText(const std::string& licence, std::string& resource, std::string& problem) {
    std::string text;
    if (!ToWindows1252(licence, text, problem)) return false;
    if (text.find('$') != std::string::npos) {
        problem = "it holds a \"$\", where the setup's reader would end the text";
        return false;
    }
    if (text.find('\0') != std::string::npos) {
        problem = "it holds a zero byte, where the page would end the text";
        return false;
    }
    resource.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            resource += "\r\n";
        } else {
            resource += text[i];
        }
    }
    if (resource.find_first_not_of(" \t\r\n") == std::string::npos) {
        problem = "it is empty";
        return false;
    }
    if (resource.size() < 2 || resource.compare(resource.size() - 2, 2, "\r\n") != 0) resource += "\r\n";
    resource += "$\r\n";
    return true;
}
