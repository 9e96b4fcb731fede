#include "extras/MeaningWindow.h"

#include "core/WordMeanings.h"
#include "extras/GameServices.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "skin/CoolControls.h"
#include "skin/CoolMemo.h"

namespace {
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 175;
} // namespace

MeaningWindow::MeaningWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "MeaningWindow", kClientWidth, kClientHeight, MainInput::Blocked),
      services_(services) {
    wordLabel = new CoolLabel(clientArea);
    wordLabel->setGeometry(15, 8, kClientWidth - 30, 26);
    wordLabel->setTransparent(true);
    wordLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    wordLabel->setFont(coolFont(19, true));
    wordLabel->setFontColor(Qt::white);

    meaningText = new CoolMemo(clientArea);
    meaningText->setGeometry(15, 38, kClientWidth - 30, 80);
    meaningText->setFont(coolFont(14, true));

    lookUpButton = new CoolButton(clientArea);
    lookUpButton->setGeometry(15, 130, 230, 32);
    lookUpButton->setSimpleView(true);
    lookUpButton->setFont(coolFont(15, true));
    lookUpButton->setFontColor(Qt::white);
    lookUpButton->setFocusPolicy(Qt::TabFocus);
    connect(lookUpButton, &QAbstractButton::clicked, this,
            [this] { emit lookUpRequested(dictionaryAddress(services_.words().language, word_)); });

    okButton = makeOkButton(QRect(kClientWidth - 55, 126, 40, 40));
    okButton->setAccessibleName(QStringLiteral("OK"));
    setTabOrder(okButton, lookUpButton);

    followTextures();
}

void MeaningWindow::applyWindowTextures() {
    meaningText->setWallpaper(getTexture(kTextAreaSlot));
    lookUpButton->setWallpaper(getTexture(kButtonsSlot));
}

void MeaningWindow::showWord(const std::string& word) {
    word_ = word;
    if (isVisible())
        prepareToShow();
    else
        open();
}

void MeaningWindow::prepareToShow() {
    const QString title = cp1251ToUnicode(services_.languageText("Meaning"));
    setWindowTitle(title);
    setAccessibleName(title);
    const QString word = cp1251ToUnicode(word_);
    wordLabel->setCaption(word_);
    const std::optional<std::string> meaning =
        findMeaning(meaningsPath(services_.words().language), word_);
    meaningText->setLines({meaning
                               ? cp1251ToUnicode(*meaning)
                               : cp1251ToUnicode(services_.languageText("MeaningNone")).arg(word)});
    lookUpButton->setCaption(services_.languageText("LookUp"));
    okButton->setFocus();
}
