#include "settings/StrengthWindow.h"

#include "extras/GameServices.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "skin/CoolCheckBox.h"
#include "skin/CoolControls.h"
#include "skin/CoolTrackBar.h"

#include <algorithm>

StrengthWindow::StrengthWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "SetCPUWindow", 292, 92, MainInput::Blocked), services_(services) {
    strengthBar = new CoolTrackBar(clientArea);
    strengthBar->setGeometry(25, 10, 180, 40);
    strengthBar->setRange(kMinStrengthLength, kMaxStrengthLength);
    connect(strengthBar, &QAbstractSlider::valueChanged, this, &StrengthWindow::strengthChanged);

    weakLabel = new CoolLabel(clientArea);
    weakLabel->setGeometry(-5, 50, 76, 13);
    strongLabel = new CoolLabel(clientArea);
    strongLabel->setGeometry(160, 50, 73, 13);
    for (CoolLabel* label : {weakLabel, strongLabel}) {
        label->setAlignment(Qt::AlignCenter);
        label->setTransparent(true);
        label->setSimpleView(true);
        label->setFont(coolFont(11, true));
    }

    everydayBox = new CoolCheckBox(clientArea);
    everydayBox->setGeometry(20, 68, 262, 21);
    everydayBox->setTransparent(true);
    everydayBox->setFont(coolFont(13, true));
    connect(everydayBox, &QAbstractButton::toggled, this,
            [this](bool on) { services_.game().everydayWords = on; });

    // No cancel: every change takes effect at once, and OK is the way out.
    okButton = makeOkButton(QRect(240, 15, 40, 40));

    followTextures();
}

void StrengthWindow::showCaption() {
    setWindowTitle(dialogTitle(services_.languageText("Menu_CPU")) + QStringLiteral(" (") +
                   QString::number(int(services_.game().maxWordLength) - 2) + QStringLiteral(")"));
}

void StrengthWindow::prepareToShow() {
    showCaption();
    // A strength outside the slider's range is brought to the nearer end at once.
    const int wanted = services_.game().maxWordLength;
    const int position = std::clamp(wanted, int(kMinStrengthLength), int(kMaxStrengthLength));
    if (position != strengthBar->value()) {
        strengthBar->setValue(position);
    } else if (wanted != strengthBar->value()) {
        strengthChanged();
    }
    weakLabel->setCaption(services_.languageText("CPU_Label1"));
    strongLabel->setCaption(services_.languageText("CPU_Label2"));
    everydayBox->setCaption(services_.languageText("CPU_Everyday"));
    everydayBox->setChecked(services_.game().everydayWords);
}

void StrengthWindow::strengthChanged() {
    services_.game().maxWordLength = static_cast<uint16_t>(strengthBar->value());
    showCaption();
}
