#include "platform/Hooks.h"

THooks Hooks;
