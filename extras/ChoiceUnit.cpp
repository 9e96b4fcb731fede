#include "extras/ChoiceUnit.h"

#include "extras/GameServices.h"
#include "extras/ImagesUnit.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"

#include <QKeyEvent>
#include <QShowEvent>

TChoiceWindow::TChoiceWindow(QWidget* parent, GameServices& services)
    : TCoolDialog(parent, "ChoiceWindow", 292, 103, MainInput::Blocked), services_(services) {
    QuestionLabel = new TCoolLabel(Hook);
    QuestionLabel->setGeometry(15, 15, 270, 19);
    QuestionLabel->SetSimpleView(true);
    QuestionLabel->SetAlignment(Qt::AlignCenter);
    QuestionLabel->SetTransparent(true);
    QuestionLabel->setFont(CoolFont(13, true));

    YesButton = new TCoolBtn(Hook);
    YesButton->setGeometry(30, 50, 100, 35);
    NoButton = new TCoolBtn(Hook);
    NoButton->setGeometry(170, 50, 100, 35);
    for (TCoolBtn* button : {YesButton, NoButton}) {
        // Answerable from the keyboard: Yes comes first in the tab order and holds the focus
        // when the window opens, so Enter answers yes.
        button->setFocusPolicy(Qt::TabFocus);
        button->SetSimpleView(true);
        button->setFont(CoolFont(16, true));
        button->SetFontColor(Qt::white);
    }
    setTabOrder(YesButton, NoButton);
    connect(YesButton, &QAbstractButton::clicked, this, [this] { done(kChoiceYes); });
    connect(NoButton, &QAbstractButton::clicked, this, [this] { done(kChoiceNo); });

    FollowTextures();
}

void TChoiceWindow::ApplyWindowTextures() {
    YesButton->SetWallpaper(GetTexture(kButtonsSlot));
    NoButton->SetWallpaper(GetTexture(kButtonsSlot));
}

void TChoiceWindow::showEvent(QShowEvent* event) {
    // Not again when a window manager restores the minimised question.
    if (!event->spontaneous())
        services_.sound().play(kSoundQuestion);
    TCoolDialog::showEvent(event);
}

void TChoiceWindow::keyPressEvent(QKeyEvent* event) {
    // Esc answers no.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        NoButton->click();
        return;
    }
    TCoolDialog::keyPressEvent(event);
}

void TChoiceWindow::FormActivate() {
    setWindowTitle(Cp1251ToUnicode(ChoiceCaption));
    QuestionLabel->SetCaption(ChoiceQuestion);
    YesButton->SetCaption(services_.languageText("Yes"));
    NoButton->SetCaption(services_.languageText("No"));
    YesButton->setFocus();
}

int ShowChoiceWindow(TChoiceWindow& window, const std::string& caption,
                     const std::string& question) {
    window.ChoiceCaption = caption;
    window.ChoiceQuestion = question;
    return window.exec();
}
