// The skinned controls and the dialogs' own frame: caption shadows, captions that fit their
// buttons, and where a dialog stands each time it shows.
#include "platform/Cp1251.h"
#include "skin/CoolControls.h"
#include "skin/CoolDialog.h"
#include "tests/support/TestSupport.h"

#include <QGuiApplication>
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
        TCoolBtn button;
        button.resize(60, 40);
        button.setFont(CoolFont(16, true));
        button.SetCaption("OK");
        button.SetFontColor(QColor(0, 0, 255));
        button.SetShadowColor(kShadow);
        button.SetShadowSize(size);
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
        TCoolBtn button;
        button.resize(size);
        button.setFont(CoolFont(pixels, true));
        button.SetCaption(UnicodeToCp1251(caption));
        const QFont font = button.CaptionFont();
        QCOMPARE(font == button.font(), ownFont);
        const int room = size.width() - 2 * TCoolBtn::kCaptionMargin - button.ShadowSize();
        if (font.pixelSize() > TCoolBtn::kSmallestCaptionPixels)
            QVERIFY(QFontMetrics(font).horizontalAdvance(caption) <= room);
    }

    // The dialog draws its own caption bar; the window manager adds no frame and no buttons.
    void dialogShowsItsTitleInItsOwnCaption() {
        TCoolDialog dialog(nullptr, "Dialog", 200, 100, TCoolDialog::MainInput::Free);
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(dialog.Hook->geometry(), dialog.ClientRect());
        QCOMPARE(dialog.size(),
                 QSize(200 + 2 * TCoolDialog::kFrameWidth,
                       100 + 2 * TCoolDialog::kFrameWidth + TCoolDialog::kToolCaptionHeight));
        dialog.setWindowTitle("Records");
        const QImage first = dialog.grab(dialog.CaptionRect()).toImage();
        dialog.setWindowTitle("Game over");
        const QImage second = dialog.grab(dialog.CaptionRect()).toImage();
        QVERIFY(first != second);
    }

    void dialogOpensAtTheSamePlaceEachTime() {
        TCoolDialog dialog(nullptr, "Dialog", 292, 133, TCoolDialog::MainInput::Free);
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
};

VORDA_TEST_MAIN(TestSkin)
#include "tst_skin.moc"
