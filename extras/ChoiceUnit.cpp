#include "extras/ChoiceUnit.h"

#include "extras/ImagesUnit.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"

#include <QKeyEvent>
#include <QShowEvent>

std::string ChoiceCaption;
std::string ChoiceQuestion;
QPointer<TChoiceWindow> ChoiceWindow;

TChoiceWindow::TChoiceWindow(QWidget* parent)
    : TCoolDialog(parent, "ChoiceWindow", 292, 103, MainInput::Blocked) {
    ChoiceWindow = this;

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
        button->SetSimpleView(true);
        button->setFont(CoolFont(16, true));
        button->SetFontColor(Qt::white);
    }
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
        PlaySoundEffect(kSoundQuestion);
    TCoolDialog::showEvent(event);
}

void TChoiceWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes the question without an answer: nothing changes.
    QDialog::keyPressEvent(event);
}

void TChoiceWindow::FormActivate() {
    setWindowTitle(Cp1251ToUnicode(ChoiceCaption));
    QuestionLabel->SetCaption(ChoiceQuestion);
    YesButton->SetCaption(LanguageText("Yes"));
    NoButton->SetCaption(LanguageText("No"));
}

int ShowChoiceWindow() {
    return ChoiceWindow ? ChoiceWindow->exec() : int(QDialog::Rejected);
}
