#include "platform/Hooks.h"

ServiceHooks Hooks;
