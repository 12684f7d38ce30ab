// Product name and version: shown in the executables' version resource and
// in the entry of the system's list of installed programs.
#pragma once

#define PRODUCT_NAME_TEXT "Quillfen"
#define PRODUCT_VERSION_TEXT "11.0"
#define PRODUCT_VERSION_NUMBERS 11, 0, 0, 0
