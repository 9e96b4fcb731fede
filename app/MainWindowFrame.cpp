// The main window's own frame: the caption bar with its title, the home-page button and the
// minimise and close buttons, dragging by the caption, and the dotted two-colour outline.
#include "app/MainWindow.h"

#include "platform/ErrorBox.h"
#include "skin/FramePainter.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {
const QColor kLinkText(15, 15, 255);
constexpr int kCaptionButtons = 3; // minimise, maximise (always off), close
constexpr int kMinimiseButton = 0;
constexpr int kMaximiseButton = 1;
constexpr int kCloseButton = 2;

QPen dottedPen(const QColor& colour) {
    QPen pen(colour, 1);
    pen.setDashPattern({1.0, 1.0});
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}
} // namespace

QRect MainWindow::linkHitRect() const {
    return QRect(width() - kSmCxFrame - 3 * kSmCxSize - 120, kSmCyFrame + 2, 120, kSmCySize - 5);
}

QRect MainWindow::captionButtonRect(int index) const {
    const int buttonWidth = kSmCxSize - 2;
    const int buttonHeight = kSmCySize - 4;
    const int closeLeft = width() - kSmCxFrame - 2 - buttonWidth;
    const int left = index == kCloseButton ? closeLeft : closeLeft - 2 - buttonWidth * (2 - index);
    return QRect(left, kSmCyFrame + 2, buttonWidth, buttonHeight);
}

int MainWindow::captionButtonAt(const QPoint& point) const {
    for (int i = 0; i < kCaptionButtons; ++i)
        if (i != kMaximiseButton && captionButtonRect(i).contains(point))
            return i;
    return -1;
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFrame(painter);
    paintCaptionLink(painter);
    paintOutline(painter);
}

void MainWindow::paintFrame(QPainter& painter) {
    using namespace FramePainter;
    FramePainter::paintFrame(painter, rect());
    const QRect caption(kSmCxFrame, kSmCyFrame, width() - 2 * kSmCxFrame, kCaptionHeight - 1);
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPixelSize(12);
    const QRect titleRect(caption.left() + 4, caption.top(),
                          linkHitRect().left() - caption.left() - 8, caption.height());
    paintCaptionBar(painter, caption, isActiveWindow(), windowTitle(), titleFont, titleRect);

    // Minimise, maximise (off: the window has a fixed size) and close.
    for (int i = 0; i < kCaptionButtons; ++i) {
        const QRect r = captionButtonRect(i);
        const bool pressed = i == pressedCaptionButton_ && r.contains(lastCaptionPoint_);
        paintButtonFace(painter, r, pressed);
        const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
        painter.setPen(QPen(i == kMaximiseButton ? kShadow : kDarkShadow, 2));
        const QRect g = r.adjusted(4, 3, -5, -4).translated(shift);
        if (i == kMinimiseButton) {
            painter.drawLine(g.left(), g.bottom(), g.left() + 6, g.bottom());
        } else if (i == kMaximiseButton) {
            painter.setPen(QPen(kShadow, 1));
            painter.drawRect(g.adjusted(0, 0, -1, -1));
            painter.drawLine(g.left(), g.top() + 1, g.right() - 1, g.top() + 1);
        } else {
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.drawLine(g.topLeft() + QPoint(1, 0), g.bottomRight() + QPoint(-1, 0));
            painter.drawLine(g.bottomLeft() + QPoint(1, 0), g.topRight() + QPoint(-1, 0));
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
    }
}

void MainWindow::paintCaptionLink(QPainter& painter) {
    linkButtonRect =
        QRect(width() - kSmCxFrame - 3 * kSmCxSize - 120, kSmCyFrame + 1, 120, kSmCySize - 4);
    FramePainter::paintButtonFace(painter, linkButtonRect, linkPressed);
    QFont linkFont(QStringLiteral("DejaVu Sans"));
    linkFont.setPixelSize(9);
    linkFont.setBold(true);
    painter.setFont(linkFont);
    painter.setPen(kLinkText);
    const int p = linkPressed ? 1 : 0;
    const QString text = QString::fromLatin1(homePageAddress);
    const QFontMetrics metrics(linkFont);
    // The address is narrowed to fit the button when the font is too wide for it.
    const int room = linkButtonRect.width() - 6;
    const int advance = metrics.horizontalAdvance(text);
    const qreal squeeze = advance > room ? qreal(room) / advance : 1.0;
    const int textWidth = qRound(advance * squeeze);
    const int x = (linkButtonRect.left() + linkButtonRect.right() - textWidth) / 2 + p;
    const int y = (linkButtonRect.top() + linkButtonRect.bottom() - metrics.height()) / 2 + p;
    painter.save();
    painter.setClipRect(linkButtonRect.adjusted(2, 2, -2, -2));
    painter.translate(x, y + metrics.ascent());
    painter.scale(squeeze, 1.0);
    painter.drawText(QPoint(0, 0), text);
    painter.restore();
}

void MainWindow::paintOutline(QPainter& painter) {
    const int w = width();
    const int h = height();
    // The rectangles (1, 0)-(w - 1, h) and (0, 1)-(w, h - 1), right and bottom edges
    // exclusive; a drawn rectangle's outline covers its width plus one pixel.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(dottedPen(QColor(255, 0, 0)));
    painter.drawRect(QRect(1, 0, w - 3, h - 1));
    painter.setPen(dottedPen(QColor(0, 0, 255)));
    painter.drawRect(QRect(0, 1, w - 1, h - 3));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    lastCaptionPoint_ = point;
    if (linkHitRect().contains(point)) {
        linkPressed = !linkPressed;
        linkPressStarted_ = true;
        update(linkButtonRect);
        return;
    }
    pressedCaptionButton_ = captionButtonAt(point);
    if (pressedCaptionButton_ >= 0) {
        update();
        return;
    }
    if (point.y() < kSmCyFrame + kCaptionHeight) {
        drag_.start(this, event);
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    lastCaptionPoint_ = point;
    if (drag_.follow(this, event))
        return;
    // Leaving the home-page button while it is held raises it.
    if (linkPressed && !linkHitRect().contains(point)) {
        linkPressed = false;
        update(linkButtonRect);
    }
    if (pressedCaptionButton_ >= 0)
        update(captionButtonRect(pressedCaptionButton_));
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    drag_.stop();
    const bool overLink = linkPressStarted_ && linkHitRect().contains(point);
    linkPressStarted_ = false;
    if (linkPressed) {
        linkPressed = false;
        update(linkButtonRect);
    }
    const int button = pressedCaptionButton_;
    pressedCaptionButton_ = -1;
    if (button >= 0) {
        update();
        if (captionButtonAt(point) == button) {
            if (button == kCloseButton)
                close();
            else
                showMinimized();
        }
        return;
    }
    if (overLink)
        runReportingErrors([this] { visitHomePage(); });
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A new title or another activation state repaints the caption bar, button included.
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowTitleChange)
        update(0, 0, width(), kSmCyFrame + kCaptionHeight);
}
