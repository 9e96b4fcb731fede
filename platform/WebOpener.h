#pragma once

#include <QString>

// Asks the desktop to open a web address in the user's browser.
void OpenWebAddress(const QString& address);
