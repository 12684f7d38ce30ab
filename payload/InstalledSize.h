// How many bytes a payload file takes once installed.
#pragma once

#include <cstddef>

// An SZDD file expands to the length its header records; any other file is
// copied as it is stored.
unsigned long InstalledSize(const unsigned char* stored, size_t size);
