#include "core/GameState.h"

TSession Game;
