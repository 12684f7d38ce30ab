#include "state/SetupState.h"

SetupState setupState;
