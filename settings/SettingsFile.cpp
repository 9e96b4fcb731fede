#include "settings/SettingsFile.h"

#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "extras/GameServices.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"
#include "settings/StrengthWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <map>

namespace {
constexpr std::string_view kVorda = "Vorda";
constexpr std::string_view kImages = "Images";
constexpr std::string_view kMissingText = "?";
// Stands for a key the file lacks; no value read from a settings line holds a control byte.
constexpr std::string_view kAbsent = "\x01";

// Texts added after players' settings files were filled: a player's file keeps the texts it
// was made with, so a key it lacks is answered from here, in UTF-8.
struct BuiltInText {
    std::string_view section;
    std::string_view key;
    const char* text;
};
constexpr BuiltInText kBuiltInTexts[] = {
    {"Russian", "Strength", "сила"},
    {"English", "Strength", "strength"},
    {"Russian", "LinkFailed", "Не удалось открыть ссылку. Адрес: %1"},
    {"English", "LinkFailed", "The link could not be opened. Its address: %1"},
    {"Russian", "ShortcutMade", "Ярлык создан: %1"},
    {"English", "ShortcutMade", "The shortcut was made: %1"},
    {"Russian", "Menu_TakeBack", "Отменить ход"},
    {"English", "Menu_TakeBack", "Take back"},
    {"Russian", "TakenBackNoRecords", "Ход отменялся: без рекордов"},
    {"English", "TakenBackNoRecords", "A move was taken back: no records"},
    {"Russian", "Menu_BestWords", "Лучшие слова..."},
    {"English", "Menu_BestWords", "Best words..."},
    {"Russian", "BestWho", "Кто"},
    {"English", "BestWho", "Who"},
    {"Russian", "BestWord", "Слово"},
    {"English", "BestWord", "Word"},
    {"Russian", "BestScore", "Очки"},
    {"English", "BestScore", "Points"},
    {"Russian", "BestPossible", "Лучшее слово"},
    {"English", "BestPossible", "Best word"},
    {"Russian", "BestYou", "Вы"},
    {"English", "BestYou", "You"},
    {"Russian", "BestComputer", "Компьютер"},
    {"English", "BestComputer", "Computer"},
    {"Russian", "BestPassed", "пропуск"},
    {"English", "BestPassed", "passed"},
    {"Russian", "BestNone", "нет"},
    {"English", "BestNone", "none"},
    {"Russian", "BestMatched", "лучшее!"},
    {"English", "BestMatched", "best!"},
    {"Russian", "NewGameQuestion", "Начать новую игру?"},
    {"English", "NewGameQuestion", "Start a new game?"},
    {"Russian", "ResetPicture", "Встроенная картинка"},
    {"English", "ResetPicture", "Built-in picture"},
    {"Russian", "StretchPicture", "Растянуть картинку"},
    {"English", "StretchPicture", "Stretch the picture"},
    {"Russian", "Slot0", "кнопки"},
    {"English", "Slot0", "buttons"},
    {"Russian", "Slot1", "клетки поля"},
    {"English", "Slot1", "field cells"},
    {"Russian", "Slot2", "выбранные клетки"},
    {"English", "Slot2", "selected cells"},
    {"Russian", "Slot3", "буквы"},
    {"English", "Slot3", "letters"},
    {"Russian", "Slot4", "выбранная буква"},
    {"English", "Slot4", "chosen letter"},
    {"Russian", "Slot5", "главное окно"},
    {"English", "Slot5", "main window"},
    {"Russian", "Slot6", "окна"},
    {"English", "Slot6", "dialogs"},
    {"Russian", "Slot7", "текстовые поля"},
    {"English", "Slot7", "text boxes"},
    {"Russian", "Slot8", "слово"},
    {"English", "Slot8", "word display"},
    {"Russian", "Slot9", "списки слов"},
    {"English", "Slot9", "word sheets"},
    {"Russian", "AccEmpty", "пусто"},
    {"English", "AccEmpty", "empty"},
    {"Russian", "AccSelected", "выделена"},
    {"English", "AccSelected", "selected"},
    {"Russian", "AccNewLetter", "новая буква"},
    {"English", "AccNewLetter", "new letter"},
    {"Russian", "AccField", "Поле"},
    {"English", "AccField", "Field"},
    {"Russian", "AccLetters", "Буквы"},
    {"English", "AccLetters", "Letters"},
    {"Russian", "AccWord", "Слово"},
    {"English", "AccWord", "Word"},
    {"Russian", "AccYourScore", "Ваши очки"},
    {"English", "AccYourScore", "Your score"},
    {"Russian", "AccComputerScore", "Очки компьютера"},
    {"English", "AccComputerScore", "Computer's score"},
    {"Russian", "AccYourWords", "Ваши слова"},
    {"English", "AccYourWords", "Your words"},
    {"Russian", "AccComputerWords", "Слова компьютера"},
    {"English", "AccComputerWords", "Computer's words"},
    {"Russian", "AccComputer", "Компьютер"},
    {"English", "AccComputer", "Computer"},
    {"Russian", "AccComputerMove", "Компьютер сыграл слово %1, очков: %2"},
    {"English", "AccComputerMove", "The computer played %1 for %2 points"},
    {"Russian", "AccComputerPass", "Компьютер пропускает ход"},
    {"English", "AccComputerPass", "The computer passes"},
    {"Russian", "SavedGameUnreadable",
     "Сохранённую игру «%1» не удалось прочитать: %2. Начинается новая игра."},
    {"English", "SavedGameUnreadable",
     "The saved game \"%1\" cannot be read: %2. A new game starts."},
    {"Russian", "SavedGameDamaged",
     "Сохранённая игра «%1» повреждена (%2); она сохранена как «%3». Начинается новая игра."},
    {"English", "SavedGameDamaged",
     "The saved game \"%1\" is damaged (%2); it is kept as \"%3\". A new game starts."},
    {"Russian", "SavedGameNotKept",
     "Сохранённая игра «%1» повреждена (%2), и её не удалось сохранить как «%3»: %4. "
     "Начинается новая игра."},
    {"English", "SavedGameNotKept",
     "The saved game \"%1\" is damaged (%2), and it could not be kept as \"%3\": %4. A new "
     "game starts."},
    {"Russian", "NoFolderOfItsOwn", "игра не хранит там файлов: у неё нет своей папки"},
    {"English", "NoFolderOfItsOwn",
     "the game keeps no files there, since it has no folder of its own"},
    {"Russian", "NotARegularFile", "это не обычный файл (а папка, устройство или канал)"},
    {"English", "NotARegularFile", "it is not a regular file (a folder, a device or a FIFO)"},
    {"Russian", "PictureMissing",
     "Картинки «%1» для текстуры «%2» больше нет: вместо неё взята встроенная."},
    {"English", "PictureMissing",
     "The picture \"%1\" chosen for the %2 is gone: the built-in picture takes its place."},
    {"Russian", "SavedGameNotSaved", "Не удалось сохранить игру в «%1»: %2"},
    {"English", "SavedGameNotSaved", "Cannot save the game in \"%1\": %2"},
    {"Russian", "CPU_Everyday", "только обиходные слова"},
    {"English", "CPU_Everyday", "everyday words only"},
    {"Russian", "RanksMissing",
     "Нет файла частотности слов «%1»: компьютер выбирает из всех слов, и редких тоже. Игра "
     "продолжается."},
    {"English", "RanksMissing",
     "The file of word ranks \"%1\" is missing: the computer chooses among all words, rare ones "
     "too. The game plays on."},
    {"Russian", "RanksDamaged",
     "Файл частотности слов «%1» повреждён: строки, которые не удалось прочесть, пропущены, их "
     "слова считаются редкими. Игра продолжается."},
    {"English", "RanksDamaged",
     "The file of word ranks \"%1\" is damaged: the lines that could not be read are passed over "
     "and their words count as rare. The game plays on."},
    {"Russian", "Meaning", "Значение слова"},
    {"English", "Meaning", "What the word means"},
    {"Russian", "MeaningButton", "Значение"},
    {"English", "MeaningButton", "Meaning"},
    {"Russian", "MeaningNone", "Толкования слова %1 здесь нет."},
    {"English", "MeaningNone", "There is no definition of %1 here."},
    {"Russian", "LookUp", "Посмотреть в Викисловаре"},
    {"English", "LookUp", "Look it up"},
};

std::string imageKey(int slot) {
    return "Image" + std::to_string(slot);
}

void rememberSettings(const SettingsFile& settingsFile, const std::vector<ProfileValue>& values);
// The keys and values writeSettings writes.
std::vector<ProfileValue> settingsValues(const GameServices& services, bool sound);

std::string knownKey(std::string_view section, std::string_view key) {
    return std::string(section) + '/' + std::string(key);
}

// The file-name part of a texture value: the text after its last "\" or ":" (or "/").
std::string fileNamePart(const std::string& value) {
    const size_t cut = value.find_last_of("\\:/");
    return cut == std::string::npos ? value : value.substr(cut + 1);
}
} // namespace

std::string SettingsFile::readString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    if (snapshot_)
        return snapshot_->read(section, key, defaultValue);
    return readProfileString(path_, section, key, defaultValue);
}

void SettingsFile::writeString(std::string_view section, std::string_view key,
                               std::string_view value) const {
    writeProfileString(path_, section, key, value);
    if (snapshot_)
        snapshot_ = std::make_shared<const ProfileSnapshot>(path_);
}

SettingsFile::ReadingScope::ReadingScope(const SettingsFile& file)
    : file_(file), outermost_(!file.snapshot_) {
    if (outermost_)
        file_.snapshot_ = std::make_shared<const ProfileSnapshot>(file_.path_);
}

SettingsFile::ReadingScope::~ReadingScope() {
    if (outermost_)
        file_.snapshot_.reset();
}

void SettingsFile::writeStrings(const std::vector<ProfileValue>& values) const {
    writeProfileStrings(path_, values);
    if (snapshot_)
        snapshot_ = std::make_shared<const ProfileSnapshot>(path_);
}

void initSettingsFile(SettingsFile& file) {
    file = SettingsFile(gameFolder() + QStringLiteral("Vorda2000.ini"));
}

std::string textInSection(const SettingsFile& file, std::string_view section,
                          std::string_view key) {
    std::string text = file.readString(section, key, kAbsent);
    if (text != kAbsent)
        return text;
    for (const BuiltInText& builtIn : kBuiltInTexts)
        if (builtIn.section == section && builtIn.key == key)
            return unicodeToCp1251(QString::fromUtf8(builtIn.text));
    return std::string(kMissingText);
}

int64_t settingsToInteger(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        throw VordaError(
            VordaError::Kind::Conversion,
            QStringLiteral("'%1' is not a valid integer value").arg(cp1251ToUnicode(text)));
    int64_t value = 0;
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 1;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw VordaError(
                VordaError::Kind::Conversion,
                QStringLiteral("'%1' is not a valid integer value").arg(cp1251ToUnicode(text)));
        if (value < kLimit)
            value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

namespace {
// A number setting: its value converted, or its default with a note of the bad value. The note
// names the value the player will actually get, which for the strength is the default brought
// into the strength window's range.
int64_t readNumberSetting(const SettingsFile& file, std::string_view key,
                          std::string_view defaultValue, std::string_view usedValue,
                          QStringList& problems) {
    const std::string text = file.readString(kVorda, key, defaultValue);
    try {
        return settingsToInteger(text);
    } catch (const VordaError&) {
        problems << QStringLiteral("\"%1\" is not a whole number in the setting %2 of %3; %4 is "
                                   "used instead.")
                        .arg(cp1251ToUnicode(text), QString::fromLatin1(key.data(), key.size()),
                             QDir::toNativeSeparators(file.fileName()),
                             QString::fromLatin1(usedValue.data(), usedValue.size()));
        return settingsToInteger(std::string(defaultValue));
    }
}
} // namespace

void readSettings(GameServices& services, SettingsView* view) {
    const SettingsFile& settingsFile = services.settingsFile();
    WordLibrary& words = services.words();
    // A large file would otherwise be read again for every key and every caption.
    const SettingsFile::ReadingScope reading(settingsFile);
    QStringList problems;
    const int64_t language = readNumberSetting(settingsFile, "LanguageNumber", "1", "1", problems);
    // A number the language table lacks selects its fallback language, so the library and the
    // records only ever see a number of the table.
    const LanguageInfo& info =
        languageOf(language >= 1 && language <= kLanguageCount ? int(language) : kFallbackLanguage);
    words.language = info.number;
    words.languageSection = info.section;
    if (view)
        view->checkLanguageItem(info.number);
    if (view)
        view->applyMenuTexts();

    const auto strengthLength = [](int64_t strength) {
        return std::clamp<int64_t>(strength + 2, kMinStrengthLength, kMaxStrengthLength);
    };
    const std::string usedStrength = std::to_string(strengthLength(16) - 2);
    const int64_t strength =
        readNumberSetting(settingsFile, "Strong", "16", usedStrength, problems);
    services.game().maxWordLength = static_cast<uint16_t>(strengthLength(strength));
    services.game().everydayWords = settingsFile.readString(kVorda, "EverydayWords", "0") == "1";

    if (view)
        view->applyButtonTexts();

    for (int slot = 0; slot < kTextureSlots; ++slot)
        ChosenTextures.textureFiles[slot] = settingsFile.readString(kImages, imageKey(slot), "");

    const bool sound = settingsFile.readString(kVorda, "Sound", "1") == "1";
    if (view)
        view->setSoundChecked(sound);

    ChosenTextures.skinName = settingsFile.readString(kImages, "SkinName", "");
    ChosenTextures.useSkins = settingsFile.readString(kImages, "UseSkins", "1") == "1";
    rememberSettings(settingsFile, settingsValues(services, view ? view->soundChecked() : true));

    // Reported once, after every setting has been read.
    if (!problems.isEmpty())
        throw VordaError(VordaError::Kind::Conversion, problems.join(QLatin1Char('\n')));
}

void checkLanguageTexts(const GameServices& services) {
    const SettingsFile& settingsFile = services.settingsFile();
    const WordLibrary& words = services.words();
    // No text of the game begins with this byte, and the profile reading keeps it.
    constexpr std::string_view kAbsent = "\x01";
    if (settingsFile.readString(words.languageSection, "Title", kAbsent) != kAbsent)
        return;
    const QString path = QDir::toNativeSeparators(settingsFile.fileName());
    const QString section = QString::fromStdString(words.languageSection);
    if (isPresentButNotRegular(settingsFile.fileName()))
        throw VordaError(VordaError::Kind::InputOutput,
                         QStringLiteral("The settings file \"%1\" cannot be read: %2. The game "
                                        "starts with its default settings, the menus and "
                                        "buttons show \"?\", and the file is left as it is.")
                             .arg(path, notARegularFileReason()));
    throw VordaError(
        VordaError::Kind::InputOutput,
        QFileInfo::exists(settingsFile.fileName())
            ? QStringLiteral("The settings file \"%1\" has lost the game's texts for this "
                             "language (the section [%2]), so the menus and buttons show \"?\". "
                             "Nothing in it is removed; the texts are in the copy of "
                             "\"Vorda2000.ini\" that came with the game.")
                  .arg(path, section)
            : QStringLiteral("The settings file \"%1\" is missing, so the menus and buttons "
                             "show \"?\". The game's texts (the section [%2]) are in the copy "
                             "of \"Vorda2000.ini\" that came with the game.")
                  .arg(path, section));
}

namespace {
// Each setting as the file holds it, or as this copy of the game took it where the file
// lacks it.
void rememberSettings(const SettingsFile& settingsFile, const std::vector<ProfileValue>& values) {
    constexpr std::string_view kAbsent = "\x01";
    auto& known = settingsFile.knownValues.emplace();
    for (const ProfileValue& entry : values) {
        const std::string inFile = settingsFile.readString(entry.section, entry.key, kAbsent);
        known[knownKey(entry.section, entry.key)] = inFile == kAbsent ? entry.value : inFile;
    }
}
} // namespace

void writeSettings(const GameServices& services, const SettingsView* view) {
    const SettingsFile& settingsFile = services.settingsFile();
    std::vector<ProfileValue> values = settingsValues(services, view ? view->soundChecked() : true);
    if (const auto& known = settingsFile.knownValues) {
        // A setting this copy did not change is written only where the file lacks it.
        constexpr std::string_view kAbsent = "\x01";
        const SettingsFile::ReadingScope reading(settingsFile);
        std::erase_if(values, [&](const ProfileValue& entry) {
            const auto value = known->find(knownKey(entry.section, entry.key));
            return value != known->end() && value->second == entry.value &&
                   settingsFile.readString(entry.section, entry.key, kAbsent) != kAbsent;
        });
    }
    if (values.empty())
        return;
    settingsFile.writeStrings(values);
    if (settingsFile.knownValues)
        for (const ProfileValue& entry : values)
            (*settingsFile.knownValues)[knownKey(entry.section, entry.key)] = entry.value;
}

namespace {
std::vector<ProfileValue> settingsValues(const GameServices& services, bool sound) {
    std::vector<ProfileValue> values = {
        {std::string(kVorda), "Sound", sound ? "1" : "0"},
        {std::string(kVorda), "LanguageNumber", std::to_string(services.words().language)},
        {std::string(kVorda), "Strong", std::to_string(int(services.game().maxWordLength) - 2)},
    };
    // Written once a player has chosen it: a file without it means no.
    if (services.game().everydayWords ||
        services.settingsFile().readString(kVorda, "EverydayWords", kAbsent) != kAbsent)
        values.push_back(
            {std::string(kVorda), "EverydayWords", services.game().everydayWords ? "1" : "0"});
    for (int slot = 0; slot < kTextureSlots; ++slot)
        values.push_back({std::string(kImages), imageKey(slot),
                          fileNamePart(ChosenTextures.textureFiles[slot])});
    values.push_back({std::string(kImages), "UseSkins", ChosenTextures.useSkins ? "1" : "0"});
    values.push_back({std::string(kImages), "SkinName", ChosenTextures.skinName});
    return values;
}
} // namespace
