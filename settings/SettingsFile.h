#pragma once

#include "platform/ProfileFile.h"

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class GameServices;

// The settings file "Vorda2000.ini" beside the program: the sections "Vorda" and "Images"
// (settings, read and written) and "Russian" and "English" (every text of the interface,
// only read). All values are Windows-1251 bytes.
class SettingsFile {
public:
    explicit SettingsFile(QString path = QString()) : path_(std::move(path)) {}
    const QString& fileName() const { return path_; }
    // The value found, else the default. Each read opens the file, unless a ReadingScope holds
    // it.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Raises VordaError "Unable to write to <path>" when the file cannot be written; the old
    // file is then left as it was.
    void writeString(std::string_view section, std::string_view key, std::string_view value) const;
    // Every value in one replacement of the file; on failure the old file is left whole.
    void writeStrings(const std::vector<ProfileValue>& values) const;

    // While one lives, the file is read once and every readString answers from that reading;
    // a writeString through this object reads it again.
    class ReadingScope {
    public:
        explicit ReadingScope(const SettingsFile& file);
        ~ReadingScope();
        ReadingScope(const ReadingScope&) = delete;
        ReadingScope& operator=(const ReadingScope&) = delete;

    private:
        const SettingsFile& file_;
        bool outermost_;
    };

    // The settings keys' values ("section/key" -> value; absent keys absent) as this copy of
    // the game last read or wrote them in this file; empty until readSettings has run.
    // Another copy of the game may write the file meanwhile: writeSettings writes back only
    // the keys whose values this copy changed, so what the other wrote stays.
    mutable std::optional<std::map<std::string, std::string>> knownValues;

private:
    QString path_;
    mutable std::shared_ptr<const ProfileSnapshot> snapshot_;
};

// Binds the settings file to gameFolder() + "Vorda2000.ini": at start-up, once the program
// folder is settled (tests bind it again after moving the program folder).
void initSettingsFile(SettingsFile& file);

// What reading the settings shows on the main window, which implements it and hands itself to
// readSettings and writeSettings; without a view only the values are read.
class SettingsView {
public:
    virtual ~SettingsView() = default;
    // The language read: its item takes the check mark.
    virtual void checkLanguageItem(uint16_t language) = 0;
    // The window caption and every menu caption from the current language section.
    virtual void applyMenuTexts() = 0;
    // The captions of the skip and hint buttons.
    virtual void applyButtonTexts() = 0;
    virtual void setSoundChecked(bool on) = 0;
    virtual bool soundChecked() const = 0;
};

// The text of a key in the current language section. A key the file lacks gives the game's
// built-in text where it has one (texts added since players' files were filled), else "?".
std::string textInSection(const SettingsFile& file, std::string_view section, std::string_view key);

// Every caption of the game comes from the current language section; when the file is missing
// or has lost that section's "Title", raises an error saying so, naming the file and the
// section (the captions then show "?"). Nothing is changed.
void checkLanguageTexts(const GameServices& services);

// Reads the settings into the services and applies the language section. A "LanguageNumber" or
// "Strong" that is not a decimal integer is taken as its default, every other step still runs, and
// at the end one conversion error names each such key and value. "Strong" is brought into the
// strengths the game offers (maxWordLength 3..8), and a "LanguageNumber" the language table lacks
// selects its fallback language (English).
void readSettings(GameServices& services, SettingsView* view = nullptr);

// Writes the settings keys of "Vorda" and "Images" in one replacement of the file; the sound
// switch is the view's (on without a view). A failed
// write raises "Unable to write to <path>" and leaves the old file whole.
void writeSettings(const GameServices& services, const SettingsView* view = nullptr);

// A decimal integer as the settings file holds it (optional sign, digits); anything else
// raises the conversion error "'<text>' is not a valid integer value". Values beyond the
// 64-bit range are held at its ends.
int64_t settingsToInteger(const std::string& text);
