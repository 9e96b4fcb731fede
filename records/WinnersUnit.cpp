#include "records/WinnersUnit.h"

#include "core/GameState.h"
#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"
#include "skin/CoolControls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <string_view>

WinnerEntry Winners[kRecordLanguages + 1][kRecordStrengths + 1][kRecordPlaces + 1];
const char* const EmptyName = "-";

namespace {

constexpr char kEndOfFile = 26; // a text file ends at Ctrl-Z, as the library files do
constexpr size_t kMaxNumberLength = 32;
constexpr std::string_view kLineEnd = "\r\n";

// Where and why a records file stops making sense.
struct RecordsDamage {
    int line;
    QString what;
};

// The records file as lines; the reader walks it like a text file, line by line.
class RecordsReader {
public:
    explicit RecordsReader(QByteArray bytes) : bytes_(std::move(bytes)) {
        const qsizetype stop = bytes_.indexOf(kEndOfFile);
        if (stop >= 0)
            bytes_.truncate(stop);
    }

    bool AtEnd() const { return pos_ >= bytes_.size(); }

    // The rest of the current line; the position moves to the start of the next line.
    std::string ReadLine() {
        const qsizetype begin = pos_;
        while (!AtEnd() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n')
            ++pos_;
        std::string line(bytes_.constData() + begin, static_cast<size_t>(pos_ - begin));
        SkipLineEnd();
        return line;
    }

    // A name line; the file must not end before it.
    std::string ReadName() {
        if (AtEnd())
            throw endsEarly();
        return ReadLine();
    }

    // A decimal integer: blanks and line ends before it are skipped, at most 32 characters up
    // to the next blank or line end are taken, then the rest of its line is skipped.
    int32_t ReadScore() {
        while (!AtEnd() && IsBlankOrLineEnd(bytes_[pos_])) {
            if (bytes_[pos_] == '\r' || bytes_[pos_] == '\n')
                SkipLineEnd();
            else
                ++pos_;
        }
        if (AtEnd())
            throw endsEarly();
        const qsizetype begin = pos_;
        while (!AtEnd() && !IsBlankOrLineEnd(bytes_[pos_]) &&
               static_cast<size_t>(pos_ - begin) < kMaxNumberLength)
            ++pos_;
        const std::string_view text(bytes_.constData() + begin, static_cast<size_t>(pos_ - begin));
        const int line = line_;
        ReadLine();
        return ToScore(text, line);
    }

private:
    static bool IsBlankOrLineEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    RecordsDamage endsEarly() const {
        return {line_, QStringLiteral("the file ends there, before its last record")};
    }

    void SkipLineEnd() {
        if (AtEnd())
            return;
        if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    static int32_t ToScore(std::string_view text, int line) {
        std::string_view digits = text;
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        int32_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            throw RecordsDamage{line, QStringLiteral("it holds '%1', which is not a whole number")
                                          .arg(Cp1251ToUnicode(text))};
        return value;
    }

    QByteArray bytes_;
    qsizetype pos_ = 0;
    int line_ = 1; // of the position, counted from 1
};

// A records file that could not be read whole is kept beside the file before the close
// replaces it: its bytes as read, or, when it could not be read at all, the file itself.
struct KeptRecordsFile {
    bool pending = false;
    bool unreadable = false;
    QByteArray bytes;
    QString keepAs;
};
KeptRecordsFile keptFile;

// "DATA/Winners.damaged", or with a number after it when that name is taken.
QString freeDamagedPath(const QString& path) {
    const QString base = path + QStringLiteral(".damaged");
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = base + QString::number(n);
    return candidate;
}

void EmptyEntry(WinnerEntry& entry) {
    entry = WinnerEntry{std::string(EmptyName), EmptyScore};
}

void EmptyList(WinnerEntry* list) {
    for (int place = 1; place <= kRecordPlaces; ++place)
        EmptyEntry(list[place]);
}

bool AnyEntryFilled() {
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            for (int place = 1; place <= kRecordPlaces; ++place)
                if (!IsEmptyEntry(Winners[language][strength][place]))
                    return true;
    return false;
}

const QColor kScoreColour(255, 255, 255);
const QColor kNameColour(200, 255, 210);
const QColor kGradientStart(255, 215, 0);
const QColor kGradientEnd(255, 165, 0);
constexpr int kWindowWidth = 292;
constexpr int kWindowHeight = 357;
constexpr int kListFrameLeft = 15, kListFrameTop = 15, kListFrameWidth = 265,
              kListFrameHeight = 250;
constexpr int kColumnLine = 85;
constexpr int kRowHeight = 25;
constexpr int kLabelPixels = 19;       // "Default" at 14 points
constexpr int kClearButtonPixels = 11; // "Default" at 8 points, the buttons' own size

} // namespace

WinnerEntry* CurrentWinnersList() {
    const int language = Words.Language;
    const int strength = int(Game.MaxWordLength) - 2;
    if (language < 1 || language > kRecordLanguages || strength < 1 || strength > kRecordStrengths)
        return nullptr;
    return Winners[language][strength];
}

std::string RecordsListName() {
    const std::string language =
        LanguageText(Words.Language == kRussian ? "Menu_Russian" : "Menu_English");
    return language + ", " + LanguageText("Strength") + " " +
           std::to_string(int(Game.MaxWordLength) - 2);
}

QString RecordsPath() {
    return ProgramFolder() + QStringLiteral("DATA/Winners");
}

void ReadWinners() {
    const QString path = RecordsPath();
    keptFile = KeptRecordsFile();
    ClearAllWinners();
    if (!QFileInfo::exists(path))
        return;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        keptFile = KeptRecordsFile{true, true, {}, freeDamagedPath(path)};
        throw VordaError(
            VordaError::Kind::InputOutput,
            QStringLiteral("Cannot read the records file \"%1\": %2. The records "
                           "start empty; the file will be kept as \"%3\".")
                .arg(shownPath, file.errorString(), QDir::toNativeSeparators(keptFile.keepAs)));
    }
    RecordsReader reader(bytes);
    try {
        for (int language = 1; language <= kRecordLanguages; ++language) {
            for (int strength = 1; strength <= kRecordStrengths; ++strength) {
                for (int place = 1; place <= kRecordPlaces; ++place) {
                    WinnerEntry entry;
                    entry.Name = reader.ReadName();
                    entry.Score = reader.ReadScore();
                    Winners[language][strength][place] = std::move(entry);
                }
                reader.ReadLine();
            }
        }
    } catch (const RecordsDamage& damage) {
        // The places from the damage on stay emptied; a partly read entry is not taken.
        keptFile = KeptRecordsFile{true, false, bytes, freeDamagedPath(path)};
        throw VordaError(VordaError::Kind::Conversion,
                         QStringLiteral("The records file \"%1\" is damaged at line %2: %3. The "
                                        "records before that line are kept, the places after it "
                                        "start empty, and the file as it was will be kept as "
                                        "\"%4\".")
                             .arg(shownPath)
                             .arg(damage.line)
                             .arg(damage.what, QDir::toNativeSeparators(keptFile.keepAs)));
    }
}

QByteArray WinnersFileBytes() {
    QByteArray bytes;
    for (int language = 1; language <= kRecordLanguages; ++language) {
        for (int strength = 1; strength <= kRecordStrengths; ++strength) {
            for (int place = 1; place <= kRecordPlaces; ++place) {
                const WinnerEntry& entry = Winners[language][strength][place];
                bytes += QByteArray::fromStdString(entry.Name);
                bytes += kLineEnd;
                bytes += QByteArray::number(entry.Score);
                bytes += kLineEnd;
            }
            bytes += kLineEnd;
        }
    }
    return bytes;
}

void WriteWinners() {
    const QString path = RecordsPath();
    const QString shownPath = QDir::toNativeSeparators(path);
    if (keptFile.pending) {
        if (QFileInfo::exists(keptFile.keepAs))
            keptFile.keepAs = freeDamagedPath(path);
        QString reason;
        const bool kept = keptFile.unreadable
                              ? QFile::rename(path, keptFile.keepAs)
                              : ReplaceFileContents(keptFile.keepAs, keptFile.bytes, &reason);
        if (!kept)
            throw VordaError(VordaError::Kind::InputOutput,
                             QStringLiteral("Cannot keep the damaged records file \"%1\" as "
                                            "\"%2\"%3; the file is left as it was.")
                                 .arg(shownPath, QDir::toNativeSeparators(keptFile.keepAs),
                                      reason.isEmpty() ? QString() : ": " + reason));
        keptFile = KeptRecordsFile();
    }
    QString reason;
    if (!ReplaceFileContents(path, WinnersFileBytes(), &reason))
        throw VordaError(
            VordaError::Kind::InputOutput,
            QStringLiteral("Cannot write the records file \"%1\": %2").arg(shownPath, reason));
}

void AddToWinners(int32_t Score, const std::string& Name) {
    WinnerEntry* list = CurrentWinnersList();
    if (!list)
        return;
    for (int place = 1; place <= kRecordPlaces; ++place) {
        if (list[place].Score > Score)
            continue;
        for (int below = kRecordPlaces; below > place; --below)
            list[below] = list[below - 1];
        list[place] = WinnerEntry{RecordName(Name), Score};
        return;
    }
}

std::string RecordName(std::string_view typed) {
    std::string name;
    for (const char c : typed) {
        if (c == '\t')
            name += ' ';
        else if (static_cast<unsigned char>(c) >= 32 && c != 127)
            name += c;
    }
    return name;
}

void ClearCurrentWinners() {
    if (WinnerEntry* list = CurrentWinnersList())
        EmptyList(list);
}

void ClearAllWinners() {
    for (int language = 1; language <= kRecordLanguages; ++language)
        for (int strength = 1; strength <= kRecordStrengths; ++strength)
            EmptyList(Winners[language][strength]);
}

// --- The records window ----------------------------------------------------------------------

TWinnersWindow::TWinnersWindow(QWidget* parent)
    : TCoolDialog(parent, "WinnersWindow", kWindowWidth, kWindowHeight, MainInput::Blocked) {
    Dialogs.WinnersWindow = this;

    // The frame first, so the labels lie on its wallpaper.
    Bevel1 = new TCoolBevel(Hook);
    Bevel1->setGeometry(kListFrameLeft, kListFrameTop, kListFrameWidth, kListFrameHeight);
    // Two pixels wide: a light and a dark column, a raised line between the columns.
    Bevel2 = new TCoolBevel(Hook);
    Bevel2->setGeometry(kColumnLine, kListFrameTop + 2, 2, kListFrameHeight - 4);

    const int scoreWidth = kColumnLine - kListFrameLeft;
    const int nameWidth = kListFrameWidth - scoreWidth;
    for (int row = 1; row <= kRecordPlaces; ++row) {
        const int y = kListFrameTop + kRowHeight * (row - 1);
        auto* score = new TCoolLabel(Hook);
        score->setGeometry(kListFrameLeft, y, scoreWidth, kRowHeight);
        score->SetFontColor(kScoreColour);
        auto* name = new TCoolLabel(Hook);
        name->setGeometry(kColumnLine, y, nameWidth, kRowHeight);
        name->SetFontColor(kNameColour);
        name->SetElided(true);
        for (TCoolLabel* label : {score, name}) {
            label->SetTransparent(true);
            label->SetAlignment(Qt::AlignCenter);
            label->setFont(CoolFont(kLabelPixels));
        }
        ScoreLabels[row] = score;
        NameLabels[row] = name;
    }

    ClearButton1 = new TCoolBtn(Hook);
    ClearButton1->setGeometry(15, 280, 120, 25);
    ClearButton2 = new TCoolBtn(Hook);
    ClearButton2->setGeometry(15, 320, 120, 25);
    for (TCoolBtn* button : {ClearButton1, ClearButton2}) {
        button->SetGradient(kGradientStart, kGradientEnd);
        button->setFocusPolicy(Qt::TabFocus);
        button->setFont(CoolFont(kClearButtonPixels));
    }
    connect(ClearButton1, &QAbstractButton::clicked, this, &TWinnersWindow::ClearButton1Click);
    connect(ClearButton2, &QAbstractButton::clicked, this, &TWinnersWindow::ClearButton2Click);

    CoolOkButton = MakeOkButton(QRect(200, 293, 40, 40));

    FollowTextures();
}

void TWinnersWindow::ApplyWindowTextures() {
    Bevel1->SetWallpaper(GetTexture(kButtonsSlot));
}

void TWinnersWindow::FormActivate() {
    const WinnerEntry* list = CurrentWinnersList();
    ClearButton1->setEnabled(list && !IsEmptyEntry(list[1]));
    ClearButton2->setEnabled(AnyEntryFilled());
    ClearButton1->SetCaption(LanguageText("WinnersButton1"));
    ClearButton2->SetCaption(LanguageText("WinnersButton2"));
    FitCaptionFonts({ClearButton1, ClearButton2});
    setWindowTitle(DialogTitle(LanguageText("Menu_Records")) + QStringLiteral(" \u2014 ") +
                   Cp1251ToUnicode(RecordsListName()));
    for (int row = 1; row <= kRecordPlaces; ++row) {
        if (!list) {
            ScoreLabels[row]->SetCaption(std::string());
            NameLabels[row]->SetCaption(std::string());
            continue;
        }
        const WinnerEntry& entry = list[row];
        ScoreLabels[row]->SetCaption(IsEmptyEntry(entry) ? std::string()
                                                         : std::to_string(entry.Score));
        NameLabels[row]->SetCaption(entry.Name);
    }
}

bool TWinnersWindow::ConfirmClearing(const TCoolBtn* button) {
    const int answer = ShowChoiceWindow(button->Caption(), LanguageText("Sure"));
    // The question's own close gave the main window its input back; this window is still up.
    SetMainInputEnabled(false);
    // Only Yes clears: Esc or closing the question keeps every record.
    return answer == kChoiceYes;
}

void TWinnersWindow::ClearButton1Click() {
    if (!ConfirmClearing(ClearButton1))
        return;
    ClearCurrentWinners();
    FormActivate();
}

void TWinnersWindow::ClearButton2Click() {
    if (!ConfirmClearing(ClearButton2))
        return;
    ClearAllWinners();
    FormActivate();
}

void ShowRecordsWindow() {
    if (Dialogs.WinnersWindow)
        Dialogs.WinnersWindow->exec();
}
