#include "settings/INIUnit.h"

#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"
#include "platform/VordaError.h"
#include "settings/SetCPUUnit.h"

#include <algorithm>
#include <limits>

TVordaIniFile SettingsFile;
TSettingsView* SettingsView = nullptr;

namespace {
constexpr std::string_view kVorda = "Vorda";
constexpr std::string_view kImages = "Images";
constexpr std::string_view kMissingText = "?";

std::string imageKey(int slot) {
    return "Image" + std::to_string(slot);
}

// The file-name part of a texture value: the text after its last "\" or ":" (or "/").
std::string fileNamePart(const std::string& value) {
    const size_t cut = value.find_last_of("\\:/");
    return cut == std::string::npos ? value : value.substr(cut + 1);
}
} // namespace

std::string TVordaIniFile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    return ReadProfileString(path_, section, key, defaultValue);
}

void TVordaIniFile::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) const {
    WriteProfileString(path_, section, key, value);
}

void InitSettingsFile() {
    SettingsFile = TVordaIniFile(ProgramFolder() + QStringLiteral("Vorda2000.ini"));
}

std::string LanguageText(std::string_view key) {
    return SettingsFile.ReadString(Words.LanguageSection, key, kMissingText);
}

int64_t SettingsToInteger(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        throw VordaError(
            VordaError::Kind::Conversion,
            QStringLiteral("'%1' is not a valid integer value").arg(Cp1251ToUnicode(text)));
    int64_t value = 0;
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 1;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw VordaError(
                VordaError::Kind::Conversion,
                QStringLiteral("'%1' is not a valid integer value").arg(Cp1251ToUnicode(text)));
        if (value < kLimit)
            value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

void ReadSettings() {
    const int64_t language =
        SettingsToInteger(SettingsFile.ReadString(kVorda, "LanguageNumber", "1"));
    // Every number other than 1 selects English, so the library and the records only ever see
    // 1 or 2.
    const LanguageInfo& info = LanguageOf(language == kRussian ? kRussian : kEnglish);
    Words.Language = info.Number;
    Words.LanguageSection = info.Section;
    if (info.Number == kEnglish && SettingsView)
        SettingsView->CheckEnglishItem();
    Words.FirstLetter = info.FirstLetter;
    if (SettingsView)
        SettingsView->ApplyMenuTexts();

    const int64_t strength = SettingsToInteger(SettingsFile.ReadString(kVorda, "Strong", "16"));
    MaxWordLength = static_cast<uint16_t>(
        std::clamp<int64_t>(strength + 2, kMinStrengthLength, kMaxStrengthLength));

    if (SettingsView)
        SettingsView->ApplyButtonTexts();

    for (int slot = 0; slot < kTextureSlots; ++slot)
        TextureFiles[slot] = SettingsFile.ReadString(kImages, imageKey(slot), "");

    const bool sound = SettingsFile.ReadString(kVorda, "Sound", "1") == "1";
    if (SettingsView)
        SettingsView->SetSoundChecked(sound);

    SkinName = SettingsFile.ReadString(kImages, "SkinName", "");
    UseSkins = SettingsFile.ReadString(kImages, "UseSkins", "1") == "1";
}

void WriteSettings() {
    const bool sound = SettingsView ? SettingsView->SoundChecked() : true;
    SettingsFile.WriteString(kVorda, "Sound", sound ? "1" : "0");
    SettingsFile.WriteString(kVorda, "LanguageNumber", std::to_string(Words.Language));
    SettingsFile.WriteString(kVorda, "Strong", std::to_string(int(MaxWordLength) - 2));
    for (int slot = 0; slot < kTextureSlots; ++slot)
        SettingsFile.WriteString(kImages, imageKey(slot), fileNamePart(TextureFiles[slot]));
    SettingsFile.WriteString(kImages, "UseSkins", UseSkins ? "1" : "0");
    SettingsFile.WriteString(kImages, "SkinName", SkinName);
}
