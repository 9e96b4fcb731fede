#include "core/GameState.h"

TGameState Game;
