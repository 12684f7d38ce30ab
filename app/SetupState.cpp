#include "app/SetupState.h"

SetupState setupState;
