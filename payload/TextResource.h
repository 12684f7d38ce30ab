#pragma once

#include "fw/CString.h"

// The text of "TEXT" resource `id` up to its first "$"; empty when missing.
CString ReadTextResource(unsigned int id);
