// The contact sheet: every picture at 1× and 3×, the textures tiled so that seams would show,
// and a mock-up of the main window dressed in the textures and the resting face.
#include "ArtCommon.h"
#include "Pictures.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <map>

namespace art {
namespace {

constexpr int kSheetWidth = 1640;
constexpr int kMargin = 16;
constexpr int kLabelHeight = 16;
const QColor kSheetBackground(72, 74, 80);

// Places pictures left to right, wrapping to a new row when the sheet is full.
class Flow {
public:
    Flow(QPainter& painter, int top) : painter_(painter), y_(top) {}

    void heading(const QString& text) {
        newRow();
        painter_.setPen(QColor(235, 235, 235));
        painter_.setFont(artFont(18, true));
        painter_.drawText(kMargin, y_ + 20, text);
        y_ += 30;
    }

    void place(const QImage& image, const QString& label) {
        const QFont font = artFont(11, false);
        const int width = std::max(image.width(), QFontMetrics(font).horizontalAdvance(label));
        if (x_ + width > kSheetWidth - kMargin && x_ > kMargin)
            newRow();
        painter_.setPen(QColor(210, 210, 210));
        painter_.setFont(font);
        painter_.drawText(x_, y_ + 12, label);
        painter_.drawImage(x_, y_ + kLabelHeight, image);
        x_ += width + kMargin;
        rowHeight_ = std::max(rowHeight_, image.height() + kLabelHeight);
    }

    void newRow() {
        if (x_ > kMargin) {
            y_ += rowHeight_ + kMargin;
            x_ = kMargin;
            rowHeight_ = 0;
        }
    }

    int bottom() const { return y_ + rowHeight_ + kMargin; }

private:
    QPainter& painter_;
    int x_ = kMargin;
    int y_;
    int rowHeight_ = 0;
};

QImage tiled(const QImage& tile, int columns, int rows) {
    QImage out(tile.width() * columns, tile.height() * rows, QImage::Format_ARGB32);
    QPainter p(&out);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            p.drawImage(c * tile.width(), r * tile.height(), tile);
    return out;
}

QImage enlarged(const QImage& image, int factor) {
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Shows a picture whose black is transparent over a dark blue backdrop, as a checker would
// hide the very pixels that matter.
QImage overBackdrop(const QImage& image, bool blackIsClear) {
    QImage out(image.size(), QImage::Format_ARGB32);
    out.fill(QColor(36, 40, 70));
    QPainter p(&out);
    if (blackIsClear) {
        QImage masked = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < masked.height(); ++y)
            for (int x = 0; x < masked.width(); ++x)
                if ((masked.pixel(x, y) & 0xFFFFFF) == 0)
                    masked.setPixel(x, y, 0);
        p.drawImage(0, 0, masked);
    } else {
        p.drawImage(0, 0, image);
    }
    return out;
}

void drawTiled(QPainter& p, const QRect& rect, const QImage& tile) {
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.setBrushOrigin(rect.topLeft());
    p.fillRect(rect, QBrush(tile));
    p.restore();
}

void drawBevel(QPainter& p, const QRect& r, bool raised) {
    const QColor light(255, 255, 255, 150);
    const QColor dark(0, 0, 0, 150);
    p.setPen(raised ? light : dark);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? dark : light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void shadowedText(QPainter& p, const QRect& r, const QString& text, const QColor& colour,
                  const QColor& shadow, int flags = Qt::AlignCenter) {
    p.setPen(shadow);
    p.drawText(r.translated(1, 1), flags, text);
    p.setPen(colour);
    p.drawText(r, flags, text);
}

// An approximation of the main window, to judge the textures together.
QImage mockUp(const std::map<QString, QImage>& by) {
    QImage w(580, 380, QImage::Format_ARGB32);
    QPainter p(&w);
    p.setRenderHint(QPainter::Antialiasing, false);
    drawTiled(p, w.rect(), by.at(QStringLiteral("WALL1")));

    const QImage& buttons = by.at(QStringLiteral("BUTTONS"));
    const QColor lilac(200, 200, 255);
    const QColor lilacShadow(100, 100, 255);
    p.setFont(artFont(15, true));
    for (auto [y, text] : {std::pair{11, "Hint"}, std::pair{48, "Skip"}}) {
        const QRect r(25, y, 100, 25);
        drawTiled(p, r, buttons);
        drawBevel(p, r, true);
        shadowedText(p, r, QString::fromLatin1(text), lilac, lilacShadow);
    }
    const QRect slowo(195, 20, 200, 40);
    drawTiled(p, slowo, buttons);
    drawBevel(p, slowo, true);
    drawBevel(p, slowo.adjusted(1, 1, -1, -1), false);
    p.setFont(artFont(19, false));
    shadowedText(p, slowo, QStringLiteral("STONE"), lilac, lilacShadow);
    p.setFont(artFont(16, false));
    p.setPen(QColor(128, 255, 128));
    p.drawText(QRect(135, 50, 30, 20), Qt::AlignCenter, QStringLiteral("12"));
    p.drawText(QRect(420, 50, 30, 20), Qt::AlignCenter, QStringLiteral("9"));

    drawBevel(p, QRect(455, 6, 104, 74), true);
    p.drawImage(457, 8, by.at(QStringLiteral("CPU00")));

    const char* words[2][6] = {{"HOUSE", "MOUSE", "SEA", "ROSE", "HORSE", "EAR"},
                               {"STONE", "TONE", "NOTE", "SNOW", "OWN", ""}};
    for (int side = 0; side < 2; ++side) {
        const QRect panel(side == 0 ? 25 : 420, 85, 140, 205);
        drawTiled(p, panel, buttons);
        drawBevel(p, panel, true);
        drawBevel(p, panel.adjusted(1, 1, -1, -1), false);
        p.setFont(artFont(12, true));
        for (int i = 0; i < 6; ++i)
            shadowedText(p, QRect(panel.left() + 6, panel.top() + 4 + 13 * i, 128, 13),
                         QString::fromLatin1(words[side][i]), QColor(255, 226, 236),
                         QColor(60, 20, 40), Qt::AlignLeft | Qt::AlignVCenter);
    }

    const char* board[5] = {"  O  ", " MOST", "HOUSE", "  SEA", "     "};
    p.setFont(artFont(19, true));
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            const QRect cell(190 + 40 * c, 88 + 40 * r, 40, 40);
            const bool selected = r == 2 && c < 4;
            p.drawImage(cell.topLeft(),
                        by.at(selected ? QStringLiteral("POLE2") : QStringLiteral("POLE1")));
            p.setPen(selected ? QColor(196, 255, 212) : QColor(0, 0, 0));
            p.drawText(cell, Qt::AlignCenter, QString(QLatin1Char(board[r][c])));
        }
    }

    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(artFont(16, true));
    for (int i = 0; i < 26; ++i) {
        const QRect r(17 + 52 + 34 * (i % 13), 300 + (i >= 13 ? 34 : 0), 34, 34);
        const bool chosen = i == 4;
        QPainterPath circle;
        circle.addEllipse(QRectF(r));
        p.save();
        p.setClipPath(circle);
        drawTiled(p, r, by.at(chosen ? QStringLiteral("LETTER2") : QStringLiteral("LETTER1")));
        p.restore();
        p.setPen(QColor(40, 40, 40));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(QColor(255, 255, 255, 120));
        p.drawEllipse(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5));
        p.setPen(chosen ? QColor(0, 0, 255) : QColor(255, 255, 0));
        p.drawText(r, Qt::AlignCenter, QString(QLatin1Char('A' + i)));
    }
    return w;
}

} // namespace

QImage renderContactSheet(const std::vector<Picture>& pictures) {
    std::map<QString, QImage> by;
    for (const auto& picture : pictures)
        by[picture.prefix + QLatin1Char('/') + picture.alias] = picture.image;
    std::map<QString, QImage> bitmaps;
    for (const auto& picture : pictures)
        if (picture.prefix == QLatin1String("bitmaps"))
            bitmaps[picture.alias] = picture.image;

    QImage sheet(kSheetWidth, 6000, QImage::Format_ARGB32);
    sheet.fill(kSheetBackground);
    QPainter p(&sheet);
    Flow flow(p, kMargin);

    flow.heading(QStringLiteral("Main window mock-up (1x and 2x)"));
    const QImage window = mockUp(bitmaps);
    flow.place(window, QString());
    flow.place(enlarged(window, 2).copy(0, 0, 900, 760), QString());

    auto group = [&](Group g) {
        std::vector<const Picture*> list;
        for (const auto& picture : pictures)
            if (picture.group == g)
                list.push_back(&picture);
        return list;
    };

    flow.heading(QStringLiteral("Textures, tiled 3 x 3, at 1x"));
    for (const Picture* t : group(Group::Texture))
        flow.place(tiled(t->image, 3, 3), t->alias);
    flow.heading(QStringLiteral("Textures, tiled 2 x 2, at 3x"));
    for (const Picture* t : group(Group::Texture))
        flow.place(enlarged(tiled(t->image, 2, 2), 3), t->alias);

    flow.heading(QStringLiteral("Faces at 1x"));
    for (const Picture* f : group(Group::Face))
        flow.place(f->image, f->alias);
    flow.heading(QStringLiteral("Faces at 3x"));
    for (const Picture* f : group(Group::Face))
        flow.place(enlarged(f->image, 3), f->alias);

    flow.heading(QStringLiteral("About pictures (black shown as dark blue) at 1x and 3x"));
    for (const Picture* a : group(Group::About))
        flow.place(overBackdrop(a->image, true), a->alias);
    for (const Picture* a : group(Group::About))
        flow.place(enlarged(overBackdrop(a->image, true), 3), a->alias);

    flow.heading(QStringLiteral("Track bar thumbs and menu images at 1x and 3x"));
    for (const Picture* t : group(Group::Thumb))
        flow.place(t->image, t->alias);
    for (const Picture* m : group(Group::Menu))
        flow.place(overBackdrop(m->image, false), m->alias);
    flow.newRow();
    for (const Picture* t : group(Group::Thumb))
        flow.place(enlarged(t->image, 3), t->alias);
    for (const Picture* m : group(Group::Menu)) {
        QImage light(m->image.size(), QImage::Format_ARGB32);
        light.fill(QColor(240, 240, 240));
        QPainter lp(&light);
        lp.drawImage(0, 0, m->image);
        lp.end();
        flow.place(enlarged(light, 3), m->alias);
    }
    const int height = flow.bottom();
    p.end();
    return sheet.copy(0, 0, kSheetWidth, height);
}

} // namespace art
