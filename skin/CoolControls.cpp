#include "skin/CoolControls.h"

#include "platform/Cp1251.h"
#include "skin/EdgeLines.h"
#include "skin/PaintBands.h"
#include "skin/RoundButtonParts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
const QColor kHighlight(255, 255, 255);
const QColor kButtonShadow(128, 128, 128);
const QColor kWindowFrame(0, 0, 0);
const QColor kButtonFace(192, 192, 192);

int alignmentFlags(Qt::Alignment alignment) {
    return static_cast<int>(alignment) | Qt::TextSingleLine;
}
} // namespace

QFont coolFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void paintWallpaper(QPainter& painter, const QRect& rect, const QPixmap& wallpaper,
                    const QColor& color) {
    if (wallpaper.isNull()) {
        paintInBands(painter, rect, [&](const QRect& band, int) { painter.fillRect(band, color); });
        return;
    }
    // Qt takes a tile offset modulo the picture's size in its own pixels: the copies stay in
    // step from band to band only when that size holds whole copies in logical pixels.
    const double ratio = wallpaper.devicePixelRatio();
    if (ratio != std::round(ratio)) {
        painter.drawTiledPixmap(rect, wallpaper);
        return;
    }
    paintInBands(painter, rect, [&](const QRect& band, int fromTop) {
        painter.drawTiledPixmap(band, wallpaper, QPoint(0, fromTop));
    });
}

void paintShadowedText(QPainter& painter, const QRect& rect, int flags, const QString& text,
                       const CoolTextStyle& style, bool enabled) {
    if (text.isEmpty())
        return;
    if (!enabled) {
        painter.setPen(kHighlight);
        painter.drawText(rect.translated(1, 1), flags, text);
        painter.setPen(kButtonShadow);
        painter.drawText(rect, flags, text);
        return;
    }
    if (style.simpleView) {
        painter.setPen(style.fontColor);
        painter.drawText(rect, flags, text);
        return;
    }
    const int s = style.shadowSize;
    QPoint textShift, shadowShift;
    switch (style.shadowPos) {
    case ShadowPos::LeftTop:
        textShift = QPoint(s, s);
        break;
    case ShadowPos::RightBottom:
        shadowShift = QPoint(s, s);
        break;
    case ShadowPos::LeftBottom:
        textShift = QPoint(s, 0);
        shadowShift = QPoint(0, s);
        break;
    case ShadowPos::RightTop:
        textShift = QPoint(0, s);
        shadowShift = QPoint(s, 0);
        break;
    }
    painter.setPen(style.shadowColor);
    painter.drawText(rect.translated(shadowShift), flags, text);
    painter.setPen(style.fontColor);
    painter.drawText(rect.translated(textShift), flags, text);
}

void paintBevel(QPainter& painter, const QRect& rect, BevelKind kind, int inset) {
    if (kind == BevelKind::None)
        return;
    const QColor topLeft = kind == BevelKind::Raised ? kHighlight : kButtonShadow;
    const QColor bottomRight = kind == BevelKind::Raised ? kButtonShadow : kHighlight;
    const QTransform toDevice = painter.deviceTransform();
    if (toDevice.type() == QTransform::TxScale && toDevice.m11() == toDevice.m22()) {
        // The rectangle's outer boundary is rounded to device pixels once, and the edges are
        // counted inwards from it in whole lines: rounding each edge alone would make the
        // lines 1 and 2 pixels wide in turn at 150%.
        const int line = std::max(1, qRound(toDevice.m11()));
        const QRectF area = toDevice.mapRect(
            QRectF(rect.left(), rect.top(), rect.width() + 1.0, rect.height() + 1.0));
        const int left = qRound(area.left()) + inset * line;
        const int top = qRound(area.top()) + inset * line;
        const int right = qRound(area.right()) - inset * line;
        const int bottom = qRound(area.bottom()) - inset * line;
        if (right - left < line || bottom - top < line)
            return;
        painter.save();
        // Device pixels: undo the whole transform, the screen's scale included, which
        // resetTransform() would keep.
        painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
        painter.fillRect(QRect(left, top, right - left, line), topLeft);
        painter.fillRect(QRect(left, top, line, bottom - top), topLeft);
        painter.fillRect(QRect(left, bottom - line, right - left, line), bottomRight);
        painter.fillRect(QRect(right - line, top, line, bottom - top), bottomRight);
        painter.restore();
        return;
    }
    paintEdgeLines(painter, rect.adjusted(inset, inset, -inset, -inset), topLeft, bottomRight);
}

// --- CoolLabel --------------------------------------------------------------------------

namespace {
// Screen readers take a label for static text and read its caption as its name.
QAccessibleInterface* labelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(CoolLabel::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    return nullptr;
}
} // namespace

CoolLabel::CoolLabel(QWidget* parent) : CoolTextControl<QWidget>(parent) {
    static const bool registered = [] {
        QAccessible::installFactory(labelAccessible);
        return true;
    }();
    Q_UNUSED(registered);
}

void CoolLabel::setTransparent(bool transparent) {
    assign(transparent_, transparent);
}
void CoolLabel::setBevels(BevelKind inner, BevelKind outer) {
    bevelInner_ = inner;
    bevelOuter_ = outer;
    update();
}
void CoolLabel::setAlignment(Qt::Alignment alignment) {
    assign(alignment_, alignment);
}
void CoolLabel::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}
void CoolLabel::setColor(const QColor& color) {
    assign(color_, color);
}
void CoolLabel::setElided(bool elided) {
    assign(elided_, elided);
}

QRect CoolLabel::textRect() const {
    QRect r = rect();
    if (bevelOuter_ != BevelKind::None)
        r.adjust(1, 1, -1, -1);
    if (bevelInner_ != BevelKind::None)
        r.adjust(1, 1, -1, -1);
    return r;
}

QString CoolLabel::shownText() const {
    const QString text = cp1251ToUnicode(caption_);
    if (!elided_)
        return text;
    const int room = textRect().width() - (style_.simpleView ? 0 : style_.shadowSize);
    return QFontMetrics(font()).elidedText(text, Qt::ElideRight, room);
}

void CoolLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect r = rect();
    if (!transparent_)
        paintWallpaper(painter, r, wallpaper_, color_);
    const QRect edge = r.adjusted(0, 0, -1, -1);
    paintBevel(painter, edge, bevelOuter_);
    paintBevel(painter, edge, bevelInner_, bevelOuter_ != BevelKind::None ? 1 : 0);
    painter.setFont(font());
    paintShadowedText(painter, textRect(), alignmentFlags(alignment_), shownText(), style_,
                      isEnabled());
}

// --- CoolButton ----------------------------------------------------------------------------

CoolButton::CoolButton(QWidget* parent) : CoolTextControl<QAbstractButton>(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void CoolButton::setRounded(bool rounded) {
    assign(rounded_, rounded);
}
void CoolButton::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}

void CoolButton::setGradient(const QColor& start, const QColor& end) {
    gradient_ = true;
    gradientStart_ = start;
    gradientEnd_ = end;
    update();
}

int64_t CoolButton::faceKey() const {
    if (gradient_)
        return -1 - ((int64_t(gradientStart_.rgb() & 0xffffff) << 24) |
                     int64_t(gradientEnd_.rgb() & 0xffffff));
    return wallpaper_.isNull() ? 0 : wallpaper_.cacheKey();
}

void CoolButton::paintFace(QPainter& painter, const QRect& rect) const {
    if (!gradient_) {
        paintWallpaper(painter, rect, wallpaper_, kButtonFace);
        return;
    }
    constexpr int kSteps = 128;
    const int w = rect.width();
    const auto channel = [](int from, int to, int n) {
        return from + static_cast<int>(std::lround(double(n) * (to - from) / kSteps));
    };
    for (int n = 0; n <= kSteps; ++n) {
        const int left = static_cast<int>(std::lround(double(n) * w / kSteps));
        const int right = static_cast<int>(std::lround(double(n + 1) * w / kSteps));
        const QColor colour(channel(gradientStart_.red(), gradientEnd_.red(), n),
                            channel(gradientStart_.green(), gradientEnd_.green(), n),
                            channel(gradientStart_.blue(), gradientEnd_.blue(), n));
        painter.fillRect(QRect(rect.left() + left, rect.top(), right - left, rect.height()),
                         colour);
    }
}

void CoolButton::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button());
    QAbstractButton::mousePressEvent(event);
}

void CoolButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second press is a second click, not a double click.
    mousePressEvent(event);
}

QFont CoolButton::captionFont() const {
    return rowFont_ ? *rowFont_ : ownCaptionFont();
}

QFont CoolButton::ownCaptionFont() const {
    // The shadow takes room beside the text as well.
    const int room = width() - 2 * kCaptionMargin - (style_.simpleView ? 0 : style_.shadowSize);
    if (fitted_ && fitted_->room == room && fitted_->caption == caption_ && fitted_->font == font())
        return fitted_->fitted;
    fitted_ = FittedCaption{caption_, font(), room, fittedCaptionFont(room)};
    return fitted_->fitted;
}

QFont CoolButton::fittedCaptionFont(int room) const {
    const QString text = cp1251ToUnicode(caption_);
    // A single letter (the palette's) is measured without shaping a text around it.
    const auto fits = [&](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        return (text.size() == 1 ? metrics.horizontalAdvance(text.front())
                                 : metrics.horizontalAdvance(text)) <= room;
    };
    QFont candidate = font();
    if (text.isEmpty() || fits(candidate))
        return candidate;
    candidate.setStretch(QFont::Condensed);
    for (int size = candidate.pixelSize(); size > kSmallestCaptionPixels && !fits(candidate);)
        candidate.setPixelSize(--size);
    return candidate;
}

void fitCaptionFonts(std::initializer_list<CoolButton*> row) {
    // A font without a set stretch is drawn unstretched.
    const auto stretch = [](const QFont& font) {
        return font.stretch() == QFont::AnyStretch ? int(QFont::Unstretched) : font.stretch();
    };
    std::optional<QFont> smallest;
    for (const CoolButton* button : row) {
        const QFont own = button->ownCaptionFont();
        if (!smallest || own.pixelSize() < smallest->pixelSize() ||
            (own.pixelSize() == smallest->pixelSize() && stretch(own) < stretch(*smallest)))
            smallest = own;
    }
    for (CoolButton* button : row) {
        button->rowFont_ = smallest;
        button->update();
    }
}

bool CoolButton::hitButton(const QPoint& pos) const {
    if (!rounded_)
        return QAbstractButton::hitButton(pos);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(rect()));
    return ellipse.contains(QPointF(pos));
}

void CoolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool pressed = isDown();
    const QRect r = rect();
    if (rounded_) {
        // The corners show the parent's background, which Qt already painted behind us.
        paintRoundFace(painter, r, faceKey(),
                       [this](QPainter& face, const QRect& area) { paintFace(face, area); });
        paintRoundRim(painter, r, pressed);
    } else {
        paintFace(painter, r);
        const QRect edge = r.adjusted(0, 0, -1, -1);
        if (pressed) {
            paintBevel(painter, edge, BevelKind::Lowered);
        } else {
            painter.setPen(kWindowFrame);
            painter.drawLine(edge.bottomLeft(), edge.bottomRight());
            painter.drawLine(edge.topRight(), edge.bottomRight());
            paintBevel(painter, edge.adjusted(0, 0, -1, -1), BevelKind::Raised);
        }
    }
    painter.setFont(captionFont());
    const QRect textRect = pressed ? r.translated(1, 1) : r;
    paintShadowedText(painter, textRect, Qt::AlignCenter | Qt::TextSingleLine,
                      cp1251ToUnicode(caption_), style_, isEnabled());
    if (hasFocus())
        paintFocusMark(painter,
                       r.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1),
                       rounded_);
}

void paintFocusMark(QPainter& painter, const QRect& rect, bool round) {
    // Dots of black and white alternate, so the mark shows on any face.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, round);
    painter.setBrush(Qt::NoBrush);
    for (const auto& [colour, offset] : {std::pair{QColor(Qt::white), 0}, {QColor(Qt::black), 2}}) {
        QPen pen(colour, 1, Qt::CustomDashLine);
        pen.setDashPattern({2, 2});
        pen.setDashOffset(offset);
        painter.setPen(pen);
        if (round)
            painter.drawEllipse(QRectF(rect).adjusted(0.5, 0.5, 0.5, 0.5));
        else
            painter.drawRect(rect);
    }
    painter.restore();
}

// --- CoolPanel, CoolBevel, CoolClientArea ------------------------------------------------

CoolPanel::CoolPanel(QWidget* parent) : QWidget(parent) {}

void CoolPanel::setBevels(BevelKind inner, BevelKind outer) {
    bevelInner_ = inner;
    bevelOuter_ = outer;
    update();
}
void CoolPanel::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}

void CoolPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintWallpaper(painter, rect(), wallpaper_, kButtonFace);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    paintBevel(painter, r, bevelOuter_);
    paintBevel(painter, r, bevelInner_, bevelOuter_ != BevelKind::None ? 1 : 0);
}

CoolBevel::CoolBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CoolBevel::setKind(BevelKind kind) {
    if (kind_ == kind)
        return;
    kind_ = kind;
    update();
}

void CoolBevel::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}

void CoolBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!wallpaper_.isNull())
        paintWallpaper(painter, rect(), wallpaper_, kButtonFace);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    paintBevel(painter, r, kind_);
    paintBevel(painter, r, kind_ == BevelKind::Raised ? BevelKind::Lowered : BevelKind::Raised, 1);
}

CoolClientArea::CoolClientArea(QWidget* parent) : QWidget(parent) {}

void CoolClientArea::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}

void CoolClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintWallpaper(painter, rect(), wallpaper_, palette().color(QPalette::Window));
}
