#pragma once

#include "skin/CoolDialog.h"

#include <QStringList>

class GameServices;
class TCoolBtn;
class TCoolMemo;

// The help window: how to play, in the language of the game. Unlike the other interface
// texts, the two help texts belong to the window itself; they are chosen each time the window
// is shown, so a language switch shows the other text next time.
class THowToPlayWindow : public TCoolDialog {
    Q_OBJECT
public:
    // The texts come from the services.
    THowToPlayWindow(QWidget* parent, GameServices& services);

    TCoolMemo* CoolMemo = nullptr;
    TCoolBtn* CoolOKButton = nullptr;
    // The English and the Russian help text, one string per line.
    const QStringList MemoE;
    const QStringList MemoR;

    // The caption (language key "Menu_Help1") and the text of the current language.
    void FormActivate() override;

private:
    void ApplyWindowTextures() override;

    GameServices& services_;
};
