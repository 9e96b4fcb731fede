#include "extras/QuestionWindow.h"

#include "extras/GameServices.h"
#include "extras/SoundEffects.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "skin/CoolControls.h"

#include <QKeyEvent>
#include <QShowEvent>

QuestionWindow::QuestionWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "ChoiceWindow", 292, 103, MainInput::Blocked), services_(services) {
    questionLabel = new CoolLabel(clientArea);
    questionLabel->setGeometry(15, 15, 270, 19);
    questionLabel->setSimpleView(true);
    questionLabel->setAlignment(Qt::AlignCenter);
    questionLabel->setTransparent(true);
    questionLabel->setFont(coolFont(13, true));

    yesButton = new CoolButton(clientArea);
    yesButton->setGeometry(30, 50, 100, 35);
    noButton = new CoolButton(clientArea);
    noButton->setGeometry(170, 50, 100, 35);
    for (CoolButton* button : {yesButton, noButton}) {
        // Answerable from the keyboard: Yes comes first in the tab order and holds the focus
        // when the window opens, so Enter answers yes.
        button->setFocusPolicy(Qt::TabFocus);
        button->setSimpleView(true);
        button->setFont(coolFont(16, true));
        button->setFontColor(Qt::white);
    }
    setTabOrder(yesButton, noButton);
    connect(yesButton, &QAbstractButton::clicked, this, [this] { done(kChoiceYes); });
    connect(noButton, &QAbstractButton::clicked, this, [this] { done(kChoiceNo); });

    followTextures();
}

void QuestionWindow::applyWindowTextures() {
    yesButton->setWallpaper(getTexture(kButtonsSlot));
    noButton->setWallpaper(getTexture(kButtonsSlot));
}

void QuestionWindow::showEvent(QShowEvent* event) {
    // Not again when a window manager restores the minimised question.
    if (!event->spontaneous())
        services_.sound().play(kSoundQuestion);
    CoolDialog::showEvent(event);
}

void QuestionWindow::keyPressEvent(QKeyEvent* event) {
    // Esc answers no.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        noButton->click();
        return;
    }
    CoolDialog::keyPressEvent(event);
}

void QuestionWindow::prepareToShow() {
    setWindowTitle(cp1251ToUnicode(captionText));
    questionLabel->setCaption(questionText);
    yesButton->setCaption(services_.languageText("Yes"));
    noButton->setCaption(services_.languageText("No"));
    yesButton->setFocus();
}

void showChoiceWindow(QuestionWindow& window, const std::string& caption,
                      const std::string& question) {
    window.captionText = caption;
    window.questionText = question;
    window.show();
}
