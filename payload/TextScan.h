// Reading a text resource: the text ends at its first "$", and never runs
// past the resource's own size.
#pragma once

#include <cstddef>

#include "fw/CString.h"

// Tells whether a byte starts a two-byte character of the active code page.
using LeadBytePredicate = bool (*)(unsigned char);

// Copies whole characters from `data` up to the first "$" or to `size` bytes,
// whichever comes first. A two-byte character cut by the end is dropped.
CString TakeTextUntilDollar(const char* data, size_t size, LeadBytePredicate isLeadByte);
