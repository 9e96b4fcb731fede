#pragma once

#include <QByteArray>
#include <QString>

// Bringing a player's game folder up to date with the installed files, at each start of an
// installed game, without touching what is the player's:
// - the settings file "Vorda2000.ini": its language sections (every section but "Vorda" and
//   "Images") come from the installed settings file, while "Vorda", "Images" and any section
//   the installed file lacks stay as the player has them;
// - the word libraries "DATA/Lib.RUS" and "DATA/Lib.ENG": the installed library's words, with
//   every word of the player's library that the installed one lacks added after them, so a
//   word the player added is never lost;
// - the ranks and definitions beside the libraries ("DATA/Ranks.RUS", "DATA/Ranks.ENG",
//   "DATA/Meanings.ENG"), which are the game's and not the player's: replaced by the installed
//   ones;
// - the records, pictures, skins and sounds are never touched.
// A file is refreshed when the installed file differs (in size or time) from the one the
// folder was last brought up to date with, as noted in kInstalledStampName, so an upgrade
// reaches every player once. Besides, a settings file that lacks a language section of the
// installed one (written by the game while the copy was missing) gets it at every start.

// The note of the installed files the player's folder was last brought up to date with.
extern const char* const kInstalledStampName; // ".installed-files"

// Refreshes the player's folder `user` from `installed` (both with a trailing "/") as above.
// Every rewrite replaces its file whole or not at all. Returns empty, or a message for the
// player naming the first file that could not be refreshed (it is left as it was and tried
// again at the next start).
QString updatePlayerFolder(const QString& installed, const QString& user);

// The player's settings file (Windows-1251 bytes) with its language sections taken from the
// installed one: when replaceTexts, every section the installed file holds except "Vorda" and
// "Images" is replaced by the installed one; either way, the installed sections the player's
// file lacks are added at its end. Section names match without regard to case; the player's
// other lines and line ends stay byte for byte.
QByteArray mergeSettingsTexts(const QByteArray& player, const QByteArray& installed,
                              bool replaceTexts);

// The installed library followed by the word lines of the player's library that it lacks
// (compared without regard to case), each ended by CR LF. Both are read as the game reads a
// library: lines end at CR, reading stops at a Ctrl-Z, comment lines (";") and lines that
// cannot be words (shorter than 2 or longer than 20 bytes) are not words.
QByteArray mergeLibraryWords(const QByteArray& player, const QByteArray& installed);

// The language (1 Russian, 2 English) a new player's game starts in: Russian for a locale
// name that begins with "ru" ("ru_RU.UTF-8"), English for any other, "C" and empty included.
int languageForLocale(const QString& localeName);

// Sets the language of the settings file at `settingsPath`, just copied for a new player, to
// the locale's (languageForLocale). Returns empty, or the message of a failed write.
QString setNewPlayerLanguage(const QString& settingsPath, const QString& localeName);

// The locale name that decides the language of messages: $LC_ALL, else $LC_MESSAGES, else
// $LANG, the first that is set and not empty.
QString messagesLocaleName();
