#include "skin/RoundButtonParts.h"

#include "skin/PaintBands.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <map>
#include <tuple>

namespace {
const QColor kHighlight(255, 255, 255);
const QColor kButtonShadow(128, 128, 128);
const QColor kWindowFrame(0, 0, 0);

constexpr int kStrokes = 4;

void strokeOne(QPainter& painter, const QRect& r, bool pressed, int stroke) {
    const QColor shifted = pressed ? kHighlight : kWindowFrame;
    const QColor inner = pressed ? kWindowFrame : kHighlight;
    painter.setBrush(Qt::NoBrush);
    switch (stroke) {
    case 0:
        painter.setPen(QPen(kButtonShadow, 1));
        painter.drawEllipse(QRectF(r).adjusted(0.5, 0.5, -1.5, -1.5));
        break;
    case 1:
        painter.setPen(QPen(shifted, 1));
        painter.drawEllipse(QRectF(r).adjusted(1.5, 1.5, -0.5, -0.5));
        break;
    case 2:
        painter.setPen(QPen(inner, 1));
        painter.drawEllipse(QRectF(r).adjusted(1.5, 1.5, -2.5, -2.5));
        break;
    default:
        painter.setPen(QPen(kButtonShadow, 1));
        painter.drawArc(QRectF(r).adjusted(2.5, 2.5, -3.5, -3.5), -135 * 16, 180 * 16);
        break;
    }
}

// A clear picture of `size` logical pixels at `scale`, with what `draw` paints on it.
QImage clearPicture(const QSize& size, int scale,
                    const std::function<void(QPainter&, const QRect&)>& draw) {
    QImage picture(size * scale, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    draw(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return picture;
}

// What `store` keeps for `key`, made by `make` the first time it is asked for. Every round
// button of a size shares its pictures; the few sizes, scales, states and textures a game shows
// keep a store small, and it is emptied should it ever grow, as changes of textures would make
// it.
template <typename Key, typename Value, typename Make>
const Value& kept(std::map<Key, Value>& store, const Key& key, Make make) {
    if (const auto found = store.find(key); found != store.end())
        return found->second;
    if (store.size() >= 16)
        store.clear();
    return store[key] = make();
}

using Strokes = std::array<QImage, kStrokes>;

// The strokes of a rim of this size, scale and state, each alone on a clear picture.
const Strokes& strokePictures(const QSize& size, int scale, bool pressed) {
    static std::map<std::tuple<int, int, int, bool>, Strokes> store;
    return kept(store, std::make_tuple(size.width(), size.height(), scale, pressed), [&] {
        Strokes strokes;
        for (int stroke = 0; stroke < kStrokes; ++stroke)
            strokes[stroke] = clearPicture(size, scale, [&](QPainter& painter, const QRect& r) {
                painter.setRenderHint(QPainter::Antialiasing, true);
                strokeOne(painter, r, pressed, stroke);
            });
        return strokes;
    });
}

// The face of round buttons of this size and scale that show `faceKey`.
const QImage& facePicture(const QSize& size, int scale, int64_t faceKey,
                          const std::function<void(QPainter&, const QRect&)>& paintFace) {
    static std::map<std::tuple<int, int, int, int64_t>, QImage> store;
    return kept(store, std::make_tuple(size.width(), size.height(), scale, faceKey), [&] {
        return clearPicture(size, scale, [&](QPainter& painter, const QRect& r) {
            clipRoundFace(painter, r, paintFace);
        });
    });
}

// The scale at which kept pictures are laid with this painter, or 0 where they cannot stand in
// for drawing: a scale that is not whole, or blending other than plain and opaque.
int keptPictureScale(const QPainter& painter) {
    if (painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0)
        return 0;
    return wholePixelScale(painter);
}
} // namespace

void clipRoundFace(QPainter& painter, const QRect& rect,
                   const std::function<void(QPainter&, const QRect&)>& paintFace) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setClipPath(ellipse);
    paintFace(painter, rect);
    painter.restore();
}

void paintRoundFace(QPainter& painter, const QRect& rect, int64_t faceKey,
                    const std::function<void(QPainter&, const QRect&)>& paintFace) {
    const int scale = keptPictureScale(painter);
    if (scale == 0) {
        clipRoundFace(painter, rect, paintFace);
        return;
    }
    painter.drawImage(rect.topLeft(), facePicture(rect.size(), scale, faceKey, paintFace));
}

void strokeRoundRim(QPainter& painter, const QRect& rect, bool pressed) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int stroke = 0; stroke < kStrokes; ++stroke)
        strokeOne(painter, rect, pressed, stroke);
    painter.restore();
}

void paintRoundRim(QPainter& painter, const QRect& rect, bool pressed) {
    const int scale = keptPictureScale(painter);
    if (scale == 0) {
        strokeRoundRim(painter, rect, pressed);
        return;
    }
    for (const QImage& stroke : strokePictures(rect.size(), scale, pressed))
        painter.drawImage(rect.topLeft(), stroke);
}
