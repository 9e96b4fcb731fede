// The main window's own frame: the home-page button in the caption bar, the caption buttons
// and the dotted outline.
#include "tests/support/GameFixture.h"

#include <QMenuBar>
#include <QtTest>

namespace {
const QStringList kRussianWords = {QString::fromUtf8("КОШКА")};
const QStringList kEnglishWords = {"HOUSE"};
} // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void homePageButton_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<bool>("opens");
        QTest::newRow("press and release on the button") << "click" << true;
        QTest::newRow("press, move off, release") << "move off" << false;
        QTest::newRow("press on the top row of the button") << "top row" << false;
        QTest::newRow("press on the caption, release on the button") << "from caption" << false;
    }
    void homePageButton() {
        QFETCH(QString, gesture);
        QFETCH(bool, opens);
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        QCoreApplication::processEvents();
        const QRect hit = w.captionBar().linkHitRect();
        QCOMPARE(w.captionBar().linkButtonRect().top(), hit.top() - 1); // painted one row higher
        QCOMPARE(w.captionBar().linkButtonRect().bottom(), hit.bottom());
        QPoint press = hit.center();
        if (gesture == "top row")
            press = QPoint(hit.center().x(), w.captionBar().linkButtonRect().top());
        if (gesture == "from caption")
            press = QPoint(40, hit.center().y());
        QTest::mousePress(&w, Qt::LeftButton, {}, press);
        QCOMPARE(w.captionBar().linkPressed(), gesture == "click" || gesture == "move off");
        QPoint release = hit.center();
        if (gesture == "move off") {
            release = hit.center() + QPoint(0, 40);
            QTest::mouseMove(&w, release);
            QVERIFY(!w.captionBar().linkPressed());
        }
        QTest::mouseRelease(&w, Qt::LeftButton, {}, release);
        QVERIFY(!w.captionBar().linkPressed());
        QCOMPARE(game.openedAddresses, opens ? QStringList{homePageUrl} : QStringList{});
    }

    void buttonEndsThreeCaptionButtonsFromTheFrame() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        QCOMPARE(w.width(), kOuterWidth);
        QCOMPARE(w.captionBar().linkHitRect().right() + 1,
                 kOuterWidth - kSmCxFrame - 3 * kSmCxSize);
        QVERIFY(w.captionBar().buttonRect(0).left() >= w.captionBar().linkHitRect().right());
        QVERIFY(w.captionBar().buttonRect(2).right() < kOuterWidth - kSmCxFrame);
    }

    void closeButtonClosesTheWindow() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        QTest::mouseClick(&w, Qt::LeftButton, {}, w.captionBar().buttonRect(2).center());
        QVERIFY(!w.isVisible());
        QVERIFY(w.closingDown());
    }

    // Red outermost rows and blue outermost columns, the colours swapped one pixel in.
    void outlineIsDottedRedOutsideBlueInside_data() {
        QTest::addColumn<bool>("row");
        QTest::addColumn<int>("fromEdge");
        QTest::addColumn<bool>("farEdge");
        QTest::addColumn<QColor>("colour");
        const QColor red(255, 0, 0), blue(0, 0, 255);
        QTest::newRow("top row") << true << 0 << false << red;
        QTest::newRow("bottom row") << true << 0 << true << red;
        QTest::newRow("left column") << false << 0 << false << blue;
        QTest::newRow("right column") << false << 0 << true << blue;
        QTest::newRow("second row") << true << 1 << false << blue;
        QTest::newRow("second row from the bottom") << true << 1 << true << blue;
        QTest::newRow("second column") << false << 1 << false << red;
        QTest::newRow("second column from the right") << false << 1 << true << red;
    }
    void outlineIsDottedRedOutsideBlueInside() {
        QFETCH(bool, row);
        QFETCH(int, fromEdge);
        QFETCH(bool, farEdge);
        QFETCH(QColor, colour);
        GameFixture game(kRussianWords, kEnglishWords);
        const QImage frame = game.window().grab().toImage();
        const QColor other = colour == QColor(255, 0, 0) ? QColor(0, 0, 255) : QColor(255, 0, 0);
        const int across = row ? frame.height() : frame.width();
        const int along = row ? frame.width() : frame.height();
        const int line = farEdge ? across - 1 - fromEdge : fromEdge;
        int own = 0, foreign = 0;
        // The corners, where the lines cross, are left out.
        for (int i = 2; i < along - 2; ++i) {
            const QColor pixel = row ? frame.pixelColor(i, line) : frame.pixelColor(line, i);
            own += pixel == colour;
            foreign += pixel == other;
        }
        // Dotted: about every other pixel.
        QVERIFY2(own > along / 3 && own < along * 2 / 3, qPrintable(QString::number(own)));
        QCOMPARE(foreign, 0);
    }

    void outerSizeFollowsOurMetrics() {
        GameFixture game(kRussianWords, kEnglishWords);
        QCOMPARE(game.window().size(), QSize(kOuterWidth, kOuterHeight));
        QCOMPARE(game.window().menu().menuBar->height(), kMenuHeight);
    }

    void captionShowsTheTitle() {
        GameFixture game(kRussianWords, kEnglishWords);
        MainWindow& w = game.window();
        const QImage before =
            w.grab(QRect(0, 0, w.captionBar().linkHitRect().left(), 24)).toImage();
        w.setWindowTitle("A different title");
        QCoreApplication::processEvents();
        const QImage after = w.grab(QRect(0, 0, w.captionBar().linkHitRect().left(), 24)).toImage();
        QVERIFY(before != after);
    }
};

VORDA_TEST_MAIN(TestFrame)
#include "tst_frame.moc"
