#include "settings/SetCPUUnit.h"

#include "extras/GameServices.h"
#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"
#include "skin/CoolTrackBar.h"

#include <algorithm>

TSetCPUWindow::TSetCPUWindow(QWidget* parent, GameServices& services)
    : TCoolDialog(parent, "SetCPUWindow", 292, 68, MainInput::Blocked), services_(services) {
    StrongBar = new TCoolTrackBar(Hook);
    StrongBar->setGeometry(25, 10, 180, 40);
    StrongBar->setRange(kMinStrengthLength, kMaxStrengthLength);
    connect(StrongBar, &QAbstractSlider::valueChanged, this, &TSetCPUWindow::StrongBarChange);

    Label1 = new TCoolLabel(Hook);
    Label1->setGeometry(-5, 50, 76, 13);
    Label2 = new TCoolLabel(Hook);
    Label2->setGeometry(160, 50, 73, 13);
    for (TCoolLabel* label : {Label1, Label2}) {
        label->SetAlignment(Qt::AlignCenter);
        label->SetTransparent(true);
        label->SetSimpleView(true);
        label->setFont(CoolFont(11, true));
    }

    // No cancel: every move of the slider takes effect at once, and OK is the way out.
    CoolOKButton = MakeOkButton(QRect(240, 15, 40, 40));

    FollowTextures();
}

void TSetCPUWindow::ShowCaption() {
    setWindowTitle(DialogTitle(services_.languageText("Menu_CPU")) + QStringLiteral(" (") +
                   QString::number(int(services_.game().MaxWordLength) - 2) + QStringLiteral(")"));
}

void TSetCPUWindow::FormActivate() {
    ShowCaption();
    // A strength outside the slider's range is brought to the nearer end at once.
    const int wanted = services_.game().MaxWordLength;
    const int position = std::clamp(wanted, int(kMinStrengthLength), int(kMaxStrengthLength));
    if (position != StrongBar->value()) {
        StrongBar->setValue(position);
    } else if (wanted != StrongBar->value()) {
        StrongBarChange();
    }
    Label1->SetCaption(services_.languageText("CPU_Label1"));
    Label2->SetCaption(services_.languageText("CPU_Label2"));
}

void TSetCPUWindow::StrongBarChange() {
    services_.game().MaxWordLength = static_cast<uint16_t>(StrongBar->value());
    ShowCaption();
}
