#pragma once

#include <QString>

// Asks the desktop to open a web address in the user's browser. False when no browser could
// be started for it.
bool openWebAddress(const QString& address);
