// The main window's own frame: the home-page button in the caption bar, the caption buttons
// and the dotted outline.
#include "tests/support/GameFixture.h"

#include <QtTest>

namespace {
const QStringList kRussian = {QString::fromUtf8("КОШКА")};
const QStringList kEnglish = {"HOUSE"};
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
        GameFixture game(kRussian, kEnglish);
        TMainWindow& w = game.window();
        QCoreApplication::processEvents();
        const QRect hit = w.LinkHitRect();
        QCOMPARE(w.LinkButtonRect.top(), hit.top() - 1); // painted one row higher
        QCOMPARE(w.LinkButtonRect.bottom(), hit.bottom());
        QPoint press = hit.center();
        if (gesture == "top row")
            press = QPoint(hit.center().x(), w.LinkButtonRect.top());
        if (gesture == "from caption")
            press = QPoint(40, hit.center().y());
        QTest::mousePress(&w, Qt::LeftButton, {}, press);
        QCOMPARE(w.LinkPressed, gesture == "click" || gesture == "move off");
        QPoint release = hit.center();
        if (gesture == "move off") {
            release = hit.center() + QPoint(0, 40);
            QTest::mouseMove(&w, release);
            QVERIFY(!w.LinkPressed);
        }
        QTest::mouseRelease(&w, Qt::LeftButton, {}, release);
        QVERIFY(!w.LinkPressed);
        QCOMPARE(game.openedAddresses, opens ? QStringList{HomePageUrl} : QStringList{});
    }

    void buttonEndsThreeCaptionButtonsFromTheFrame() {
        GameFixture game(kRussian, kEnglish);
        TMainWindow& w = game.window();
        QCOMPARE(w.width(), kOuterWidth);
        QCOMPARE(w.LinkHitRect().right() + 1, kOuterWidth - kSmCxFrame - 3 * kSmCxSize);
        QVERIFY(w.CaptionButtonRect(0).left() >= w.LinkHitRect().right());
        QVERIFY(w.CaptionButtonRect(2).right() < kOuterWidth - kSmCxFrame);
    }

    void closeButtonClosesTheWindow() {
        GameFixture game(kRussian, kEnglish);
        TMainWindow& w = game.window();
        QTest::mouseClick(&w, Qt::LeftButton, {}, w.CaptionButtonRect(2).center());
        QVERIFY(!w.isVisible());
        QVERIFY(w.ClosingDown());
    }

    void outlineIsDottedRedOutsideBlueInside() {
        GameFixture game(kRussian, kEnglish);
        TMainWindow& w = game.window();
        const QImage frame = w.grab().toImage();
        const int h = frame.height();
        int redTop = 0, blueLeft = 0, blueSecondRow = 0, redSecondColumn = 0;
        for (int x = 2; x < frame.width() - 2; ++x) {
            redTop += frame.pixelColor(x, 0) == QColor(255, 0, 0);
            blueSecondRow += frame.pixelColor(x, 1) == QColor(0, 0, 255);
        }
        for (int y = 2; y < h - 2; ++y) {
            blueLeft += frame.pixelColor(0, y) == QColor(0, 0, 255);
            redSecondColumn += frame.pixelColor(1, y) == QColor(255, 0, 0);
        }
        // Dotted: about every other pixel of each line.
        QVERIFY(redTop > frame.width() / 3 && redTop < frame.width() * 2 / 3);
        QVERIFY(blueLeft > h / 3 && blueLeft < h * 2 / 3);
        QVERIFY(blueSecondRow > 0 && redSecondColumn > 0);
    }

    void captionShowsTheTitle() {
        GameFixture game(kRussian, kEnglish);
        TMainWindow& w = game.window();
        const QImage before = w.grab(QRect(0, 0, w.LinkHitRect().left(), 24)).toImage();
        w.setWindowTitle("A different title");
        QCoreApplication::processEvents();
        const QImage after = w.grab(QRect(0, 0, w.LinkHitRect().left(), 24)).toImage();
        QVERIFY(before != after);
    }
};

VORDA_TEST_MAIN(TestFrame)
#include "tst_frame.moc"
