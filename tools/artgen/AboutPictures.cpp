// The About window's three pictures. The window draws them over black with black as the
// transparent colour, so the background here is exactly black and nothing else is.
#include "ArtCommon.h"
#include "Pictures.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace art {
namespace {

constexpr int kScale = 4;

// The drawings use no black of their own, so after reduction every pure black pixel is
// background and every other pixel belongs to the picture.
QImage finish(const QImage& big) {
    return downsample(big, kScale).convertToFormat(QImage::Format_RGB32);
}

// A text outline scaled to fit a box, keeping its proportions, centred in it.
QPainterPath fittedText(const QString& text, int pixelSize, const QRectF& box) {
    QPainterPath path;
    path.addText(0, 0, artFont(pixelSize, true), text);
    const QRectF bounds = path.boundingRect();
    const double factor = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(factor, factor);
    t.translate(-bounds.center().x(), -bounds.center().y());
    return t.map(path);
}

QImage blackCanvas(int width, int height, int ratio) {
    QImage image(width * kScale * ratio, height * kScale * ratio,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    return image;
}

void begin(QPainter& p, QImage& image, int ratio) {
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale * ratio, kScale * ratio);
}

QImage makeLogo(int ratio) {
    constexpr int kWidth = 120;
    constexpr int kHeight = 30;
    QImage canvas = blackCanvas(kWidth, kHeight, ratio);
    const QPainterPath word = fittedText(QStringLiteral("Vorda"), 40, QRectF(2, 3, 62, 24));
    const QPainterPath year = fittedText(QStringLiteral("2000"), 40, QRectF(69, 5.5, 48, 20));

    QPainter p;
    begin(p, canvas, ratio);
    const QPen outline(QColor(96, 36, 12), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QLinearGradient gold(0, 3, 0, 27);
    gold.setColorAt(0.0, QColor(255, 248, 190));
    gold.setColorAt(0.45, QColor(255, 204, 60));
    gold.setColorAt(1.0, QColor(214, 110, 16));
    QLinearGradient green(0, 5, 0, 26);
    green.setColorAt(0.0, QColor(210, 255, 214));
    green.setColorAt(0.5, QColor(110, 240, 130));
    green.setColorAt(1.0, QColor(30, 160, 70));
    for (const auto& [path, fill, edge] :
         {std::tuple{word, QBrush(gold), outline},
          std::tuple{year, QBrush(green),
                     QPen(QColor(14, 70, 34), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)}}) {
        p.setPen(edge);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(path);
        // A thin light rim along the top of the letters.
        p.save();
        p.setClipPath(path);
        p.setPen(QPen(QColor(255, 255, 255, 110), 0.8));
        p.setBrush(Qt::NoBrush);
        p.translate(0, 0.8);
        p.drawPath(path);
        p.restore();
    }
    p.end();
    return finish(canvas);
}

QImage makeBanner(int ratio) {
    constexpr int kWidth = 406;
    constexpr int kHeight = 117;
    QImage canvas = blackCanvas(kWidth, kHeight, ratio);
    const QPainterPath text =
        fittedText(QStringLiteral("vorda2000.example.org"), 60, QRectF(22, 37, 362, 44));
    QPainterPath frame;
    frame.addRoundedRect(QRectF(8, 14, kWidth - 16, kHeight - 28), 14, 14);

    // The glow: the letters and a neon frame drawn thick and blurred, then the bright tubes.
    QImage glow(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    glow.fill(Qt::transparent);
    QPainter p;
    begin(p, glow, ratio);
    p.setPen(QPen(QColor(40, 255, 90), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(40, 255, 90));
    p.drawPath(text);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 200, 80), 4));
    p.drawPath(frame);
    p.end();
    QImage wide = glow;
    blur(wide, 7 * kScale * ratio);
    blur(glow, 2 * kScale * ratio);

    begin(p, canvas, ratio);
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setOpacity(0.85);
    p.drawImage(0, 0, wide);
    p.setOpacity(0.7);
    p.drawImage(0, 0, glow);
    p.setOpacity(1.0);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.scale(kScale * ratio, kScale * ratio);
    // The frame: a thin, dimmer tube.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 230, 140), 1.6));
    p.drawPath(frame);
    // The letters: a white-hot core fading to green at the edges.
    p.setPen(QPen(QColor(60, 230, 100), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient core(0, 34, 0, 80);
    core.setColorAt(0.0, QColor(236, 255, 236));
    core.setColorAt(0.5, QColor(170, 255, 180));
    core.setColorAt(1.0, QColor(110, 240, 130));
    p.setBrush(core);
    p.drawPath(text);
    // A few sparks on the frame.
    for (const QPointF& spark : {QPointF(30, 14), QPointF(330, 103), QPointF(398, 50)}) {
        QRadialGradient g(spark, 5);
        g.setColorAt(0, QColor(230, 255, 230));
        g.setColorAt(0.3, QColor(120, 255, 150, 200));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(spark, 5, 5);
    }
    p.end();
    return finish(canvas);
}

constexpr int kBallWidth = 62;
constexpr int kBallHeight = 52;

// The bouncing ball: a round, bomb-like fellow with a lit fuse and a cheeky grin, drawn in a
// kBallWidth × kBallHeight box of the painter's coordinates.
void drawBall(QPainter& p) {
    const QPointF centre(27, 31);
    constexpr double kRadius = 19.5;
    QPainterPath body;
    body.addEllipse(centre, kRadius, kRadius);
    // The fuse's metal cap sits on the upper right of the ball.
    QTransform capPose;
    capPose.translate(40, 17.5);
    capPose.rotate(45);
    QPainterPath cap;
    cap.addRoundedRect(QRectF(-4.5, -3.5, 9, 7), 1.5, 1.5);
    cap = capPose.map(cap);
    QPainterPath fuse;
    fuse.moveTo(42.5, 14.5);
    fuse.cubicTo(46, 10, 47, 12, 50, 8.5);
    fuse.cubicTo(51.5, 6.8, 52.5, 6.5, 53.5, 6.2);
    const QPointF sparkAt(54, 6);

    QRadialGradient shade(QPointF(20, 22), 30, QPointF(19, 21));
    shade.setColorAt(0.0, QColor(150, 162, 200));
    shade.setColorAt(0.35, QColor(72, 80, 116));
    shade.setColorAt(0.8, QColor(34, 38, 60));
    shade.setColorAt(1.0, QColor(22, 24, 40));
    p.setPen(QPen(QColor(14, 16, 28), 1.0));
    p.setBrush(shade);
    p.drawPath(body);
    // Rim light on the lower right, as from the glowing banner.
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(QColor(90, 200, 120, 120), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - kRadius + 1, centre.y() - kRadius + 1, 2 * kRadius - 2,
                     2 * kRadius - 2),
              -80 * 16, 70 * 16);
    p.restore();
    // Highlight.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(17.5, 20), 4.5, 3.0);

    QLinearGradient metal(36, 13, 44, 22);
    metal.setColorAt(0, QColor(220, 224, 232));
    metal.setColorAt(1, QColor(110, 116, 132));
    p.setPen(QPen(QColor(40, 44, 56), 0.9));
    p.setBrush(metal);
    p.drawPath(cap);
    p.setPen(QPen(QColor(196, 160, 100), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(fuse);
    p.setPen(QPen(QColor(120, 90, 50), 0.7, Qt::DashLine, Qt::RoundCap));
    p.drawPath(fuse);

    // The spark: a star of rays and a hot core.
    QRadialGradient fire(sparkAt, 6.5);
    fire.setColorAt(0, QColor(255, 255, 220));
    fire.setColorAt(0.3, QColor(255, 220, 60));
    fire.setColorAt(0.7, QColor(255, 120, 20, 170));
    fire.setColorAt(1, QColor(255, 60, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fire);
    p.drawEllipse(sparkAt, 6.5, 6.5);
    p.setPen(QPen(QColor(255, 236, 120), 0.9, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * 3.14159265358979 / 4 + 0.2;
        const double len = i % 2 == 0 ? 6.0 : 4.0;
        p.drawLine(sparkAt + QPointF(2.0 * std::cos(a), 2.0 * std::sin(a)),
                   sparkAt + QPointF(len * std::cos(a), len * std::sin(a)));
    }

    // The face: big white eyes looking up at the spark, brows, and a wide grin.
    for (const QPointF& eye : {QPointF(20.5, 29), QPointF(32.5, 28)}) {
        p.setPen(QPen(QColor(16, 18, 30), 0.8));
        p.setBrush(QColor(250, 250, 255));
        p.drawEllipse(eye, 4.0, 5.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 24, 44));
        p.drawEllipse(eye + QPointF(1.4, -1.4), 2.0, 2.3);
        p.setBrush(Qt::white);
        p.drawEllipse(eye + QPointF(2.0, -2.2), 0.7, 0.7);
    }
    p.setPen(QPen(QColor(210, 220, 255), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16.5, 21.8), QPointF(23.5, 20.6));
    p.drawLine(QPointF(29.5, 20.0), QPointF(36.0, 19.2));
    QPainterPath grin;
    grin.moveTo(17, 37);
    grin.quadTo(27, 39.5, 37.5, 35.5);
    grin.quadTo(30, 46.5, 17, 37);
    grin.closeSubpath();
    p.setPen(QPen(QColor(16, 18, 30), 0.8));
    p.setBrush(QColor(150, 30, 40));
    p.drawPath(grin);
    p.save();
    p.setPen(Qt::NoPen);
    if (p.paintEngine()->type() == QPaintEngine::SVG) {
        // Qt's SVG writer drops clipping: the teeth and the tongue are cut to the mouth's
        // shape instead.
        QPainterPath teeth, tongue;
        teeth.addRect(QRectF(15, 34, 25, 4.0));
        tongue.addEllipse(QPointF(28, 43), 5, 3);
        p.setBrush(QColor(250, 250, 250));
        p.drawPath(grin.intersected(teeth));
        p.setBrush(QColor(236, 96, 110));
        p.drawPath(grin.intersected(tongue));
    } else {
        p.setClipPath(grin);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(15, 34, 25, 4.0));
        p.setBrush(QColor(236, 96, 110));
        p.drawEllipse(QPointF(28, 43), 5, 3);
    }
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 140, 90));
    p.drawEllipse(QPointF(14.5, 35), 2.6, 1.6);
    p.drawEllipse(QPointF(39, 33), 2.6, 1.6);
}

QImage makeBall(int ratio) {
    QImage canvas = blackCanvas(kBallWidth, kBallHeight, ratio);
    QPainter p;
    begin(p, canvas, ratio);
    drawBall(p);
    p.end();
    return finish(canvas);
}

Picture about(const char* name, QImage image) {
    const QString alias = QString::fromLatin1(name);
    return Picture{
        alias,        QStringLiteral("bitmaps"), alias + QStringLiteral(".bmp"), FileFormat::Bmp24,
        Group::About, std::move(image)};
}

} // namespace

std::vector<Picture> makeAboutPictures(int ratio) {
    return {about("ABOUT_LOGO", makeLogo(ratio)), about("ABOUT_BANNER", makeBanner(ratio)),
            about("ABOUT_BALL", makeBall(ratio))};
}

void drawIcon(QPainter& p, double side) {
    // The ball with its fuse and spark fills this part of its box; it is centred in the
    // square, on a transparent background.
    const QRectF drawn(6, -1, 56, 53);
    const double factor = side / std::max(drawn.width(), drawn.height());
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(side / 2.0, side / 2.0);
    p.scale(factor, factor);
    p.translate(-drawn.center());
    drawBall(p);
}

QImage makeIcon(int size) {
    QImage canvas(size * kScale, size * kScale, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    drawIcon(p, canvas.width());
    p.end();
    return downsample(canvas, kScale);
}

QByteArray makeScalableIcon() {
    constexpr int kSide = 256;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kSide, kSide));
    svg.setViewBox(QRect(0, 0, kSide, kSide));
    svg.setTitle(QStringLiteral("Vorda 2000"));
    svg.setDescription(QStringLiteral("The Vorda 2000 icon: a ball with a lit fuse"));
    QPainter p(&svg);
    drawIcon(p, kSide);
    p.end();
    return bytes;
}

} // namespace art
