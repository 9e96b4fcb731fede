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

using Strokes = std::array<QImage, kStrokes>;

// The strokes of a rim of this size, scale and state, each alone on a clear picture, made the
// first time they are asked for. Every round button of a size shares them; the few sizes and
// scales a game shows keep the store small, and it is emptied should it ever grow.
const Strokes& strokePictures(const QSize& size, int scale, bool pressed) {
    static std::map<std::tuple<int, int, int, bool>, Strokes> store;
    const auto key = std::make_tuple(size.width(), size.height(), scale, pressed);
    if (const auto found = store.find(key); found != store.end())
        return found->second;
    if (store.size() >= 16)
        store.clear();
    Strokes& strokes = store[key];
    for (int stroke = 0; stroke < kStrokes; ++stroke) {
        QImage picture(size * scale, QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(scale);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, true);
        strokeOne(painter, QRect(QPoint(0, 0), size), pressed, stroke);
        painter.end();
        strokes[stroke] = picture;
    }
    return strokes;
}

// The faces of round buttons by size, scale and what they show, made the first time they are
// asked for; emptied should the store ever grow, as a change of textures would make it.
const QImage& facePicture(const QSize& size, int scale, int64_t faceKey,
                          const std::function<void(QPainter&, const QRect&)>& paintFace) {
    static std::map<std::tuple<int, int, int, int64_t>, QImage> store;
    const auto key = std::make_tuple(size.width(), size.height(), scale, faceKey);
    if (const auto found = store.find(key); found != store.end())
        return found->second;
    if (store.size() >= 16)
        store.clear();
    QImage picture(size * scale, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    clipRoundFace(painter, QRect(QPoint(0, 0), size), paintFace);
    painter.end();
    return store[key] = picture;
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
    const int scale = wholePixelScale(painter);
    if (scale == 0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0) {
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
    const int scale = wholePixelScale(painter);
    if (scale == 0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0) {
        strokeRoundRim(painter, rect, pressed);
        return;
    }
    for (const QImage& stroke : strokePictures(rect.size(), scale, pressed))
        painter.drawImage(rect.topLeft(), stroke);
}
