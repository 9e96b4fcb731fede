#pragma once

#include "skin/CoolDialog.h"

#include <QStringList>

class GameServices;
class CoolButton;
class CoolMemo;

// The help window: how to play, in the language of the game. Unlike the other interface
// texts, the two help texts belong to the window itself; they are chosen each time the window
// is shown, so a language switch shows the other text next time.
class HelpWindow : public CoolDialog {
    Q_OBJECT
public:
    // The texts come from the services.
    HelpWindow(QWidget* parent, GameServices& services);

    CoolMemo* helpText = nullptr;
    CoolButton* okButton = nullptr;
    // The English and the Russian help text, one string per line.
    const QStringList englishText;
    const QStringList russianText;

    // The caption (language key "Menu_Help1") and the text of the current language.
    void prepareToShow() override;

private:
    void applyWindowTextures() override;

    GameServices& services_;
};
