#pragma once

#include <QList>
#include <QString>

class QAction;

// Gives the items of one menu (or the menus of a menu bar) their mnemonics: each caption's
// first letter not yet taken by an item above it, marked with "&"; an "&" of the caption
// itself is doubled so that it shows. Captions come from the settings file and carry no
// mnemonics of their own. Call it again after captions change: an item whose caption was
// not set anew keeps its letter.
void addMnemonics(const QList<QAction*>& items);

// The caption as shown, without the mnemonic's mark.
QString withoutMnemonic(const QString& text);
