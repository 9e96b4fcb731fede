// The main window's own frame: the caption bar with its title, the home-page button and the
// minimise and close buttons, dragging by the caption, and the dotted two-colour outline.
#include "app/CaptionBar.h"

#include "app/WindowMetrics.h"
#include "skin/FramePainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

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

QRect CaptionBar::linkHitRect() const {
    return QRect(window_.width() - kSmCxFrame - 3 * kSmCxSize - 120, kSmCyFrame + 2, 120,
                 kSmCySize - 5);
}

QRect CaptionBar::buttonRect(int index) const {
    const int buttonWidth = kSmCxSize - 2;
    const int buttonHeight = kSmCySize - 4;
    const int closeLeft = window_.width() - kSmCxFrame - 2 - buttonWidth;
    const int left = index == kCloseButton ? closeLeft : closeLeft - 2 - buttonWidth * (2 - index);
    return QRect(left, kSmCyFrame + 2, buttonWidth, buttonHeight);
}

int CaptionBar::buttonAt(const QPoint& point) const {
    for (int i = 0; i < kCaptionButtons; ++i)
        if (i != kMaximiseButton && buttonRect(i).contains(point))
            return i;
    return -1;
}

void CaptionBar::paint(QPainter& painter) {
    paintFrame(painter);
    paintCaptionLink(painter);
    paintOutline(painter);
}

void CaptionBar::paintFrame(QPainter& painter) {
    using namespace FramePainter;
    FramePainter::paintFrame(painter, window_.rect());
    const QRect caption(kSmCxFrame, kSmCyFrame, window_.width() - 2 * kSmCxFrame,
                        kCaptionHeight - 1);
    QFont titleFont = window_.font();
    titleFont.setBold(true);
    titleFont.setPixelSize(12);
    const QRect titleRect(caption.left() + 4, caption.top(),
                          linkHitRect().left() - caption.left() - 8, caption.height());
    paintCaptionBar(painter, caption, window_.isActiveWindow(), window_.windowTitle(), titleFont,
                    titleRect);

    // Minimise, maximise (off: the window has a fixed size) and close.
    for (int i = 0; i < kCaptionButtons; ++i) {
        const QRect r = buttonRect(i);
        const bool pressed = i == pressedButton_ && r.contains(lastPoint_);
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

void CaptionBar::paintCaptionLink(QPainter& painter) {
    linkButtonRect_ = QRect(window_.width() - kSmCxFrame - 3 * kSmCxSize - 120, kSmCyFrame + 1, 120,
                            kSmCySize - 4);
    FramePainter::paintButtonFace(painter, linkButtonRect_, linkPressed_);
    QFont linkFont(QStringLiteral("DejaVu Sans"));
    linkFont.setPixelSize(9);
    linkFont.setBold(true);
    painter.setFont(linkFont);
    painter.setPen(kLinkText);
    const int p = linkPressed_ ? 1 : 0;
    const QString text = linkText_;
    const QFontMetrics metrics(linkFont);
    // The address is narrowed to fit the button when the font is too wide for it.
    const int room = linkButtonRect_.width() - 6;
    const int advance = metrics.horizontalAdvance(text);
    const qreal squeeze = advance > room ? qreal(room) / advance : 1.0;
    const int textWidth = qRound(advance * squeeze);
    const int x = (linkButtonRect_.left() + linkButtonRect_.right() - textWidth) / 2 + p;
    const int y = (linkButtonRect_.top() + linkButtonRect_.bottom() - metrics.height()) / 2 + p;
    painter.save();
    painter.setClipRect(linkButtonRect_.adjusted(2, 2, -2, -2));
    painter.translate(x, y + metrics.ascent());
    painter.scale(squeeze, 1.0);
    painter.drawText(QPoint(0, 0), text);
    painter.restore();
}

void CaptionBar::paintOutline(QPainter& painter) {
    const int w = window_.width();
    const int h = window_.height();
    // The rectangles (1, 0)-(w - 1, h) and (0, 1)-(w, h - 1), right and bottom edges
    // exclusive; a drawn rectangle's outline covers its width plus one pixel.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(dottedPen(QColor(255, 0, 0)));
    painter.drawRect(QRect(1, 0, w - 3, h - 1));
    painter.setPen(dottedPen(QColor(0, 0, 255)));
    painter.drawRect(QRect(0, 1, w - 1, h - 3));
}

void CaptionBar::press(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    lastPoint_ = point;
    if (linkHitRect().contains(point)) {
        linkPressed_ = !linkPressed_;
        linkPressStarted_ = true;
        window_.update(linkButtonRect_);
        return;
    }
    pressedButton_ = buttonAt(point);
    if (pressedButton_ >= 0) {
        window_.update();
        return;
    }
    if (point.y() < kSmCyFrame + kCaptionHeight) {
        drag_.start(&window_, event);
    }
}

void CaptionBar::move(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    lastPoint_ = point;
    if (drag_.follow(&window_, event))
        return;
    // Leaving the home-page button while it is held raises it.
    if (linkPressed_ && !linkHitRect().contains(point)) {
        linkPressed_ = false;
        window_.update(linkButtonRect_);
    }
    if (pressedButton_ >= 0)
        window_.update(buttonRect(pressedButton_));
}

CaptionBar::Command CaptionBar::release(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    drag_.stop();
    const bool overLink = linkPressStarted_ && linkHitRect().contains(point);
    linkPressStarted_ = false;
    if (linkPressed_) {
        linkPressed_ = false;
        window_.update(linkButtonRect_);
    }
    const int button = pressedButton_;
    pressedButton_ = -1;
    if (button >= 0) {
        window_.update();
        if (buttonAt(point) != button)
            return Command::None;
        return button == kCloseButton ? Command::Close : Command::Minimise;
    }
    return overLink ? Command::VisitHomePage : Command::None;
}

QRect CaptionBar::captionRect() const {
    return QRect(0, 0, window_.width(), kSmCyFrame + kCaptionHeight);
}
