// The names the setup program and its packaging tools share: the product's
// folder and file names that the string table carries, and the names the
// program reserves in the installation folder. Plain macros, so that the
// resource compiler reads them too (res/strings.rc).
#pragma once

#define INSTALL_DEFAULT_DRIVE "C:\\"
#define INSTALL_PRODUCT_KEY "Quillfen\\Quillfen 11.0"
#define INSTALL_DISTRIBUTION_TAG "qf11_default_en"
#define INSTALL_MAIN_EXE "quillfen.exe"
#define INSTALL_ICON_FILE "qf11.ico"

// Reserved at the top of the installation folder: the temporary folder of
// an extraction run (deleted after every run), the tag file, and the
// uninstaller that the build adds to every payload.
#define INSTALL_TEMPORARY_FOLDER "install"
#define INSTALL_TAG_FILE "sno"
#define INSTALL_UNINSTALLER "uninstall.exe"
