#include "skin/CoolDialog.h"

#include "platform/ErrorBox.h"
#include "skin/CoolControls.h"
#include "skin/TextureSlots.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>

TDialogHost* DialogHost = nullptr;

namespace {
const QColor kOkCaption(0, 255, 255);
const QColor kOkShadow(0, 64, 64);
} // namespace

TCoolDialog::TCoolDialog(QWidget* parent, const char* name, int clientWidth, int clientHeight,
                         MainInput mainInput)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      mainInput_(mainInput) {
    setObjectName(QString::fromLatin1(name));
    setModal(true);
    Hook = new TCoolFormHook(this);
    SetClientSize(clientWidth, clientHeight);
}

void TCoolDialog::SetMainInputEnabled(bool enabled) {
    if (DialogHost)
        DialogHost->SetMainInputEnabled(enabled);
}

void TCoolDialog::FollowTextures() {
    RegisterTextureClient(this, [this] { DressWindow(); });
    DressWindow();
}

void TCoolDialog::DressWindow() {
    Hook->SetWallpaper(GetTexture(kDialogWallSlot));
    if (okButton_)
        okButton_->SetWallpaper(GetTexture(kButtonsSlot));
    ApplyWindowTextures();
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
    okButton_ = button;
    return button;
}

void TCoolDialog::PlaceWindow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

// A window manager's own hide and show (minimising and restoring) arrive as spontaneous
// events; the dialog is still open then, so it neither deactivates nor activates again.
void TCoolDialog::showEvent(QShowEvent* event) {
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    PlaceWindow();
    QDialog::showEvent(event);
    if (mainInput_ == MainInput::Blocked)
        SetMainInputEnabled(false);
    RunReportingErrors([this] { FormActivate(); });
}

void TCoolDialog::hideEvent(QHideEvent* event) {
    if (event->spontaneous()) {
        QDialog::hideEvent(event);
        return;
    }
    RunReportingErrors([this] { FormDeactivate(); });
    if (mainInput_ == MainInput::Blocked)
        SetMainInputEnabled(true);
    QDialog::hideEvent(event);
}

void TCoolDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}
