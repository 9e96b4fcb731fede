#include "skin/CoolDialog.h"

#include "platform/ErrorBox.h"
#include "skin/CoolControls.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

TDialogHost* DialogHost = nullptr;

namespace {
const QColor kOkCaption(0, 255, 255);
const QColor kOkShadow(0, 64, 64);
} // namespace

TCoolDialog::TCoolDialog(QWidget* parent, int clientWidth, int clientHeight)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setModal(true);
    Hook = new TCoolFormHook(this);
    SetClientSize(clientWidth, clientHeight);
}

void TCoolDialog::SetMainInputEnabled(bool enabled) {
    if (DialogHost)
        DialogHost->SetMainInputEnabled(enabled);
}

void TCoolDialog::SetClientSize(int width, int height) {
    setFixedSize(width, height);
    Hook->setGeometry(0, 0, width, height);
}

TCoolBtn* TCoolDialog::MakeOkButton(const QRect& geometry) {
    auto* button = new TCoolBtn(Hook);
    button->setGeometry(geometry);
    button->SetCaption("OK");
    button->SetRounded(true);
    button->setFont(CoolFont(16, true));
    button->SetFontColor(kOkCaption);
    button->SetShadowColor(kOkShadow);
    connect(button, &QAbstractButton::clicked, this, &QDialog::accept);
    return button;
}

void TCoolDialog::PlaceWindow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

void TCoolDialog::showEvent(QShowEvent* event) {
    PlaceWindow();
    QDialog::showEvent(event);
    RunReportingErrors([this] { FormActivate(); });
}

void TCoolDialog::hideEvent(QHideEvent* event) {
    RunReportingErrors([this] { FormDeactivate(); });
    QDialog::hideEvent(event);
}

void TCoolDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        QAbstractButton* button = focused ? focused : defaultButton_;
        if (button && button->isVisible() && button->isEnabled()) {
            button->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}
