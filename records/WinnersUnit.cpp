#include "records/WinnersUnit.h"

#include "core/WordsUnit.h"
#include "extras/ChoiceUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"
#include "settings/INIUnit.h"
#include "settings/SetCPUUnit.h"
#include "skin/CoolControls.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <charconv>
#include <string_view>

WinnerEntry Winners[kRecordLanguages + 1][kRecordStrengths + 1][kRecordPlaces + 1];
const char* const EmptyName = "-";
TWinnersWindow* WinnersWindow = nullptr;

namespace {

constexpr char kEndOfFile = 26; // a text file ends at Ctrl-Z, as the library files do
constexpr size_t kMaxNumberLength = 32;
constexpr std::string_view kLineEnd = "\r\n";

// The records file as lines; the reader walks it like a text file, line by line.
class RecordsReader {
public:
    RecordsReader(QByteArray bytes, QString path)
        : bytes_(std::move(bytes)), path_(std::move(path)) {
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

    // A decimal integer: blanks and line ends before it are skipped, at most 32 characters up
    // to the next blank or line end are taken, then the rest of its line is skipped. At the
    // end of the file it is 0.
    int32_t ReadScore() {
        while (!AtEnd() && IsBlankOrLineEnd(bytes_[pos_])) {
            if (bytes_[pos_] == '\r' || bytes_[pos_] == '\n')
                SkipLineEnd();
            else
                ++pos_;
        }
        if (AtEnd())
            return 0;
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

    void SkipLineEnd() {
        if (AtEnd())
            return;
        if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    int32_t ToScore(std::string_view text, int line) const {
        std::string_view digits = text;
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        int32_t value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            throw VordaError(VordaError::Kind::Conversion,
                             QStringLiteral("The records file \"%1\" is damaged: line %2 holds "
                                            "'%3', which is not a whole number")
                                 .arg(QDir::toNativeSeparators(path_))
                                 .arg(line)
                                 .arg(Cp1251ToUnicode(text)));
        return value;
    }

    QByteArray bytes_;
    QString path_;
    qsizetype pos_ = 0;
    int line_ = 1; // of the position, counted from 1
};

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
constexpr int kClearButtonPixels = 10; // both captions fit the 120-pixel buttons

} // namespace

WinnerEntry* CurrentWinnersList() {
    const int language = Words.Language;
    const int strength = int(MaxWordLength) - 2;
    if (language < 1 || language > kRecordLanguages || strength < 1 || strength > kRecordStrengths)
        return nullptr;
    return Winners[language][strength];
}

QString RecordsPath() {
    return ProgramFolder() + QStringLiteral("DATA/Winners");
}

void ReadWinners() {
    const QString path = RecordsPath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot read the records file \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
    RecordsReader reader(file.readAll(), path);
    for (int language = 1; language <= kRecordLanguages; ++language) {
        for (int strength = 1; strength <= kRecordStrengths; ++strength) {
            for (int place = 1; place <= kRecordPlaces; ++place) {
                WinnerEntry& entry = Winners[language][strength][place];
                entry.Name = reader.ReadLine();
                entry.Score = reader.ReadScore();
            }
            reader.ReadLine();
        }
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
    const QByteArray bytes = WinnersFileBytes();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("Cannot write the records file \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
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
        list[place] = WinnerEntry{Name, Score};
        return;
    }
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

TWinnersWindow::TWinnersWindow(QWidget* parent) : TCoolDialog(parent, kWindowWidth, kWindowHeight) {
    WinnersWindow = this;
    setObjectName(QStringLiteral("WinnersWindow"));

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
        for (TCoolLabel* label : {score, name}) {
            label->SetTransparent(true);
            label->SetSimpleView(true);
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
        button->SetSimpleView(true);
        button->setFont(CoolFont(kClearButtonPixels));
    }
    connect(ClearButton1, &QAbstractButton::clicked, this, &TWinnersWindow::ClearButton1Click);
    connect(ClearButton2, &QAbstractButton::clicked, this, &TWinnersWindow::ClearButton2Click);

    CoolOkButton = MakeOkButton(QRect(200, 293, 40, 40));

    RegisterTextureClient(this, [this] { ApplyWindowTextures(); });
    ApplyTextures();
}

TWinnersWindow::~TWinnersWindow() {
    if (WinnersWindow == this)
        WinnersWindow = nullptr;
}

void TWinnersWindow::ApplyWindowTextures() {
    Hook->SetWallpaper(GetTexture(kDialogWallSlot));
    Bevel1->SetWallpaper(GetTexture(kButtonsSlot));
    CoolOkButton->SetWallpaper(GetTexture(kButtonsSlot));
}

void TWinnersWindow::FormActivate() {
    const WinnerEntry* list = CurrentWinnersList();
    ClearButton1->setEnabled(list && !IsEmptyEntry(list[1]));
    ClearButton2->setEnabled(AnyEntryFilled());
    SetMainInputEnabled(false);
    ClearButton1->SetCaption(LanguageText("WinnersButton1"));
    ClearButton2->SetCaption(LanguageText("WinnersButton2"));
    setWindowTitle(Cp1251ToUnicode(LanguageText("Menu_Records")));
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

void TWinnersWindow::FormDeactivate() {
    SetMainInputEnabled(true);
}

bool TWinnersWindow::ConfirmClearing(const TCoolBtn* button) {
    ChoiceCaption = button->Caption();
    ChoiceQuestion = LanguageText("Sure");
    const int answer = ShowChoiceWindow();
    // The question's own close gave the main window its input back; this window is still up.
    SetMainInputEnabled(false);
    return answer != kChoiceNo;
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
    if (!WinnersWindow)
        WinnersWindow = new TWinnersWindow(DialogHost ? DialogHost->DialogParent() : nullptr);
    WinnersWindow->exec();
}
