#pragma once

#include "skin/CoolDialog.h"

#include "core/LanguageTable.h"
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CoolBevel;
class GameDialogs;
class GameServices;
struct GameSession;
class CoolButton;
class CoolLabel;

// --- The records table: the ten best results for every language and computer strength ----

// One place of a list. Name is Windows-1251 bytes as typed (no line breaks).
struct RecordEntry {
    std::string name;
    int32_t score = 0;
};

// A place whose score is emptyScore holds no result; an emptied place also has the name "-".
constexpr int32_t emptyScore = -666;
constexpr int kRecordLanguages = kLanguageCount; // by language number
constexpr int kRecordStrengths = 6;              // maxWordLength - 2
constexpr int kRecordPlaces = 10;                // place 1 is the best
extern const char* const emptyName;

// The records of a program, owned by its GameServices: the lists, and what reading and
// writing the records file remember between them.
struct RecordsTable {
    // lists[language 1..2][strength 1..6][place 1..10]; index 0 is unused in every dimension.
    // Each list is kept in descending order of Score by addRecord.
    RecordEntry lists[kRecordLanguages + 1][kRecordStrengths + 1][kRecordPlaces + 1];

    // A records file that could not be read whole is kept beside the file before the close
    // replaces it: its bytes as read, or, when it could not be read at all, the file itself.
    struct KeptFile {
        bool pending = false;
        bool unreadable = false;
        QByteArray bytes;
        QString keepAs;
    };
    KeptFile keptFile;

    // The whole lists, copied for the merge with what another copy of the game wrote.
    struct Snapshot {
        RecordEntry places[kRecordLanguages + 1][kRecordStrengths + 1][kRecordPlaces + 1];
    };
    // The lists as this copy of the game last read or wrote the file. What the lists hold
    // beyond it is this copy's own doing; the rest of the file may have changed meanwhile,
    // written by another copy running on the same folder. Empty until the file is read.
    std::optional<Snapshot> asKnown;
};

inline bool isEmptyEntry(const RecordEntry& entry) {
    return entry.score == emptyScore;
}

// The list of the current language (the library's Language) and strength (maxWordLength - 2), or
// null when they name no list. The settings reader keeps both in range, so a game always has
// its list; the null case only guards the table's bounds.
RecordEntry* currentWinnersList(GameServices& services); // places at [1..10]

// The name of the current list in the current language (Windows-1251): its language and the
// computer's strength, "English, strength 4".
std::string recordsListName(const GameServices& services);

// gameFolder() + "DATA/Winners".
QString recordsPath();

// Fills the lists from the records file: twelve blocks (language 1 strengths 1..6, then
// language 2), each ten pairs of a name line and a score line and one line that is skipped.
// A missing file is no error: every place starts emptied ("-", emptyScore). A file that
// cannot be read, or is damaged (a score that is not a decimal 32-bit integer, an end before
// the last record, an early Ctrl-Z), keeps the entries read before the damage, empties every
// other, and raises one VordaError naming the file and the line once the table is complete;
// the file as it was is then kept beside it ("DATA/Winners.damaged") by the next writeWinners.
void readWinners(RecordsTable& records);

// Replaces the records file with all of the lists: 252 lines, Windows-1251, CR LF. A damaged
// file read at start-up is first kept beside it. The file is replaced atomically; when it
// cannot be written VordaError is raised and the old file stays.
void writeWinners(RecordsTable& records);

// The same file image as bytes (what writeWinners writes).
QByteArray winnersFileBytes(const RecordsTable& records);

// A typed name as a record keeps it: without control characters, which would cut the file
// (a tab becomes a blank, line breaks and the others are dropped).
std::string recordName(std::string_view typed);

// Offers a result to the current list, under recordName(Name): it goes to the first place whose
// score is less than or equal to Score (so a tie goes above the older result), the places below
// move down and the old place 10 drops out. When all ten scores are greater nothing changes.
void addRecord(GameServices& services, int32_t score, const std::string& name);

// Empties every place of the current list, or of all twelve lists.
void clearCurrentWinners(GameServices& services);
void clearAllWinners(RecordsTable& records);

// --- The records window ----------------------------------------------------------------------

// Shows the current list; offers to clear it or every list (each after a "Sure?" question).
// Clearing changes only the table in memory; the file follows at the main window's close.
class RecordsWindow : public CoolDialog {
    Q_OBJECT
public:
    // The clearing questions show in the dialogs' question window.
    RecordsWindow(QWidget* parent, GameDialogs& dialogs);

    CoolBevel* frameBevel = nullptr;       // the frame around both columns
    CoolBevel* dividerBevel = nullptr;     // the line between the columns
    CoolButton* clearListButton = nullptr; // this list
    CoolButton* clearAllButton = nullptr;  // all lists
    CoolButton* okButton = nullptr;
    CoolLabel* scoreLabels[kRecordPlaces + 1] = {}; // rows 1..10, left column
    CoolLabel* nameLabels[kRecordPlaces + 1] = {};  // rows 1..10, right column

    // Reads the texts, shows the current list and enables the clearing buttons; runs at
    // every showing and after each clearing.
    void prepareToShow() override;
    void clearThisList();
    void clearAllLists();

private:
    // Asks whether to clear, in the caption of the button pressed; Yes clears with `clear`.
    void confirmClearing(const CoolButton* button, void (*clear)(GameServices&));
    void applyWindowTextures() override;

    GameDialogs& dialogs_;
};
