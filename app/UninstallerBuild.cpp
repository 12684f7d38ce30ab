#include "app/SetupApp.h"

const bool kUninstallerBuild = true;
