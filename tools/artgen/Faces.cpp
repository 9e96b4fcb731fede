// The computer's face: a small beige desktop computer whose screen shows a face drawn in
// glowing green phosphor lines. Every expression is a set of parameters for one drawing, so
// the character stays the same throughout and only its pose and features change.
#include "ArtCommon.h"
#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 70;
constexpr int kScale = 4; // drawn at 4× and reduced, for clean edges at the small size

const QColor kPhosphor(150, 255, 170);
const QColor kOutline(84, 68, 50);
const QColor kYellow(255, 226, 64);

const QRectF kCasing(21, 5, 58, 47);
const QRectF kScreen(25, 9, 50, 34);
const QPointF kPivot(50, 58); // the neck, about which the computer turns and tilts
const QPointF kLeftEye(40, 24);
const QPointF kRightEye(60, 24);
constexpr double kEyeRadiusX = 5.5;
constexpr double kEyeRadiusY = 6.5;
constexpr double kBrowY = 14.5;
constexpr double kMouthY = 35.0;

enum class Eye { Open, HalfLid, Happy, Squeeze };
enum class Mouth { Smile, Flat, Frown, SmallO, Smirk, Open, Hmm };
enum class Led { Green, Amber, Red, Off };

struct Brow {
    bool shown = false;
    double lift = 0; // upwards, pixels
    double tilt = 0; // degrees; positive raises the brow's inner end
};

struct Expression {
    // Pose of the computer: shift and turn about the neck.
    double dx = 0;
    double dy = 0;
    double angle = 0;
    // Eyes: shape, openness (1 = round), gaze in [-1, 1] each way.
    Eye eye = Eye::Open;
    double openness = 1.0;
    double gazeX = 0;
    double gazeY = 0;
    double lid = 0.45; // HalfLid: the part of the eye covered from the top
    Brow left;
    Brow right;
    Mouth mouth = Mouth::Smile;
    double curve = 3.0; // Smile/Frown: depth of the curve; Open: height of the mouth
    double mouthWidth = 18;
    double mouthShift = 0;
    bool tongue = false;
    Led led = Led::Green;
    double screenGlow = 1.0;
    // Extras around the computer.
    bool tear = false;
    bool sweat = false;
    bool question = false;
    int thinkingSide = 0; // -1 bubbles rise on the left, +1 on the right
    int motionSide = 0;   // -1 or +1: lines showing a quick turn towards that side
    QString laughLeft;    // text beside the computer
    QString laughRight;
    bool sparkles = false;
};

QPainterPath roundRect(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void drawBackground(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(60, 92, 128));
    sky.setColorAt(0.85, QColor(30, 46, 74));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), sky);
    QRadialGradient halo(QPointF(50, 30), 46);
    halo.setColorAt(0.0, QColor(140, 190, 230, 90));
    halo.setColorAt(1.0, QColor(140, 190, 230, 0));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), halo);
    // The desk: warm wood, in the colours of the stone wall around the frame.
    QLinearGradient desk(0, 62, 0, kHeight);
    desk.setColorAt(0.0, QColor(150, 104, 66));
    desk.setColorAt(0.15, QColor(120, 82, 52));
    desk.setColorAt(1.0, QColor(78, 52, 34));
    p.fillRect(QRectF(0, 62, kWidth, kHeight - 62), desk);
    p.setPen(QPen(QColor(190, 140, 96), 0.6));
    p.drawLine(QPointF(0, 62.3), QPointF(kWidth, 62.3));
}

void drawStandBase(QPainter& p) {
    QLinearGradient g(0, 58, 0, 65);
    g.setColorAt(0, QColor(226, 214, 184));
    g.setColorAt(1, QColor(168, 152, 120));
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(g);
    p.drawPath(roundRect(QRectF(33, 58.5, 34, 6.5), 3.2));
    // Shadow of the base on the desk.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QRectF(30, 64, 40, 3));
}

void drawCasing(QPainter& p, const Expression& e) {
    // Neck first, so that the casing and the base cover its ends.
    QLinearGradient neck(44, 0, 56, 0);
    neck.setColorAt(0, QColor(200, 186, 152));
    neck.setColorAt(0.4, QColor(230, 220, 192));
    neck.setColorAt(1, QColor(164, 148, 116));
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(neck);
    p.drawRect(QRectF(44.5, 48, 11, 14));

    QLinearGradient body(kCasing.topLeft(), kCasing.bottomRight());
    body.setColorAt(0.0, QColor(242, 234, 210));
    body.setColorAt(0.55, QColor(222, 208, 174));
    body.setColorAt(1.0, QColor(184, 166, 130));
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(body);
    p.drawPath(roundRect(kCasing, 7));
    // A highlight along the top edge of the casing.
    p.setPen(QPen(QColor(255, 252, 238, 200), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(27, 6.4), QPointF(73, 6.4));
    // The recess around the screen.
    p.setPen(QPen(QColor(150, 134, 104), 1.2));
    p.setBrush(QColor(176, 160, 126));
    p.drawPath(roundRect(kScreen.adjusted(-1.5, -1.5, 1.5, 1.5), 5.5));

    // Vents and the power light below the screen.
    p.setPen(QPen(QColor(140, 124, 96), 0.9, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(28 + 3.2 * i, 46.2), QPointF(28 + 3.2 * i, 48.8));
    QColor led;
    switch (e.led) {
    case Led::Green:
        led = QColor(80, 240, 90);
        break;
    case Led::Amber:
        led = QColor(255, 170, 30);
        break;
    case Led::Red:
        led = QColor(255, 60, 50);
        break;
    case Led::Off:
        led = QColor(90, 80, 60);
        break;
    }
    if (e.led != Led::Off) {
        QRadialGradient glow(QPointF(70.5, 47.5), 3.2);
        QColor halo = led;
        halo.setAlpha(150);
        glow.setColorAt(0, halo);
        halo.setAlpha(0);
        glow.setColorAt(1, halo);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(70.5, 47.5), 3.2, 3.2);
    }
    p.setPen(QPen(kOutline, 0.5));
    p.setBrush(led);
    p.drawEllipse(QPointF(70.5, 47.5), 1.3, 1.3);
}

// The glass: dark green, brighter in the middle, with faint scan lines.
void drawScreen(QPainter& p, const Expression& e) {
    QRadialGradient glass(kScreen.center(), 34);
    glass.setColorAt(0.0, scaled(QColor(24, 70, 42), e.screenGlow));
    glass.setColorAt(1.0, scaled(QColor(6, 22, 14), e.screenGlow));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawPath(roundRect(kScreen, 5));
}

void drawGlassOverlay(QPainter& p) {
    p.save();
    p.setClipPath(roundRect(kScreen, 5), Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 34));
    for (double y = kScreen.top() + 0.5; y < kScreen.bottom(); y += 2.0)
        p.drawRect(QRectF(kScreen.left(), y, kScreen.width(), 1.0));
    // Reflection of a window on the curved glass.
    QPainterPath gloss;
    gloss.moveTo(kScreen.left(), kScreen.top() + 13);
    gloss.quadTo(kScreen.left() + 4, kScreen.top() + 2, kScreen.left() + 18, kScreen.top());
    gloss.lineTo(kScreen.left() + 26, kScreen.top());
    gloss.quadTo(kScreen.left() + 8, kScreen.top() + 4, kScreen.left(), kScreen.top() + 20);
    gloss.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawPath(gloss);
    p.restore();
}

QPen phosphorPen(double width) {
    return QPen(kPhosphor, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawEye(QPainter& p, const Expression& e, const QPointF& c, bool isLeft) {
    const double rx = kEyeRadiusX;
    const double ry = kEyeRadiusY * e.openness;
    switch (e.eye) {
    case Eye::Open:
    case Eye::HalfLid: {
        const QRectF ball(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry);
        QPainterPath ballPath;
        ballPath.addEllipse(ball);
        p.save();
        p.setClipPath(ballPath, Qt::IntersectClip);
        const QPointF pupil(c.x() + e.gazeX * (rx - 2.6), c.y() + e.gazeY * (ry - 2.6));
        p.setPen(Qt::NoPen);
        p.setBrush(kPhosphor);
        p.drawEllipse(pupil, 2.6, 2.6);
        if (e.eye == Eye::HalfLid) {
            // The lid: a filled band from the top of the eye, its edge a gentle curve.
            const double edge = ball.top() + e.lid * ball.height();
            QPainterPath lid;
            lid.moveTo(ball.left() - 1, ball.top() - 1);
            lid.lineTo(ball.right() + 1, ball.top() - 1);
            lid.lineTo(ball.right() + 1, edge + (isLeft ? -0.6 : 0.6));
            lid.lineTo(ball.left() - 1, edge + (isLeft ? 0.6 : -0.6));
            lid.closeSubpath();
            p.setBrush(QColor(20, 60, 36));
            p.drawPath(lid);
            p.setPen(phosphorPen(1.4));
            p.drawLine(QPointF(ball.left() - 1, edge + (isLeft ? 0.6 : -0.6)),
                       QPointF(ball.right() + 1, edge + (isLeft ? -0.6 : 0.6)));
        }
        p.restore();
        p.setPen(phosphorPen(1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(ball);
        break;
    }
    case Eye::Happy: {
        QPainterPath arc;
        arc.moveTo(c.x() - rx, c.y() + 2.0);
        arc.cubicTo(c.x() - rx * 0.6, c.y() - 4.5, c.x() + rx * 0.6, c.y() - 4.5, c.x() + rx,
                    c.y() + 2.0);
        p.setPen(phosphorPen(1.9));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        break;
    }
    case Eye::Squeeze: {
        // ">" for the left eye and "<" for the right: eyes shut tight with laughter.
        const double s = isLeft ? 1 : -1;
        QPainterPath chevron;
        chevron.moveTo(c.x() - s * rx * 0.8, c.y() - 4);
        chevron.lineTo(c.x() + s * rx * 0.8, c.y());
        chevron.lineTo(c.x() - s * rx * 0.8, c.y() + 4);
        p.setPen(phosphorPen(1.9));
        p.setBrush(Qt::NoBrush);
        p.drawPath(chevron);
        break;
    }
    }
}

void drawBrow(QPainter& p, const Brow& b, const QPointF& eye, bool isLeft) {
    if (!b.shown)
        return;
    constexpr double kHalf = 4.6;
    const double inward = isLeft ? 1 : -1; // the inner end lies towards the nose
    const double rad = b.tilt * 3.14159265358979 / 180.0;
    const QPointF centre(eye.x(), kBrowY - b.lift);
    const QPointF inner(centre.x() + inward * kHalf * std::cos(rad),
                        centre.y() - kHalf * std::sin(rad));
    const QPointF outer(centre.x() - inward * kHalf * std::cos(rad),
                        centre.y() + kHalf * std::sin(rad));
    p.setPen(phosphorPen(1.8));
    p.drawLine(outer, inner);
}

void drawMouth(QPainter& p, const Expression& e) {
    const double half = e.mouthWidth / 2;
    const double cx = 50 + e.mouthShift;
    const double y = kMouthY;
    p.setBrush(Qt::NoBrush);
    p.setPen(phosphorPen(1.8));
    switch (e.mouth) {
    case Mouth::Smile:
    case Mouth::Frown: {
        const double depth = e.mouth == Mouth::Smile ? e.curve : -e.curve;
        QPainterPath path;
        path.moveTo(cx - half, y - depth / 2);
        path.quadTo(cx, y + depth * 1.5, cx + half, y - depth / 2);
        p.drawPath(path);
        break;
    }
    case Mouth::Flat:
        p.drawLine(QPointF(cx - half, y), QPointF(cx + half, y));
        break;
    case Mouth::Hmm: {
        QPainterPath path;
        path.moveTo(cx - half, y + 1.0);
        path.cubicTo(cx - half / 3, y - 1.5, cx + half / 3, y + 2.0, cx + half, y - 1.2);
        p.drawPath(path);
        break;
    }
    case Mouth::SmallO:
        p.drawEllipse(QPointF(cx, y), 2.6, 3.0);
        break;
    case Mouth::Smirk: {
        QPainterPath path;
        path.moveTo(cx - half, y + 0.5);
        path.quadTo(cx + half * 0.2, y + 2.4, cx + half, y - 3.2);
        p.drawPath(path);
        p.drawLine(QPointF(cx + half - 0.6, y - 3.6), QPointF(cx + half + 1.0, y - 2.8));
        break;
    }
    case Mouth::Open: {
        // A wide "D": a straight top lip and a deep round bottom.
        QPainterPath path;
        path.moveTo(cx - half, y - 2.5);
        path.quadTo(cx, y - 1.0, cx + half, y - 2.5);
        path.cubicTo(cx + half * 0.9, y - 2.5 + e.curve, cx - half * 0.9, y - 2.5 + e.curve,
                     cx - half, y - 2.5);
        path.closeSubpath();
        p.setBrush(QColor(10, 40, 22));
        p.drawPath(path);
        if (e.tongue) {
            p.save();
            p.setClipPath(path, Qt::IntersectClip);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(90, 200, 110));
            p.drawEllipse(QPointF(cx + 1.5, y - 2.5 + e.curve * 0.85), half * 0.45, e.curve * 0.35);
            p.restore();
        }
        // Teeth: a short bright band under the top lip.
        p.save();
        p.setClipPath(path, Qt::IntersectClip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 255, 170, 200));
        p.drawRect(QRectF(cx - half, y - 3.0, 2 * half, 1.9));
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(phosphorPen(1.6));
        p.drawPath(path);
        break;
    }
    }
}

void drawFeatures(QPainter& p, const Expression& e) {
    drawEye(p, e, kLeftEye, true);
    drawEye(p, e, kRightEye, false);
    drawBrow(p, e.left, kLeftEye, true);
    drawBrow(p, e.right, kRightEye, false);
    drawMouth(p, e);
    if (e.tear) {
        QPainterPath drop;
        const QPointF t(kLeftEye.x() - 4.0, kLeftEye.y() + 9.0);
        drop.moveTo(t.x(), t.y() - 3.2);
        drop.cubicTo(t.x() + 0.6, t.y() - 1.5, t.x() + 2.0, t.y() - 0.2, t.x() + 2.0, t.y() + 1.0);
        drop.cubicTo(t.x() + 2.0, t.y() + 2.6, t.x() - 2.0, t.y() + 2.6, t.x() - 2.0, t.y() + 1.0);
        drop.cubicTo(t.x() - 2.0, t.y() - 0.2, t.x() - 0.6, t.y() - 1.5, t.x(), t.y() - 3.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 230, 255));
        p.drawPath(drop);
    }
}

// The features with their phosphor glow: a blurred copy under the sharp lines.
void drawGlowingFeatures(QPainter& target, const QTransform& pose, const Expression& e, int ratio) {
    const int scale = kScale * ratio;
    QImage layer(kWidth * scale, kHeight * scale, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.setTransform(pose, true);
        drawFeatures(p, e);
    }
    QImage glow = layer;
    blur(glow, 5 * ratio);
    target.save();
    target.resetTransform();
    QPainterPath clip = roundRect(kScreen, 5);
    QTransform full = pose * QTransform::fromScale(scale, scale);
    target.setClipPath(full.map(clip));
    target.setCompositionMode(QPainter::CompositionMode_Plus);
    target.setOpacity(0.9);
    target.drawImage(0, 0, glow);
    target.setCompositionMode(QPainter::CompositionMode_SourceOver);
    target.setOpacity(1.0);
    target.drawImage(0, 0, layer);
    target.restore();
}

void drawOutlinedText(QPainter& p, const QPointF& at, const QString& text, int pixelSize,
                      double angle, const QColor& fill) {
    QPainterPath path;
    path.addText(0, 0, artFont(pixelSize, true), text);
    const QRectF box = path.boundingRect();
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.translate(-box.center());
    p.setPen(QPen(QColor(60, 36, 10), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void drawSparkle(QPainter& p, const QPointF& c, double size) {
    QPainterPath star;
    star.moveTo(c.x(), c.y() - size);
    star.quadTo(c.x(), c.y(), c.x() + size, c.y());
    star.quadTo(c.x(), c.y(), c.x(), c.y() + size);
    star.quadTo(c.x(), c.y(), c.x() - size, c.y());
    star.quadTo(c.x(), c.y(), c.x(), c.y() - size);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 200));
    p.drawPath(star);
}

void drawExtrasBehind(QPainter& p, const Expression& e) {
    if (e.motionSide != 0) {
        // Quick arcs on the side the computer turns away from.
        const double s = e.motionSide;
        const double x = s > 0 ? 14 : 86;
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            p.setPen(QPen(QColor(230, 240, 255, 200 - 50 * i), 1.3, Qt::SolidLine, Qt::RoundCap));
            QPainterPath arc;
            const double ox = x - s * 4.0 * i;
            arc.moveTo(ox, 14 + 2 * i);
            arc.quadTo(ox - s * 3.5, 27, ox, 40 - 2 * i);
            p.drawPath(arc);
        }
    }
    if (e.thinkingSide != 0) {
        const double s = e.thinkingSide;
        const double x = s > 0 ? 84 : 16;
        p.setPen(QPen(QColor(60, 80, 110), 0.6));
        p.setBrush(QColor(240, 246, 255));
        p.drawEllipse(QPointF(x, 13), 1.5, 1.5);
        p.drawEllipse(QPointF(x + s * 3.5, 8.5), 2.2, 2.2);
        p.drawEllipse(QPointF(x + s * 9.5, 5.5), 5.5, 4.2);
        // Three dots in the bubble, the middle one a little higher.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 80, 110));
        for (int i = -1; i <= 1; ++i)
            p.drawEllipse(QPointF(x + s * 9.5 + 2.3 * i, 5.7 - (i == 0 ? 0.4 : 0)), 0.75, 0.75);
    }
}

void drawExtrasInFront(QPainter& p, const Expression& e) {
    if (e.sweat) {
        QPainterPath drop;
        const QPointF t(80, 10);
        drop.moveTo(t.x(), t.y() - 4);
        drop.cubicTo(t.x() + 0.8, t.y() - 2, t.x() + 2.6, t.y() - 0.4, t.x() + 2.6, t.y() + 1.2);
        drop.cubicTo(t.x() + 2.6, t.y() + 3.3, t.x() - 2.6, t.y() + 3.3, t.x() - 2.6, t.y() + 1.2);
        drop.cubicTo(t.x() - 2.6, t.y() - 0.4, t.x() - 0.8, t.y() - 2, t.x(), t.y() - 4);
        p.setPen(QPen(QColor(40, 90, 150), 0.6));
        p.setBrush(QColor(150, 215, 255));
        p.drawPath(drop);
    }
    if (e.question)
        drawOutlinedText(p, QPointF(90, 15), QStringLiteral("?"), 20, 10, kYellow);
    if (!e.laughLeft.isEmpty())
        drawOutlinedText(p, QPointF(11, 16), e.laughLeft, 10, -14, kYellow);
    if (!e.laughRight.isEmpty())
        drawOutlinedText(p, QPointF(89, 12), e.laughRight, 10, 14, kYellow);
    if (e.sparkles) {
        drawSparkle(p, QPointF(14, 40), 3.2);
        drawSparkle(p, QPointF(87, 36), 2.6);
        drawSparkle(p, QPointF(91, 46), 1.8);
    }
}

// ratio 2 draws the same face at twice the pixel size, for screens of twice the density.
QImage drawFace(const Expression& e, int ratio) {
    QImage big(kWidth * kScale * ratio, kHeight * kScale * ratio,
               QImage::Format_ARGB32_Premultiplied);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale * ratio, kScale * ratio);
    drawBackground(p);
    drawExtrasBehind(p, e);

    QTransform pose;
    pose.translate(kPivot.x() + e.dx, kPivot.y() + e.dy);
    pose.rotate(e.angle);
    pose.translate(-kPivot.x(), -kPivot.y());

    p.save();
    p.setTransform(pose, true);
    drawCasing(p, e);
    drawScreen(p, e);
    p.restore();
    drawGlowingFeatures(p, pose, e, ratio);
    p.save();
    p.setTransform(pose, true);
    drawGlassOverlay(p);
    p.restore();
    drawStandBase(p);
    drawExtrasInFront(p, e);
    p.end();
    return downsample(big, kScale).convertToFormat(QImage::Format_RGB32);
}

Brow brow(double lift, double tilt) {
    return Brow{true, lift, tilt};
}

Expression atRest() {
    Expression e;
    e.left = brow(0, 0);
    e.right = brow(0, 0);
    e.mouth = Mouth::Smile;
    e.curve = 2.6;
    e.mouthWidth = 16;
    return e;
}

// Shaking the head: turned towards one side, frowning, looking the same way.
Expression refusing(int side) {
    Expression e;
    e.dx = 4.0 * side;
    e.angle = 9.0 * side;
    e.gazeX = side;
    e.gazeY = 0.1;
    e.openness = 0.85;
    e.left = brow(-1.0, -18);
    e.right = brow(-1.0, -18);
    e.mouth = Mouth::Frown;
    e.curve = 1.8;
    e.mouthWidth = 13;
    e.led = Led::Red;
    e.motionSide = side;
    return e;
}

Expression thinking(int side) {
    Expression e;
    e.gazeX = 0.8 * side;
    e.gazeY = -0.85;
    e.left = side < 0 ? brow(2.2, 6) : brow(0, -6);
    e.right = side > 0 ? brow(2.2, 6) : brow(0, -6);
    e.mouth = Mouth::Hmm;
    e.mouthWidth = 10;
    e.mouthShift = 3.0 * side;
    e.led = side < 0 ? Led::Amber : Led::Off;
    e.thinkingSide = side;
    e.angle = -2.0 * side;
    return e;
}

Expression foundNothing() {
    Expression e;
    e.dy = 1.5;
    e.angle = -3;
    e.gazeY = 0.9;
    e.gazeX = -0.2;
    e.openness = 0.9;
    e.left = brow(0.5, 22);
    e.right = brow(0.5, 22);
    e.mouth = Mouth::Frown;
    e.curve = 3.0;
    e.mouthWidth = 15;
    e.tear = true;
    e.sweat = true;
    e.screenGlow = 0.8;
    e.led = Led::Amber;
    return e;
}

Expression asking() {
    Expression e;
    e.angle = 7;
    e.dx = -1;
    e.gazeX = 0.6;
    e.gazeY = -0.5;
    e.left = brow(0, -8);
    e.right = brow(3.2, 10);
    e.mouth = Mouth::SmallO;
    e.question = true;
    return e;
}

// The gloating after a win, from a smug look to a full laugh; frames 1 to 5.
Expression gloating(int frame) {
    Expression e;
    e.led = Led::Green;
    switch (frame) {
    case 1:
        e.eye = Eye::HalfLid;
        e.lid = 0.5;
        e.gazeX = -0.7;
        e.gazeY = 0.3;
        e.left = brow(0.5, -8);
        e.right = brow(2.0, 8);
        e.mouth = Mouth::Smirk;
        e.mouthWidth = 14;
        e.mouthShift = 1;
        break;
    case 2:
        e.eye = Eye::HalfLid;
        e.lid = 0.45;
        e.gazeX = -0.5;
        e.gazeY = 0.2;
        e.left = brow(1.5, 4);
        e.right = brow(1.5, 4);
        e.mouth = Mouth::Smile;
        e.curve = 4.0;
        e.mouthWidth = 22;
        e.dy = -0.5;
        break;
    case 3:
        e.eye = Eye::Happy;
        e.left = brow(2.5, 0);
        e.right = brow(2.5, 0);
        e.mouth = Mouth::Open;
        e.curve = 6.0;
        e.mouthWidth = 20;
        e.dy = -1.0;
        e.angle = -3;
        e.laughRight = QStringLiteral("ha");
        break;
    case 4:
        e.eye = Eye::Squeeze;
        e.left = brow(2.5, 10);
        e.right = brow(2.5, 10);
        e.mouth = Mouth::Open;
        e.curve = 7.0;
        e.mouthWidth = 24;
        e.dy = -1.5;
        e.angle = 4;
        e.laughLeft = QStringLiteral("HA");
        e.laughRight = QStringLiteral("ha");
        break;
    default:
        e.eye = Eye::Squeeze;
        e.left = brow(3.0, 12);
        e.right = brow(3.0, 12);
        e.mouth = Mouth::Open;
        e.curve = 8.0;
        e.mouthWidth = 26;
        e.tongue = true;
        e.dy = -2.0;
        e.angle = -4;
        e.laughLeft = QStringLiteral("HA");
        e.laughRight = QStringLiteral("HA");
        e.sparkles = true;
        break;
    }
    return e;
}

Picture face(const char* name, const Expression& e, int ratio) {
    const QString alias = QString::fromLatin1(name);
    return Picture{
        alias,       QStringLiteral("bitmaps"), alias + QStringLiteral(".bmp"), FileFormat::Bmp24,
        Group::Face, drawFace(e, ratio)};
}

} // namespace

std::vector<Picture> makeFaces(int ratio) {
    const int r = ratio;
    return {
        face("CPU00", atRest(), r),    face("CPU11", refusing(-1), r),
        face("CPU12", refusing(1), r), face("CPU21", thinking(-1), r),
        face("CPU22", thinking(1), r), face("CPU31", foundNothing(), r),
        face("CPU41", asking(), r),    face("CPU51", gloating(1), r),
        face("CPU52", gloating(2), r), face("CPU53", gloating(3), r),
        face("CPU54", gloating(4), r), face("CPU55", gloating(5), r),
    };
}

} // namespace art
