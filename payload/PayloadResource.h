#pragma once

#include <cstddef>

// The stored bytes of payload entry `index` ("BIN" resource 900 + index).
struct PayloadBytes {
    const void* data = nullptr;
    size_t size = 0;  // the whole resource
};

// False when the resource is missing or cannot be loaded.
bool LoadPayloadResource(int index, PayloadBytes& out);
