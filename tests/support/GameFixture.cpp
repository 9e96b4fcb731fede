#include "tests/support/GameFixture.h"

#include "app/BoardView.h"
#include "app/FieldCell.h"
#include "app/WordSheetsView.h"
#include "core/WordLibrary.h"
#include "extras/GameServices.h"
#include "extras/SoundEffects.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "records/NameEntryWindow.h"
#include "records/RecordsTable.h"
#include "settings/SettingsFile.h"
#include "settings/StrengthWindow.h"
#include "skin/CoolControls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFile>
#include <QTimer>
#include <QtTest>

namespace {
// Actions of whenDialogShows that have not run to their end yet.
int pendingDialogActions = 0;

// Every game's end shows the name entry and the records window. A test that ends a game on
// its way and waits for neither gets them closed with OK, as a player would, and goes on with
// the new game. Any other modal window that nobody waits for (an add-word question a test did
// not expect) fails the test and is closed, rather than leaving the test hanging in its exec.
void closeGameEndWindowsNobodyWaitsFor(QWidget* owner) {
    auto* closer = new QTimer(owner);
    closer->setInterval(5);
    QObject::connect(closer, &QTimer::timeout, [] {
        if (pendingDialogActions > 0)
            return;
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible())
            return;
        if (qobject_cast<NameEntryWindow*>(modal) || qobject_cast<RecordsWindow*>(modal)) {
            modal->accept();
            return;
        }
        const QString message = QStringLiteral("unexpected window: ") + modal->objectName();
        modal->reject();
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    });
    closer->start();
}
} // namespace

QByteArray libraryBytes(const QStringList& words) {
    QByteArray bytes;
    for (const QString& word : words)
        bytes += QByteArray::fromStdString(unicodeToCp1251(word)) + "\r\n";
    return bytes;
}

GameFixture::GameFixture(const QStringList& russianWords, const QStringList& englishWords,
                         const QByteArray& settings,
                         const std::function<void(const TestGameFolder&)>& beforeStart) {
    errors_ = std::make_unique<ErrorBoxRecorder>();
    folder_.write("DATA/Lib.RUS", libraryBytes(russianWords));
    folder_.write("DATA/Lib.ENG", libraryBytes(englishWords));
    // Ranks files that rank nothing: every word is rarest, and the start has nothing to say.
    folder_.write("DATA/Ranks.RUS", "; no ranks\r\n");
    folder_.write("DATA/Ranks.ENG", "; no ranks\r\n");
    folder_.copyFromDist("DATA/Winners");
    if (settings.isNull())
        folder_.copyFromDist("Vorda2000.ini");
    else
        folder_.write("Vorda2000.ini", settings);
    if (beforeStart)
        beforeStart(folder_);
    // Module state as a fresh start of the program has it.
    initSettingsFile(services_.settingsFile());
    initTextures();
    window_ = std::make_unique<MainWindow>(services_);
    window_->setTimerIntervalForTests(2);
    window_->setWebOpener(this);
    closeGameEndWindowsNobodyWaitsFor(window_.get());
    services_.sound().effectObserver = [this](int number) { sounds << number; };
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

GameFixture::~GameFixture() {
    window_.reset();
}

CoolButton* GameFixture::letterButton(const QString& letter) const {
    const std::string bytes = unicodeToCp1251(letter);
    for (int i = 1; i <= LetterPalette::kButtons; ++i)
        if (window_->letterPalette().button(i)->caption() == bytes)
            return window_->letterPalette().button(i);
    return nullptr;
}

FieldCell* GameFixture::cell(int col, int row) const {
    return window_->board().cell(col, row);
}

void GameFixture::changeState(const std::function<void(GameState&)>& change) {
    GameState state = model().state();
    change(state);
    model().restore(state);
}

void GameFixture::waitWhileBusy() {
    QElapsedTimer clock;
    clock.start();
    while (window_->busy() && window_->isVisible() && clock.elapsed() < 20000)
        QTest::qWait(1);
    QVERIFY2(!window_->busy() || !window_->isVisible(), "the computer's turn did not end");
}

void GameFixture::click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    waitWhileBusy();
}

void GameFixture::pressLetter(const QString& letter, Qt::MouseButton button) {
    CoolButton* b = letterButton(letter);
    QVERIFY2(b, qPrintable("no letter button " + letter));
    QTest::mousePress(b, button, {}, QPoint(17, 17));
    QTest::mouseRelease(b, button, {}, QPoint(17, 17));
    waitWhileBusy();
}

void GameFixture::enterCell(int col, int row) {
    FieldCell* c = cell(col, row);
    const QPoint local(20, 20);
    QEnterEvent enter(local, c->mapTo(c->window(), local), c->mapToGlobal(local));
    QApplication::sendEvent(c, &enter);
}

void GameFixture::leaveCell(int col, int row) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(cell(col, row), &leave);
}

void GameFixture::clickCell(int col, int row) {
    QTest::mouseClick(cell(col, row), Qt::LeftButton, {}, QPoint(20, 20));
    waitWhileBusy();
}

void GameFixture::rightClick() {
    QTest::mouseClick(window_->wordDisplay(), Qt::RightButton, {}, QPoint(5, 5));
    waitWhileBusy();
}

void GameFixture::placeLetter(const QString& letter, int col, int row) {
    pressLetter(letter);
    enterCell(col, row);
    clickCell(col, row);
}

void GameFixture::spellAndConfirm(const QList<QPoint>& cells) {
    for (const QPoint& p : cells)
        clickCell(p.x(), p.y());
    clickCell(cells.first().x(), cells.first().y());
}

QStringList GameFixture::board() const {
    QStringList rows;
    for (int r = 1; r <= 5; ++r) {
        QString row;
        for (int c = 1; c <= 5; ++c) {
            const std::string& caption = cell(c, r)->caption();
            row += caption.empty() ? QStringLiteral("?") : cp1251ToUnicode(caption);
        }
        rows << row;
    }
    return rows;
}

QString GameFixture::word() const {
    return cp1251ToUnicode(window_->wordDisplay()->caption());
}

QStringList GameFixture::column(int player) const {
    QStringList lines;
    for (int line = 1; line <= kSheetLines; ++line)
        if (!window_->sheets().line(player, line)->caption().empty())
            lines << cp1251ToUnicode(window_->sheets().line(player, line)->caption());
    return lines;
}

QString GameFixture::score(int player) const {
    return cp1251ToUnicode(window_->sheets().score(player)->caption());
}

QByteArray GameFixture::englishSettings() {
    QFile file(QStringLiteral(VORDA_SOURCE_DIR "/dist/Vorda2000.ini"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the settings file of dist/");
    QByteArray bytes = file.readAll();
    bytes.replace("LanguageNumber=1", "LanguageNumber=2");
    return bytes;
}

void GameFixture::setBoard(const QStringList& rows) {
    changeState([&rows](GameState& state) {
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                state.board.cells[c][r].letter = unicodeToCp1251(rows[r].mid(c, 1))[0];
        state.phase = MovePhase::Placing;
        state.placed = CellPos();
        state.wordPath.clear();
    });
}

void settleDialogs(int remaining) {
    QElapsedTimer clock;
    clock.start();
    while (pendingDialogActions > remaining && clock.elapsed() < 10000)
        QTest::qWait(1);
    QVERIFY2(pendingDialogActions <= remaining, "a window waited for did not show");
}

void whenDialogShows(std::function<void(QDialog*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    ++pendingDialogActions;
    // A window that never shows leaves no watcher behind for the next test.
    QTimer::singleShot(10000, timer, [timer] {
        timer->stop();
        timer->deleteLater();
        --pendingDialogActions;
    });
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        // Counted until the action is over: it may wait in a modal window of its own.
        action(dialog);
        --pendingDialogActions;
    });
    timer->start();
}
