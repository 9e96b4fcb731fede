// The track bar thumbs, drawn pixel by pixel, and the 16 × 16 menu item images, drawn at 4×
// and reduced.
#include "ArtCommon.h"
#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>
#include <iterator>

namespace art {
namespace {

// A raised gold knob in the colours of the records window's buttons, with three grip ridges
// across its long axis. The inverted knob (shown while dragged or disabled) is its negative,
// which also turns the raised edge into a sunken one.
QImage drawThumb(int width, int height, bool inverted) {
    const bool vertical = width > height; // a vertical bar has a wide, flat thumb
    QImage image(width, height, QImage::Format_RGB32);
    const int across = vertical ? height : width;
    const int along = vertical ? width : height;
    const QColor left(255, 222, 40);
    const QColor right(236, 150, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int a = vertical ? y : x; // position across the knob
            const int b = vertical ? x : y; // position along it
            QColor c = mix(left, right, static_cast<double>(a) / (across - 1));
            const bool outer = a == 0 || b == 0 || a == across - 1 || b == along - 1;
            if (outer) {
                c = a == across - 1 || b == along - 1 ? QColor(110, 62, 0) : QColor(180, 120, 20);
            } else if (a == 1 || b == 1) {
                c = QColor(255, 248, 196);
            } else if (a == across - 2 || b == along - 2) {
                c = QColor(190, 110, 0);
            }
            // Grip ridges in the middle: a dark groove with a light line after it.
            const int middle = along / 2;
            if (!outer && a >= 2 && a <= across - 3) {
                for (int ridge = -1; ridge <= 1; ++ridge) {
                    const int at = middle - 1 + 3 * ridge;
                    if (b == at)
                        c = QColor(176, 100, 0);
                    else if (b == at + 1)
                        c = QColor(255, 244, 170);
                }
            }
            if (inverted)
                c = QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
            image.setPixel(x, y, c.rgb());
        }
    }
    return image;
}

constexpr int kIcon = 16;
constexpr int kIconScale = 4;

// A menu image, kIcon × kIcon at ratio 1 and drawn afresh at ratio times that size.
QImage icon(int ratio, const std::function<void(QPainter&)>& draw) {
    const int scale = kIconScale * ratio;
    QImage big(kIcon * scale, kIcon * scale, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    draw(p);
    p.end();
    return downsample(big, kIconScale);
}

const QColor kInk(40, 34, 30);

QPen ink(double width = 1.0) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawArrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour) {
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPainterPath path;
    const double shaft = 1.6;
    const double head = 3.6;
    const QPointF neck = to - u * 3.8;
    path.moveTo(from + n * shaft);
    path.lineTo(neck + n * shaft);
    path.lineTo(neck + n * head);
    path.lineTo(to);
    path.lineTo(neck - n * head);
    path.lineTo(neck - n * shaft);
    path.lineTo(from - n * shaft);
    path.closeSubpath();
    p.setPen(ink(0.9));
    p.setBrush(colour);
    p.drawPath(path);
}

void roundBadge(QPainter& p, const QColor& light, const QColor& dark, const QString& text,
                int pixelSize) {
    QRadialGradient g(QPointF(6, 5), 10);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(160), 0.9));
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 8), 7.2, 7.2);
    QPainterPath glyph;
    glyph.addText(0, 0, artFont(pixelSize, true), text);
    const QRectF b = glyph.boundingRect();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(glyph.translated(8 - b.center().x(), 8.2 - b.center().y()));
}

void textBadge(QPainter& p, const QColor& light, const QColor& dark, const QString& text) {
    QLinearGradient g(0, 2, 0, 14);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(170), 0.9));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 2.5, 2.5);
    QPainterPath glyph;
    glyph.addText(0, 0, artFont(9, true), text);
    const QRectF b = glyph.boundingRect();
    const double factor = std::min(12.0 / b.width(), 7.4 / b.height());
    QTransform t;
    t.translate(8, 8.1);
    t.scale(factor, factor);
    t.translate(-b.center().x(), -b.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(t.map(glyph));
}

QImage exitIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        p.setPen(ink());
        p.setBrush(QColor(230, 214, 180));
        p.drawRect(QRectF(1.5, 1.5, 9, 13)); // door frame
        QLinearGradient wood(3, 0, 9, 0);
        wood.setColorAt(0, QColor(176, 106, 50));
        wood.setColorAt(1, QColor(120, 66, 28));
        p.setBrush(wood);
        QPainterPath door; // the door swung open towards the viewer
        door.moveTo(1.5, 1.5);
        door.lineTo(7, 3.2);
        door.lineTo(7, 15.2);
        door.lineTo(1.5, 14.5);
        door.closeSubpath();
        p.drawPath(door);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 220, 90));
        p.drawEllipse(QPointF(5.8, 9), 0.8, 0.8);
        drawArrow(p, QPointF(8, 8), QPointF(15.5, 8), QColor(60, 190, 80));
    });
}

QImage helpIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        roundBadge(p, QColor(120, 180, 255), QColor(24, 76, 190), QStringLiteral("?"), 12);
    });
}

QImage aboutIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        roundBadge(p, QColor(120, 230, 200), QColor(10, 130, 110), QStringLiteral("i"), 12);
    });
}

QImage newGameIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        // A small board of light blue cells with a star for "new".
        p.setPen(ink(0.8));
        p.setBrush(QColor(120, 84, 56));
        p.drawRect(QRectF(0.8, 3.8, 11.4, 11.4));
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                const bool lit = (r == 1) || (c == 1 && r == 0);
                p.setPen(Qt::NoPen);
                p.setBrush(lit ? QColor(96, 114, 138) : QColor(190, 222, 246));
                p.drawRect(QRectF(1.6 + 3.6 * c, 4.6 + 3.6 * r, 3.1, 3.1));
            }
        }
        QPainterPath star;
        const QPointF c(12.2, 4.2);
        for (int i = 0; i < 10; ++i) {
            const double a = -3.14159265358979 / 2 + i * 3.14159265358979 / 5;
            const double r = i % 2 == 0 ? 4.0 : 1.7;
            const QPointF q(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
            if (i == 0)
                star.moveTo(q);
            else
                star.lineTo(q);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(150, 90, 0), 0.8));
        p.setBrush(QColor(255, 214, 40));
        p.drawPath(star);
    });
}

QImage soundIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        QPainterPath speaker;
        speaker.moveTo(1.5, 6);
        speaker.lineTo(4.5, 6);
        speaker.lineTo(8.5, 2.5);
        speaker.lineTo(8.5, 13.5);
        speaker.lineTo(4.5, 10);
        speaker.lineTo(1.5, 10);
        speaker.closeSubpath();
        QLinearGradient g(0, 2, 0, 14);
        g.setColorAt(0, QColor(200, 204, 214));
        g.setColorAt(1, QColor(110, 116, 132));
        p.setPen(ink(0.9));
        p.setBrush(g);
        p.drawPath(speaker);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(30, 110, 220), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6.5, 5, 5, 6), -50 * 16, 100 * 16);
        p.drawArc(QRectF(5.5, 2.5, 9.5, 11), -52 * 16, 104 * 16);
    });
}

QImage strengthIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        const QColor colours[4] = {QColor(90, 200, 90), QColor(200, 220, 60), QColor(250, 170, 40),
                                   QColor(230, 70, 50)};
        for (int i = 0; i < 4; ++i) {
            const double h = 4 + 3.4 * i;
            p.setPen(ink(0.8));
            p.setBrush(colours[i]);
            p.drawRect(QRectF(0.8 + 3.7 * i, 15 - h, 3.0, h));
        }
    });
}

QImage globeIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        QRadialGradient sea(QPointF(5.5, 5), 11);
        sea.setColorAt(0, QColor(140, 200, 255));
        sea.setColorAt(1, QColor(20, 80, 180));
        p.setPen(ink(0.9));
        p.setBrush(sea);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        p.save();
        QPainterPath clip;
        clip.addEllipse(QPointF(8, 8), 6.6, 6.6);
        p.setClipPath(clip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 190, 90));
        QPainterPath land;
        land.moveTo(3, 4);
        land.cubicTo(5, 2, 8, 3, 8, 5.5);
        land.cubicTo(8, 7.5, 6, 7, 5.5, 9.5);
        land.cubicTo(5, 11.5, 3, 11, 2, 9);
        land.closeSubpath();
        land.moveTo(10, 8);
        land.cubicTo(12, 7, 14.5, 8.5, 13.5, 11);
        land.cubicTo(12.5, 13.5, 10, 13.5, 10, 11.5);
        land.closeSubpath();
        p.drawPath(land);
        p.setPen(QPen(QColor(255, 255, 255, 150), 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 3.2, 7);
        p.drawLine(QPointF(8, 1), QPointF(8, 15));
        p.drawLine(QPointF(1, 8), QPointF(15, 8));
        p.drawLine(QPointF(2, 4.5), QPointF(14, 4.5));
        p.drawLine(QPointF(2, 11.5), QPointF(14, 11.5));
        p.restore();
    });
}

QImage shortcutIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        // A monitor showing the desktop, and the shortcut arrow in its corner.
        p.setPen(ink(0.9));
        p.setBrush(QColor(226, 214, 184));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 10), 1.2, 1.2);
        QLinearGradient screen(0, 3, 0, 10);
        screen.setColorAt(0, QColor(90, 170, 240));
        screen.setColorAt(1, QColor(30, 100, 190));
        p.setPen(Qt::NoPen);
        p.setBrush(screen);
        p.drawRect(QRectF(3, 3, 10, 7));
        p.setPen(ink(0.9));
        p.setBrush(QColor(190, 176, 144));
        p.drawRect(QRectF(6, 11.5, 4, 2));
        p.drawRect(QRectF(4, 13.5, 8, 1.5));
        // The arrow box.
        p.setPen(ink(0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(0.5, 7.5, 7, 7));
        QPainterPath arrow;
        arrow.moveTo(2.2, 13.2);
        arrow.cubicTo(2.2, 10.6, 3.4, 9.8, 5.4, 9.8);
        p.setPen(QPen(QColor(20, 20, 120), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arrow);
        QPainterPath head;
        head.moveTo(4.4, 8.2);
        head.lineTo(6.8, 9.8);
        head.lineTo(4.4, 11.4);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 120));
        p.drawPath(head);
    });
}

QImage texturesIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        // A painter's palette with blobs of the game's texture colours.
        QPainterPath board;
        board.addEllipse(QRectF(0.8, 2.0, 14.4, 12.0));
        QPainterPath hole;
        hole.addEllipse(QPointF(10.8, 10.2), 1.6, 1.4);
        QPainterPath notch;
        notch.addEllipse(QPointF(14.6, 11.6), 2.4, 2.0);
        board = board.subtracted(hole).subtracted(notch);
        QLinearGradient wood(0, 2, 0, 14);
        wood.setColorAt(0, QColor(236, 200, 140));
        wood.setColorAt(1, QColor(190, 140, 80));
        p.setPen(ink(0.8));
        p.setBrush(wood);
        p.drawPath(board);
        const std::pair<QPointF, QColor> blobs[] = {
            {QPointF(4.2, 6.0), QColor(60, 150, 80)},    {QPointF(7.8, 4.6), QColor(150, 200, 240)},
            {QPointF(11.4, 5.6), QColor(210, 50, 60)},   {QPointF(4.0, 9.8), QColor(150, 100, 60)},
            {QPointF(7.0, 11.2), QColor(244, 200, 210)},
        };
        for (const auto& [at, colour] : blobs) {
            p.setPen(QPen(colour.darker(150), 0.6));
            p.setBrush(colour);
            p.drawEllipse(at, 1.6, 1.4);
        }
    });
}

QImage homeIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        p.setPen(ink(0.9));
        p.setBrush(QColor(246, 236, 212));
        p.drawRect(QRectF(3, 7.5, 10, 7));
        QPainterPath roof;
        roof.moveTo(0.8, 8.2);
        roof.lineTo(8, 1.5);
        roof.lineTo(15.2, 8.2);
        roof.closeSubpath();
        p.setBrush(QColor(210, 60, 50));
        p.drawPath(roof);
        p.setBrush(QColor(140, 84, 40));
        p.drawRect(QRectF(6.5, 10, 3, 4.5));
        p.setBrush(QColor(150, 210, 250));
        p.drawRect(QRectF(10.2, 9.2, 2, 2));
    });
}

QImage linkIcon(int ratio) {
    return icon(ratio, [](QPainter& p) {
        // Two chain links: a web address.
        for (int i = 0; i < 2; ++i) {
            p.save();
            p.translate(4.6 + 6.8 * i, 11.4 - 6.8 * i);
            p.rotate(-45);
            QPainterPath link;
            link.addRoundedRect(QRectF(-5, -2.6, 10, 5.2), 2.6, 2.6);
            QPainterPath inner;
            inner.addRoundedRect(QRectF(-3.4, -1.1, 6.8, 2.2), 1.1, 1.1);
            p.setPen(ink(0.8));
            p.setBrush(i == 0 ? QColor(80, 150, 240) : QColor(60, 190, 120));
            p.drawPath(link.subtracted(inner));
            p.restore();
        }
    });
}

Picture thumb(const char* name, QImage image) {
    const QString alias = QString::fromLatin1(name);
    return Picture{
        alias,        QStringLiteral("bitmaps"), alias + QStringLiteral(".bmp"), FileFormat::Bmp24,
        Group::Thumb, std::move(image)};
}

Picture menu(const char* name, QImage image) {
    const QString alias = QString::fromLatin1(name);
    return Picture{alias,
                   QStringLiteral("menu"),
                   QStringLiteral("menu/") + alias + QStringLiteral(".png"),
                   FileFormat::Png,
                   Group::Menu,
                   std::move(image)};
}

} // namespace

std::vector<Picture> makeSmallPictures(int ratio) {
    std::vector<Picture> pictures;
    // The track bar thumbs are flat bevels of whole pixels: the 1× ones scale without loss.
    if (ratio == 1) {
        pictures = {
            thumb("THUMB_HORZ", drawThumb(9, 20, false)),
            thumb("THUMB_HORZ_INVERT", drawThumb(9, 20, true)),
            thumb("THUMB_VERT", drawThumb(20, 9, false)),
            thumb("THUMB_VERT_INVERT", drawThumb(20, 9, true)),
        };
    }
    std::vector<Picture> menus = {
        menu("0", exitIcon(ratio)),
        menu("1", helpIcon(ratio)),
        menu("2", aboutIcon(ratio)),
        menu("3", newGameIcon(ratio)),
        menu("4", soundIcon(ratio)),
        menu("5", strengthIcon(ratio)),
        menu("6", globeIcon(ratio)),
        menu("7", shortcutIcon(ratio)),
        menu("8", icon(ratio,
                       [](QPainter& p) {
                           textBadge(p, QColor(226, 80, 80), QColor(150, 24, 34),
                                     QStringLiteral("RU"));
                       })),
        menu("9", icon(ratio,
                       [](QPainter& p) {
                           textBadge(p, QColor(90, 130, 230), QColor(24, 50, 140),
                                     QStringLiteral("EN"));
                       })),
        menu("10", texturesIcon(ratio)),
        menu("SITE1", homeIcon(ratio)),
        menu("SITE2", linkIcon(ratio)),
    };
    pictures.insert(pictures.end(), std::make_move_iterator(menus.begin()),
                    std::make_move_iterator(menus.end()));
    return pictures;
}

} // namespace art
