#pragma once

#include "app/BoardView.h"
#include "app/FieldCell.h"
#include "app/MainWindow.h"
#include "extras/GameServices.h"
#include "tests/support/TestSupport.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QAbstractButton;
class CoolButton;
class FieldCell;

// A running main window in a program folder of its own: libraries and settings written by the
// test, a fast main timer, sounds and web addresses recorded instead of played.
class GameFixture : public WebOpener {
public:
    // Word lists as UTF-8 lines; each is written CP1251 with CR LF, beside a ranks file that
    // ranks none of them. A null settings text
    // copies the settings file that accompanies the program.
    // `beforeStart`, when given, runs on the folder after its files are written and before
    // the window starts.
    GameFixture(const QStringList& russianWords, const QStringList& englishWords,
                const QByteArray& settings = QByteArray(),
                const std::function<void(const TestGameFolder&)>& beforeStart = nullptr);
    // English from the start: the accompanying settings file with LanguageNumber 2.
    static QByteArray englishSettings();
    ~GameFixture() override;

    MainWindow& window() { return *window_; }
    // What main() would own: the window's sound, settings, records and libraries.
    GameServices& services() { return services_; }
    GameModel& model() { return window_->model(); }
    // Changes the game as a saved game or a long play could have left it.
    void changeState(const std::function<void(GameState&)>& change);
    // Lets the computer's turn or the shake of its head run to its end (or to the close).
    void waitWhileBusy();
    TestGameFolder& folder() { return folder_; }
    ErrorBoxRecorder& errors() { return *errors_; }

    // The player's hand.
    void pressLetter(const QString& letter, Qt::MouseButton button = Qt::LeftButton);
    void enterCell(int col, int row);
    void leaveCell(int col, int row);
    void clickCell(int col, int row);
    void rightClick();
    // A click on a button of the window (skip, hint), and the turn it starts run out.
    void click(QAbstractButton* button);
    // Letter chosen, moved onto the cell and clicked there.
    void placeLetter(const QString& letter, int col, int row);
    // Clicks the cells in order, then clicks the first of them again to confirm.
    void spellAndConfirm(const QList<QPoint>& cells);

    // Puts letters on the board as if played: rows top first, "?" a free cell. The model's
    // board changes; the move in progress is dropped.
    void setBoard(const QStringList& rows);
    // The board as five strings, row 1 first, "?" for an empty cell.
    QStringList board() const;
    QString word() const;                 // the caption of Slowo
    QStringList column(int player) const; // the non-empty lines of a word column
    QString score(int player) const;
    QList<int> sounds;
    QStringList openedAddresses;

    CoolButton* letterButton(const QString& letter) const;
    FieldCell* cell(int col, int row) const;

    // Records the address; fails while noBrowser is set.
    bool open(const QString& address) override {
        openedAddresses << address;
        return !noBrowser;
    }
    bool noBrowser = false;

private:
    // Made first and given up last: the window holds on to it.
    GameServices services_;
    TestGameFolder folder_;
    std::unique_ptr<ErrorBoxRecorder> errors_;
    std::unique_ptr<MainWindow> window_;
};

// CP1251 CR LF bytes of word lines given in UTF-8.
QByteArray libraryBytes(const QStringList& words);

// Acts on the next modal window as soon as it shows, once the test lets events run
// (settleDialogs).
void whenDialogShows(std::function<void(QDialog*)> action);
// Runs events until every action of whenDialogShows has run to its end; within an action that
// waits for a window of its own, until only `remaining` (itself) are left.
void settleDialogs(int remaining = 0);
