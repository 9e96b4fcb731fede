// The skinned controls and the dialogs' own frame: caption shadows, captions that fit their
// buttons, and where a dialog stands each time it shows.
#include "platform/Cp1251.h"
#include "skin/CoolControls.h"
#include "skin/CoolDialog.h"
#include "skin/EdgeLines.h"
#include "skin/PaintBands.h"
#include "skin/RoundButtonParts.h"
#include "tests/support/TestSupport.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QtTest>

namespace {
const QColor kShadow(255, 0, 0);

// Pixels where the red shadow shows on the grey face, at least half covered, and not hidden
// under the blue text.
int shadowPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() >= 150 && c.green() <= 100 && c.blue() <= 100;
        }
    return count;
}
} // namespace

class TestSkin : public QObject {
    Q_OBJECT
private slots:
    void shadowSize_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("0 hides the shadow under the text") << 0;
        QTest::newRow("1 pixel") << 1;
        QTest::newRow("3 pixels") << 3;
    }
    void shadowSize() {
        QFETCH(int, size);
        CoolButton button;
        button.resize(60, 40);
        button.setFont(coolFont(16, true));
        button.setCaption("OK");
        button.setFontColor(QColor(0, 0, 255));
        button.setShadowColor(kShadow);
        button.setShadowSize(size);
        const int shown = shadowPixels(button.grab().toImage());
        if (size == 0)
            QCOMPARE(shown, 0);
        else
            QVERIFY2(shown > 10, qPrintable(QString::number(shown)));
    }

    // Captions keep a margin inside their buttons, the main window's longest included.
    void captionFitsItsButton_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("ownFont");
        QTest::newRow("short caption keeps its font") << "OK" << QSize(40, 40) << 16 << true;
        QTest::newRow("Russian hint caption")
            << QString::fromUtf8("Подсказка") << QSize(100, 25) << 15 << false;
        QTest::newRow("English hint caption") << "Hint" << QSize(100, 25) << 15 << true;
        QTest::newRow("very long caption")
            << "A caption far too long for it" << QSize(100, 25) << 15 << false;
    }
    void captionFitsItsButton() {
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(int, pixels);
        QFETCH(bool, ownFont);
        // A fresh button, then buttons fitted before with another caption, another width or
        // another font: what a button fitted earlier never decides its font now.
        const QString other = ownFont ? QStringLiteral("A caption far too long for it") : "OK";
        const QList<std::tuple<QString, QSize, int>> earlier = {
            {caption, size, pixels},
            {other, size, pixels},
            {caption, QSize(400, size.height()), pixels},
            {caption, size, 6}};
        for (const auto& [earlierCaption, earlierSize, earlierPixels] : earlier) {
            CoolButton button;
            button.resize(earlierSize);
            button.setFont(coolFont(earlierPixels, true));
            button.setCaption(unicodeToCp1251(earlierCaption));
            button.captionFont();
            button.resize(size);
            button.setFont(coolFont(pixels, true));
            button.setCaption(unicodeToCp1251(caption));
            const QFont font = button.captionFont();
            QCOMPARE(font == button.font(), ownFont);
            const int room = size.width() - 2 * CoolButton::kCaptionMargin - button.shadowSize();
            if (font.pixelSize() > CoolButton::kSmallestCaptionPixels)
                QVERIFY(QFontMetrics(font).horizontalAdvance(caption) <= room);
        }
    }

    // A single letter is measured as the text it is drawn as: a letter button exactly as wide
    // as its letter keeps its font, one pixel narrower it does not.
    void letterFitsToThePixel_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("pixels");
        const QString russian = QString::fromUtf8("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
        const QString english = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        QTest::newRow("Russian palette") << russian << pointsToPixels(16);
        QTest::newRow("English palette") << english << pointsToPixels(16);
        QTest::newRow("Russian, small") << russian << 11;
        QTest::newRow("English, small") << english << 11;
    }
    void letterFitsToThePixel() {
        QFETCH(QString, letters);
        QFETCH(int, pixels);
        const QFont font = coolFont(pixels, true);
        for (const QChar letter : letters) {
            const int width = QFontMetrics(font).horizontalAdvance(QString(letter));
            for (const int spare : {0, -1}) {
                CoolButton button;
                button.setFont(font);
                button.setCaption(unicodeToCp1251(QString(letter)));
                button.resize(width + spare + 2 * CoolButton::kCaptionMargin + button.shadowSize(),
                              30);
                QVERIFY2((button.captionFont() == font) == (spare == 0),
                         qPrintable(QString(letter) + QString::number(spare)));
            }
        }
    }

    // Buttons standing together share the largest font that fits all their captions.
    void captionsOfARowShareOneFont_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pixels");
        QTest::newRow("hint and skip")
            << QStringList{QString::fromUtf8("Подсказка"), QString::fromUtf8("Пропуск")}
            << QSize(100, 25) << 16;
        QTest::newRow("clearing the records")
            << QStringList{QString::fromUtf8("Очистить этот список"),
                           QString::fromUtf8("Очистить все списки")}
            << QSize(120, 25) << 11;
        QTest::newRow("both fit: the buttons' own font")
            << QStringList{"Hint", "Skip"} << QSize(100, 25) << 16;
    }
    void captionsOfARowShareOneFont() {
        QFETCH(QStringList, captions);
        QFETCH(QSize, size);
        QFETCH(int, pixels);
        CoolButton first, second;
        int widest = 0;
        QFont widestOwn;
        for (CoolButton* button : {&first, &second}) {
            const QString caption = button == &first ? captions[0] : captions[1];
            button->resize(size);
            button->setFont(coolFont(pixels, true));
            button->setCaption(unicodeToCp1251(caption));
            const int width = QFontMetrics(button->font()).horizontalAdvance(caption);
            if (width > widest) {
                widest = width;
                widestOwn = button->ownCaptionFont();
            }
        }
        fitCaptionFonts({&first, &second});
        QCOMPARE(first.captionFont(), second.captionFont());
        QCOMPARE(first.captionFont(), widestOwn);
        const int room = size.width() - 2 * CoolButton::kCaptionMargin - first.shadowSize();
        for (const QString& caption : captions)
            QVERIFY(QFontMetrics(first.captionFont()).horizontalAdvance(caption) <= room);
    }

    // The round button's rim: a light ellipse inside and a dark frame at the lower right
    // while up; pressed, the light and the frame colours swap.
    void roundButtonRim_data() {
        QTest::addColumn<bool>("pressed");
        QTest::newRow("up") << false;
        QTest::newRow("pressed") << true;
    }
    void roundButtonRim() {
        QFETCH(bool, pressed);
        CoolButton button;
        button.resize(40, 40);
        button.setRounded(true);
        button.setDown(pressed);
        const QImage image = button.grab().toImage();
        // The inner ellipse's left point against the frame ellipse's right point.
        const int inside = image.pixelColor(1, 19).lightness();
        const int outside = image.pixelColor(39, 19).lightness();
        const QByteArray shown = QByteArray::number(inside) + " / " + QByteArray::number(outside);
        QVERIFY2(pressed ? outside - inside > 100 : inside - outside > 100, shown.constData());
        // A new wallpaper shows at once, though the face of the old one is kept.
        for (const QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) {
            QPixmap wallpaper(8, 8);
            wallpaper.fill(colour);
            button.setWallpaper(wallpaper);
            QCOMPARE(button.grab().toImage().pixelColor(20, 12), colour);
        }
    }

    // A rim and a face laid from their kept pictures look as the stroked rim and the face painted
    // through its clip, wherever the button stands, on a patterned background: within two levels
    // in 255 at 100%, where Qt blends a few pixels of a stroke twice and the face's edge is
    // blended once from the picture instead of through the clip; the rim exactly and the face
    // within a level on a denser screen.
    void keptRoundPartsLookAsDrawn_data() {
        QTest::addColumn<QString>("part"); // "rim", "face 1" or "face 2" (another picture)
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("levels");
        const QSize button(40, 40);
        QTest::newRow("rim, 100%") << "rim" << 1.0 << QPoint(7, 3) << false << button << 2;
        QTest::newRow("rim, 100%, pressed") << "rim" << 1.0 << QPoint(0, 0) << true << button << 2;
        QTest::newRow("rim, 100%, a second size")
            << "rim" << 1.0 << QPoint(20, 11) << false << QSize(31, 27) << 2;
        QTest::newRow("rim, 200%") << "rim" << 2.0 << QPoint(13, 29) << false << button << 0;
        QTest::newRow("rim, 200%, pressed") << "rim" << 2.0 << QPoint(5, 8) << true << button << 0;
        QTest::newRow("rim, 150%: stroked") << "rim" << 1.5 << QPoint(3, 7) << false << button << 0;
        QTest::newRow("face, 100%") << "face 1" << 1.0 << QPoint(7, 3) << false << button << 2;
        QTest::newRow("face, 100%, another picture")
            << "face 2" << 1.0 << QPoint(0, 0) << false << button << 2;
        QTest::newRow("face, 100%, a second size")
            << "face 1" << 1.0 << QPoint(20, 11) << false << QSize(31, 27) << 2;
        QTest::newRow("face, 200%") << "face 1" << 2.0 << QPoint(13, 29) << false << button << 1;
        QTest::newRow("face, 150%: through the clip")
            << "face 2" << 1.5 << QPoint(3, 7) << false << button << 0;
    }
    void keptRoundPartsLookAsDrawn() {
        QFETCH(QString, part);
        QFETCH(qreal, ratio);
        QFETCH(QPoint, at);
        QFETCH(bool, pressed);
        QFETCH(QSize, size);
        QFETCH(int, levels);
        const QRect area(at, size);
        // Two faces, each a picture of its own tiled from the button's corner.
        const int face = part == "face 2" ? 2 : 1;
        QImage tile(9, 7, QImage::Format_RGB32);
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                tile.setPixel(x, y, qRgb(x * 28 * face % 256, 200 - y * 20, face * 90));
        const QPixmap picture = QPixmap::fromImage(tile);
        const auto paintFace = [&](QPainter& painter, const QRect& rect) {
            painter.drawTiledPixmap(rect, picture);
        };
        const auto paint = [&](bool kept) {
            QImage image((QSizeF(80, 80) * ratio).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x + y) * 11 % 256));
            QPainter painter(&image);
            if (part == "rim" && kept)
                paintRoundRim(painter, area, pressed);
            else if (part == "rim")
                strokeRoundRim(painter, area, pressed);
            else if (kept)
                paintRoundFace(painter, area, face, paintFace);
            else
                clipRoundFace(painter, area, paintFace);
            return image;
        };
        // Twice, so the second painting takes the pictures the first one kept.
        paint(true);
        const QImage kept = paint(true);
        const QImage drawn = paint(false);
        int worst = 0;
        for (int y = 0; y < kept.height(); ++y)
            for (int x = 0; x < kept.width(); ++x) {
                const QRgb a = kept.pixel(x, y), b = drawn.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                  std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        QVERIFY2(worst <= levels, qPrintable(QString::number(worst)));
    }

    // The field's cells at 125%, 150% and 200%: every cell's edges are equally wide in device
    // pixels, though the cells start at fractions of a device pixel.
    void bevelsAreWholeDevicePixels_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("edge"); // both edges of a side, in device pixels
        QTest::newRow("125%") << 1.25 << 2;
        QTest::newRow("150%") << 1.5 << 4;
        QTest::newRow("200%") << 2.0 << 4;
    }
    void bevelsAreWholeDevicePixels() {
        QFETCH(qreal, ratio);
        QFETCH(int, edge);
        constexpr int kCells = 5;
        constexpr int kSide = 40;
        QWidget board;
        board.resize(3 + kCells * kSide, kSide + 2);
        for (int i = 0; i < kCells; ++i) {
            auto* cell = new CoolLabel(&board);
            cell->setBevels(BevelKind::Raised, BevelKind::Raised);
            cell->setGeometry(3 + kSide * i, 1, kSide, kSide);
        }
        QImage image((QSizeF(board.size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        board.render(&image);
        // The runs of the highlight and of the shadow along a line through the cells' middles.
        const int y = qRound((1 + kSide / 2) * ratio);
        QList<int> lit, shaded;
        for (int x = 0; x < image.width();) {
            const QRgb colour = image.pixel(x, y);
            int run = 1;
            while (x + run < image.width() && image.pixel(x + run, y) == colour)
                ++run;
            if (colour == qRgb(255, 255, 255))
                lit << run;
            else if (colour == qRgb(128, 128, 128))
                shaded << run;
            x += run;
        }
        const QList<int> expected(kCells, edge);
        QCOMPARE(lit, expected);
        QCOMPARE(shaded, expected);
    }

    // A wallpaper painted in bands under a round antialiased clip gives exactly the pixels of
    // one painting, and no band is taller than the rows Qt still paints on the calling thread.
    void wallpaperBandsPaintAsOne_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<qreal>("pictureRatio");
        QTest::addColumn<bool>("clipped");
        QTest::addColumn<int>("calls");
        QTest::newRow("100%") << 1.0 << 1.0 << true << 9;
        QTest::newRow("100%, unclipped") << 1.0 << 1.0 << false << 3;
        QTest::newRow("200%, dense picture") << 2.0 << 2.0 << true << 17;
        QTest::newRow("200%, plain picture") << 2.0 << 1.0 << true << 17;
        QTest::newRow("200%, unclipped") << 2.0 << 2.0 << false << 5;
        QTest::newRow("150%: one call") << 1.5 << 1.5 << true << 1;
    }
    void wallpaperBandsPaintAsOne() {
        QFETCH(qreal, ratio);
        QFETCH(qreal, pictureRatio);
        QFETCH(bool, clipped);
        QFETCH(int, calls);
        // A 13 x 11 picture every pixel of which differs, so any shift of the copies shows.
        QImage tile((QSizeF(13, 11) * pictureRatio).toSize(), QImage::Format_RGB32);
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                tile.setPixel(x, y, qRgb(x * 9, y * 11, (x * 7 + y * 5) % 256));
        QPixmap wallpaper = QPixmap::fromImage(tile);
        wallpaper.setDevicePixelRatio(pictureRatio);
        const QRect area(3, 5, 140, 133);
        const auto paint = [&](bool banded, QList<QRect>* bands) {
            QImage image((QSizeF(150, 145) * ratio).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::black);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            QPainterPath round;
            round.addEllipse(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
            if (clipped)
                painter.setClipPath(round);
            if (!banded)
                painter.drawTiledPixmap(area, wallpaper);
            else
                paintInBands(painter, area, [&](const QRect& band, int fromTop) {
                    *bands << band;
                    painter.drawTiledPixmap(band, wallpaper, QPoint(0, fromTop));
                });
            return image;
        };
        QList<QRect> bands;
        QCOMPARE(paint(true, &bands), paint(false, nullptr));
        QCOMPARE(bands.size(), calls);
        int covered = 0;
        for (const QRect& band : std::as_const(bands)) {
            QVERIFY(calls == 1 || band.height() * ratio <= (clipped ? 16 : 64));
            QCOMPARE(band.top(), area.top() + covered);
            covered += band.height();
        }
        QCOMPARE(covered, area.height());
    }

    // A rectangle's edges filled as pixels match the same edges drawn as one-pixel lines,
    // corners shared and half-transparent colours included, and leave the same pen.
    void edgeLinesMatchDrawnLines_data() {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<qreal>("opacity");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("antialiased");
        const QRect bevel(2, 3, 30, 20);
        QTest::newRow("a label's bevel") << bevel << QPoint() << 1.0 << 1.0 << false;
        QTest::newRow("moved, half opaque") << bevel << QPoint(5, 4) << 0.5 << 1.0 << false;
        QTest::newRow("one pixel high") << QRect(4, 6, 12, 1) << QPoint() << 0.5 << 1.0 << false;
        QTest::newRow("one pixel wide") << QRect(4, 6, 1, 12) << QPoint() << 0.5 << 1.0 << false;
        QTest::newRow("a single pixel") << QRect(4, 6, 1, 1) << QPoint() << 0.5 << 1.0 << false;
        QTest::newRow("turned inside out") << QRect(9, 9, -3, 4) << QPoint() << 1.0 << 1.0 << false;
        QTest::newRow("150%") << bevel << QPoint() << 1.0 << 1.5 << false;
        QTest::newRow("200%") << bevel << QPoint() << 1.0 << 2.0 << false;
        QTest::newRow("antialiased") << bevel << QPoint() << 1.0 << 1.0 << true;
    }
    void edgeLinesMatchDrawnLines() {
        QFETCH(QRect, rect);
        QFETCH(QPoint, shift);
        QFETCH(qreal, opacity);
        QFETCH(qreal, ratio);
        QFETCH(bool, antialiased);
        const QColor topLeft(255, 255, 255), bottomRight(0, 0, 255);
        const auto paint = [&](bool lines, QColor* pen) {
            QImage image(QSize(50, 40) * 2, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(QColor(90, 90, 90));
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, antialiased);
            painter.translate(shift);
            painter.setOpacity(opacity);
            if (lines) {
                painter.setPen(topLeft);
                painter.drawLine(rect.topLeft(), rect.topRight());
                painter.drawLine(rect.topLeft(), rect.bottomLeft());
                painter.setPen(bottomRight);
                painter.drawLine(rect.bottomLeft(), rect.bottomRight());
                painter.drawLine(rect.topRight(), rect.bottomRight());
            } else {
                paintEdgeLines(painter, rect, topLeft, bottomRight);
            }
            *pen = painter.pen().color();
            return image;
        };
        QColor drawnPen, filledPen;
        const QImage drawn = paint(true, &drawnPen);
        QCOMPARE(paint(false, &filledPen), drawn);
        QCOMPARE(filledPen, drawnPen);
    }

    // A long caption ends in an ellipsis with its start visible; a short one stays whole.
    void labelElidesAtTheEnd_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("elided");
        QTest::newRow("short name") << "Ann" << false;
        QTest::newRow("long name") << "A long champion name that keeps going" << true;
    }
    void labelElidesAtTheEnd() {
        QFETCH(QString, caption);
        QFETCH(bool, elided);
        CoolLabel label;
        label.resize(195, 25);
        label.setFont(coolFont(19));
        label.setAlignment(Qt::AlignCenter);
        label.setElided(true);
        label.setCaption(unicodeToCp1251(caption));
        const QString shown = label.shownText();
        QCOMPARE(shown == caption, !elided);
        if (elided) {
            QVERIFY2(shown.endsWith(QChar(0x2026)) && caption.startsWith(shown.chopped(1)),
                     qPrintable(shown));
            QVERIFY(QFontMetrics(label.font()).horizontalAdvance(shown) <= label.width());
        }
    }

    // The dialog draws its own caption bar; the window manager adds no frame and no buttons.
    void dialogShowsItsTitleInItsOwnCaption() {
        CoolDialog dialog(nullptr, "Dialog", 200, 100, CoolDialog::MainInput::Free);
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(dialog.clientArea->geometry(), dialog.clientRect());
        QCOMPARE(dialog.size(),
                 QSize(200 + 2 * CoolDialog::kFrameWidth,
                       100 + 2 * CoolDialog::kFrameWidth + CoolDialog::kToolCaptionHeight));
        dialog.setWindowTitle("Records");
        const QImage first = dialog.grab(dialog.captionRect()).toImage();
        dialog.setWindowTitle("Game over");
        const QImage second = dialog.grab(dialog.captionRect()).toImage();
        QVERIFY(first != second);
    }

    void dialogOpensAtTheSamePlaceEachTime() {
        CoolDialog dialog(nullptr, "Dialog", 292, 133, CoolDialog::MainInput::Free);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QList<QRect> places;
        for (int showing = 0; showing < 2; ++showing) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            places << dialog.frameGeometry();
            dialog.hide();
        }
        QCOMPARE(places[1], places[0]);
        QVERIFY((places[0].center() - screen.center()).manhattanLength() <= 1);
    }

    // A dialog opens over the game's window wherever it was moved, inside the screen.
    void dialogOpensOverItsOwner_data() {
        QTest::addColumn<QPoint>("ownerAt");
        QTest::addColumn<QPoint>("expectedCentre");
        QTest::newRow("owner moved left and up") << QPoint(10, 20) << QPoint(10 + 293, 20 + 214);
        QTest::newRow("owner half off the screen: kept inside")
            << QPoint(-500, 20) << QPoint(149, 20 + 214);
    }
    void dialogOpensOverItsOwner() {
        QFETCH(QPoint, ownerAt);
        QFETCH(QPoint, expectedCentre);
        QWidget owner;
        owner.setWindowFlag(Qt::FramelessWindowHint);
        owner.setGeometry(QRect(ownerAt, QSize(586, 428)));
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        CoolDialog dialog(&owner, "Dialog", 292, 133, CoolDialog::MainInput::Free);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect place = dialog.frameGeometry();
        dialog.hide();
        QVERIFY2(
            (place.center() - expectedCentre).manhattanLength() <= 2,
            qPrintable(QStringLiteral("%1,%2").arg(place.center().x()).arg(place.center().y())));
    }

    // A control with the keyboard focus shows a mark, square or round.
    void focusMarkShows_data() {
        QTest::addColumn<bool>("rounded");
        QTest::newRow("square button") << false;
        QTest::newRow("round button") << true;
    }
    void focusMarkShows() {
        QFETCH(bool, rounded);
        CoolDialog dialog(nullptr, "Dialog", 200, 100, CoolDialog::MainInput::Free);
        auto* button = new CoolButton(dialog.clientArea);
        button->setGeometry(10, 10, 60, 40);
        button->setRounded(rounded);
        button->setFocusPolicy(Qt::TabFocus);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        button->clearFocus();
        const QImage without = button->grab().toImage();
        button->setFocus();
        QVERIFY(button->hasFocus());
        const QImage with = button->grab().toImage();
        QVERIFY(with != without);
        dialog.hide();
    }
};

VORDA_TEST_MAIN(TestSkin)
#include "tst_skin.moc"
