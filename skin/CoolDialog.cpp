#include "skin/CoolDialog.h"

#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "skin/CoolControls.h"
#include "skin/FramePainter.h"
#include "skin/TextureSlots.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>

namespace {
const QColor kOkCaption(0, 255, 255);
const QColor kOkShadow(0, 64, 64);
constexpr int kCaptionPixels = 11;
} // namespace

// The window manager draws no frame: a manager's title bar would bring minimise, maximise and
// close buttons, and a minimised modal dialog hides the whole game. The dialog draws its own
// small caption and frame instead.
CoolDialog::CoolDialog(QWidget* parent, const char* name, int clientWidth, int clientHeight,
                       MainInput mainInput)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint), mainInput_(mainInput),
      host_(dynamic_cast<DialogHost*>(parent)) {
    setObjectName(QString::fromLatin1(name));
    setModal(true);
    clientArea = new CoolClientArea(this);
    setClientSize(clientWidth, clientHeight);
}

QRect CoolDialog::clientRect() const {
    return QRect(kFrameWidth, kFrameWidth + kToolCaptionHeight, clientArea->width(),
                 clientArea->height());
}

QRect CoolDialog::captionRect() const {
    return QRect(kFrameWidth, kFrameWidth, width() - 2 * kFrameWidth, kToolCaptionHeight - 1);
}

void CoolDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FramePainter::paintFrame(painter, rect());
    const QRect caption = captionRect();
    FramePainter::paintCaptionBar(painter, caption, isActiveWindow(), windowTitle(),
                                  coolFont(kCaptionPixels, true), caption.adjusted(3, 0, -3, 0));
}

void CoolDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowTitleChange)
        update(captionRect());
    // A window manager may still minimise it (a key or a menu of its own): a modal dialog
    // stays in sight.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

// Dragging by the caption.
void CoolDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && captionRect().contains(event->position().toPoint())) {
        drag_.start(this, event);
        return;
    }
    QDialog::mousePressEvent(event);
}

void CoolDialog::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.follow(this, event))
        return;
    QDialog::mouseMoveEvent(event);
}

void CoolDialog::mouseReleaseEvent(QMouseEvent* event) {
    drag_.stop();
    QDialog::mouseReleaseEvent(event);
}

void CoolDialog::setMainInputEnabled(bool enabled) {
    if (host_)
        host_->setMainInputEnabled(enabled);
}

void CoolDialog::followTextures() {
    registerTextureClient(this, [this] { dressWindow(); });
    dressWindow();
}

void CoolDialog::dressWindow() {
    clientArea->setWallpaper(getTexture(kDialogWallSlot));
    if (okButton_)
        okButton_->setWallpaper(getTexture(kButtonsSlot));
    applyWindowTextures();
}

void CoolDialog::setClientSize(int width, int height) {
    setFixedSize(width + 2 * kFrameWidth, height + 2 * kFrameWidth + kToolCaptionHeight);
    clientArea->setGeometry(kFrameWidth, kFrameWidth + kToolCaptionHeight, width, height);
}

CoolButton* CoolDialog::makeOkButton(const QRect& geometry) {
    auto* button = new CoolButton(clientArea);
    button->setGeometry(geometry);
    button->setCaption("OK");
    button->setRounded(true);
    button->setFont(coolFont(16, true));
    button->setFontColor(kOkCaption);
    button->setShadowColor(kOkShadow);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QAbstractButton::clicked, this, &QDialog::accept);
    okButton_ = button;
    setDefaultButton(button);
    return button;
}

QString dialogTitle(const std::string& menuCaption) {
    QString title = cp1251ToUnicode(menuCaption).trimmed();
    while (title.endsWith(QLatin1Char('.')) || title.endsWith(QChar(0x2026)))
        title.chop(1);
    return title.trimmed();
}

QWidget* CoolDialog::ownerWindow() const {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    return owner && owner->isVisible() ? owner : nullptr;
}

void CoolDialog::placeWindow() {
    // Over the game wherever it was moved; a compositor that places windows itself (Wayland)
    // puts a dialog over its owner as well.
    if (const QWidget* owner = ownerWindow()) {
        const QRect area = owner->frameGeometry();
        moveWithinScreen(QPoint(area.left() + (area.width() - width()) / 2,
                                area.top() + (area.height() - height()) / 2));
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
}

void CoolDialog::moveWithinScreen(const QPoint& topLeft) {
    const QScreen* screen =
        ownerWindow() ? ownerWindow()->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        move(topLeft);
        return;
    }
    const QRect area = screen->availableGeometry();
    move(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - width())),
         std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
}

// A window manager's own hide and show (minimising and restoring) arrive as spontaneous
// events; the dialog is still open then, so it neither deactivates nor activates again.
void CoolDialog::showEvent(QShowEvent* event) {
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    // A dialog over a minimised game (the game ended while it was minimised) brings the game
    // back first: the dialog alone on the desktop would leave the player no way to it.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        owner && owner->isMinimized()) {
        owner->setWindowState(owner->windowState() & ~Qt::WindowMinimized);
        owner->show();
    }
    placeWindow();
    QDialog::showEvent(event);
    if (mainInput_ == MainInput::Blocked)
        setMainInputEnabled(false);
    runReportingErrors([this] { prepareToShow(); });
    // The keyboard starts on the default button unless the window put it in a text box.
    if (defaultButton_ && defaultButton_->isVisible() && !qobject_cast<QLineEdit*>(focusWidget()))
        defaultButton_->setFocus(Qt::OtherFocusReason);
}

void CoolDialog::hideEvent(QHideEvent* event) {
    if (event->spontaneous()) {
        QDialog::hideEvent(event);
        return;
    }
    runReportingErrors([this] { afterHide(); });
    if (mainInput_ == MainInput::Blocked)
        setMainInputEnabled(true);
    QDialog::hideEvent(event);
    // The keys typed next go to the game at once, also where the compositor would leave the
    // activation in between (Wayland).
    if (QWidget* owner = ownerWindow())
        owner->activateWindow();
}

void CoolDialog::keyPressEvent(QKeyEvent* event) {
    // Esc closes the window as its close button does: the OK button where it has one.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (okButton_ && okButton_->isVisible() && okButton_->isEnabled())
            okButton_->click();
        else
            reject();
        return;
    }
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
