#include "core/GameState.h"

GameSession Game;
