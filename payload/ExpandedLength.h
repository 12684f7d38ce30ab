// The length a stored payload file has once expanded: what the SZDD header
// says (offset 10, after the two magics and the mode and name bytes), or the
// stored size itself for a file without that header, which LZ32 copies as it
// is.
#pragma once

#include <cstddef>
#include <cstdint>

uint32_t ExpandedLength(const void* stored, size_t size);

// Whether the stored file is SZDD (LZ32 expands it) rather than plain.
bool IsSzdd(const void* stored, size_t size);
