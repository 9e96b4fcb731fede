#include "core/SavedGame.h"

#include "core/PlayedWords.h"
#include "core/Rules.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/FileWriting.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QList>

#include <algorithm>

namespace {
constexpr char kHeader[] = "Vorda 2000 saved game 1";
constexpr char kLineEnd[] = "\r\n";
// No sensible game has more moves: one a free cell, passes in pairs at most.
constexpr int kMostMoves = 1 + 3 * kFieldSide * kFieldSide;

bool onField(CellPos cell) {
    return cell.column >= 0 && cell.column < kFieldSide && cell.row >= 0 && cell.row < kFieldSide;
}

char& letterAt(GameState& state, CellPos cell) {
    return state.board.cells[cell.column][cell.row].letter;
}

// Why the word of a move cannot stand on the board, or empty when it can. The new letter is
// already on the board.
QString pathProblem(const GameState& state, const MoveRecord& move) {
    if (move.path.size() != move.word.size())
        return QStringLiteral("its path does not match its word");
    bool throughNewLetter = move.cell == CellPos() && move.player == Player::Nobody;
    for (size_t i = 0; i < move.path.size(); ++i) {
        const CellPos cell = move.path[i];
        if (!onField(cell))
            return QStringLiteral("its path leaves the field");
        if (std::count(move.path.begin(), move.path.begin() + long(i), cell) != 0)
            return QStringLiteral("its path visits a cell twice");
        if (i > 0 &&
            !isPathStep(move.path[i - 1].column, move.path[i - 1].row, cell.column, cell.row))
            return QStringLiteral("its path is not a chain of side neighbours");
        const char letter = state.board.cells[cell.column][cell.row].letter;
        if (letter == kFreeCell)
            return QStringLiteral("its path crosses a free cell");
        if (letter != move.word[i])
            return QStringLiteral("its word is not what the board spells");
        throughNewLetter = throughNewLetter || cell == move.cell;
    }
    return throughNewLetter ? QString() : QStringLiteral("its word does not use its new letter");
}

QByteArray cellText(CellPos cell) {
    return cell.valid()
               ? QByteArray::number(cell.column + 1) + ',' + QByteArray::number(cell.row + 1)
               : QByteArray("-");
}

std::optional<CellPos> parseCell(const QByteArray& text) {
    if (text == "-")
        return CellPos();
    const QList<QByteArray> parts = text.split(',');
    bool columnOk = false, rowOk = false;
    if (parts.size() != 2)
        return std::nullopt;
    const CellPos cell{parts[0].toInt(&columnOk) - 1, parts[1].toInt(&rowOk) - 1};
    if (!columnOk || !rowOk || !onField(cell))
        return std::nullopt;
    return cell;
}
} // namespace

std::optional<GameState> replayMoves(const std::vector<MoveRecord>& moves, QString* error,
                                     int* failedMove) {
    const auto fail = [error, failedMove](int index, const QString& what) {
        if (error)
            *error = QStringLiteral("move %1: %2").arg(index + 1).arg(what);
        if (failedMove)
            *failedMove = index;
        return std::nullopt;
    };
    if (moves.empty())
        return fail(0, QStringLiteral("there is no start word"));
    GameState state;
    for (size_t i = 0; i < moves.size(); ++i) {
        const MoveRecord& move = moves[i];
        const int index = int(i);
        if ((i == 0) != (move.player == Player::Nobody))
            return fail(index, QStringLiteral("only the first move is the start word"));
        if (i == 0) {
            if (move.word.size() != size_t(kFieldSide) || move.cell.valid())
                return fail(index, QStringLiteral("the start word is not five letters"));
            for (int c = 0; c < kFieldSide; ++c)
                state.board.cells[c][kStartWordRow].letter = move.word[size_t(c)];
            for (int c = 0; c < kFieldSide; ++c)
                if (move.path.size() != size_t(kFieldSide) ||
                    move.path[size_t(c)] != CellPos{c, kStartWordRow})
                    return fail(index, QStringLiteral("the start word is not the middle row"));
            pushPlayedWord(state.playedWords, move.word);
            state.history.push_back(move);
            continue;
        }
        if (isGameOver(state.board, state.passCount))
            return fail(index, QStringLiteral("the game was already over"));
        MoveRecord kept = move;
        if (move.hint && move.player != Player::Human)
            return fail(index, QStringLiteral("only the human asks for the hint"));
        if (move.word.empty()) {
            if (move.cell.valid() || !move.path.empty())
                return fail(index, QStringLiteral("a pass places no letter"));
            kept.letter = 0;
            kept.score = 0;
            ++state.passCount;
            state.history.push_back(kept);
            continue;
        }
        if (!onField(move.cell) || letterAt(state, move.cell) != kFreeCell)
            return fail(index, QStringLiteral("its new letter is not in a free cell"));
        if (move.word.size() < size_t(kMinWordLength) || move.word.size() > size_t(kMaxWordLength))
            return fail(index, QStringLiteral("its word is too short or too long"));
        if (isWordPlayedIn(state.playedWords, move.word))
            return fail(index, QStringLiteral("its word was played before"));
        // A hint that found a word is spent; only one that found nothing is given again.
        if (move.hint && state.hintUsed)
            return fail(index, QStringLiteral("the hint was already used"));
        const auto at = std::find(move.path.begin(), move.path.end(), move.cell);
        if (at == move.path.end())
            return fail(index, QStringLiteral("its word does not use its new letter"));
        kept.letter = move.word[size_t(at - move.path.begin())];
        letterAt(state, move.cell) = kept.letter;
        if (const QString problem = pathProblem(state, kept); !problem.isEmpty())
            return fail(index, problem);
        kept.score = int(kept.word.size());
        uint16_t& score = state.scores[static_cast<int>(move.player) - 1];
        score = static_cast<uint16_t>(score + kept.score);
        pushPlayedWord(state.playedWords, kept.word);
        state.passCount = 0;
        state.hintUsed = state.hintUsed || kept.hint;
        state.history.push_back(kept);
    }
    return state;
}

QByteArray savedGameBytes(uint16_t language, int strength, const GameState& state) {
    QByteArray bytes = QByteArray(kHeader) + kLineEnd;
    bytes += "Language=" + QByteArray::number(language) + kLineEnd;
    bytes += "Strength=" + QByteArray::number(strength) + kLineEnd;
    bytes += QByteArray("TakenBack=") + (state.takenBack ? "1" : "0") + kLineEnd;
    bytes += "Scores=" + QByteArray::number(state.scores[0]) + ' ' +
             QByteArray::number(state.scores[1]) + kLineEnd;
    for (const MoveRecord& move : state.history) {
        const char who = move.player == Player::Nobody  ? 'S'
                         : move.player == Player::Human ? 'H'
                                                        : 'C';
        QByteArray path;
        for (CellPos cell : move.path)
            path += (path.isEmpty() ? "" : ";") + cellText(cell);
        bytes += QByteArray("Move=") + who + ' ' + (move.hint ? '1' : '0') + ' ' +
                 cellText(move.cell) + ' ' +
                 (move.word.empty() ? QByteArray("-") : QByteArray::fromStdString(move.word)) +
                 ' ' + (path.isEmpty() ? QByteArray("-") : path) + kLineEnd;
    }
    return bytes;
}

std::optional<SavedGame> parseSavedGame(const QByteArray& bytes, QString* error,
                                        const WordLibrary* words) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const auto fail = [error](int line, const QString& what) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line).arg(what);
        return std::nullopt;
    };
    if (lines.size() > 5 + kMostMoves)
        return fail(5 + kMostMoves, QStringLiteral("more moves than a game can have"));
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.isEmpty() || lines[0] != kHeader)
        return fail(1, QStringLiteral("it is not a saved game of this version"));
    SavedGame game;
    int scores[2] = {-1, -1};
    bool sawLanguage = false, sawStrength = false;
    std::vector<MoveRecord> moves;
    std::vector<int> moveLines;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const int number = i + 1;
        const int equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        bool ok = equals > 0;
        if (key == "Language") {
            game.language = static_cast<uint16_t>(value.toUShort(&ok));
            ok = ok && isLanguageNumber(game.language);
            sawLanguage = ok;
        } else if (key == "Strength") {
            game.strength = value.toInt(&ok);
            ok = ok && game.strength >= 1 && game.strength <= 6;
            sawStrength = ok;
        } else if (key == "TakenBack") {
            ok = value == "0" || value == "1";
            game.state.takenBack = value == "1";
        } else if (key == "Scores") {
            const QList<QByteArray> parts = value.split(' ');
            bool humanOk = false, computerOk = false;
            ok = parts.size() == 2;
            if (ok) {
                scores[0] = parts[0].toInt(&humanOk);
                scores[1] = parts[1].toInt(&computerOk);
            }
            ok = ok && humanOk && computerOk;
        } else if (key == "Move") {
            const QList<QByteArray> parts = value.split(' ');
            ok = parts.size() == 5 && parts[0].size() == 1 && (parts[1] == "0" || parts[1] == "1");
            MoveRecord move;
            if (ok) {
                const char who = parts[0][0];
                ok = who == 'S' || who == 'H' || who == 'C';
                move.player = who == 'S'   ? Player::Nobody
                              : who == 'H' ? Player::Human
                                           : Player::Computer;
                move.hint = parts[1] == "1";
                const auto cell = parseCell(parts[2]);
                ok = ok && cell.has_value();
                if (cell)
                    move.cell = *cell;
                if (parts[3] != "-")
                    move.word = parts[3].toStdString();
                if (ok && parts[4] != "-")
                    for (const QByteArray& step : parts[4].split(';')) {
                        const auto pathCell = parseCell(step);
                        ok = ok && pathCell && pathCell->valid();
                        if (pathCell)
                            move.path.push_back(*pathCell);
                    }
            }
            moves.push_back(move);
            moveLines.push_back(number);
        } else {
            ok = false;
        }
        if (!ok)
            return fail(number, QStringLiteral("\"%1\" does not read")
                                    .arg(cp1251ToUnicode(std::string(
                                        line.left(60).constData(), size_t(line.left(60).size())))));
    }
    if (!sawLanguage || !sawStrength)
        return fail(lines.size(), QStringLiteral("the language or the strength is missing"));
    QString replayError;
    int failedMove = 0;
    std::optional<GameState> state = replayMoves(moves, &replayError, &failedMove);
    if (!state)
        return fail(moveLines.empty() ? lines.size() : moveLines[size_t(failedMove)], replayError);
    // The rules hold; what is on the field must also be what the game could have put there:
    // capitals of the game's alphabet, and words of its library.
    const std::string_view letters = languageOf(game.language).letters;
    const bool libraryAtHand = words && words->language == game.language;
    for (size_t i = 0; i < moves.size(); ++i) {
        const std::string& word = moves[i].word;
        const auto problem = [&](const char* what) {
            return fail(moveLines[i],
                        QStringLiteral("move %1: %2").arg(i + 1).arg(QLatin1String(what)));
        };
        if (!std::all_of(word.begin(), word.end(),
                         [letters](char c) { return letters.find(c) != std::string_view::npos; }))
            return problem("its word holds a character that is no letter of the game");
        if (libraryAtHand && !word.empty() && !findWord(*words, word, uint16_t(word.size())))
            return problem("its word is not in the word library");
    }
    if (scores[0] != state->scores[0] || scores[1] != state->scores[1])
        return fail(5, QStringLiteral("the scores do not match the moves"));
    state->takenBack = game.state.takenBack;
    game.state = *state;
    return game;
}

namespace {
// A saved game of the longest sensible game is a few kilobytes.
constexpr qint64 kLargestSavedGame = 64 * 1024;
} // namespace

QString savedGamePath() {
    return gameFolder() + QStringLiteral("DATA/SavedGame");
}

bool writeSavedGame(const QByteArray& bytes, QString* reason) {
    return replaceFileContents(savedGamePath(), bytes, reason);
}

SavedGameLoad loadSavedGame(const WordLibrary* words) {
    const QString path = savedGamePath();
    const QFileInfo info(path);
    SavedGameLoad load;
    if (!info.exists() && !info.isSymLink())
        return load;
    load.path = QDir::toNativeSeparators(path);
    const auto unreadable = [&load](const QString& why) {
        load.problem = SavedGameLoad::Problem::Unreadable;
        load.reason = why;
        return load;
    };
    // Never opened when it is no plain file: a pipe would stop the start.
    if (!info.isFile())
        return unreadable(notARegularFileReason());
    const QString keptPath = path + QStringLiteral(".damaged");
    load.keptPath = QDir::toNativeSeparators(keptPath);
    QByteArray bytes;
    QString failure;
    if (!readRegularFile(path, kLargestSavedGame, &bytes, &failure)) {
        if (info.size() <= kLargestSavedGame)
            return unreadable(failure);
        // Too large to be a game, and too large to copy: the file itself goes aside, whole.
        load.problem = SavedGameLoad::Problem::Damaged;
        load.reason = QStringLiteral("it is larger than any saved game");
        if (!moveFileAside(path, keptPath, &failure))
            load.keepFailure = failure;
        return load;
    }
    QString error;
    load.game = parseSavedGame(bytes, &error, words);
    if (load.game) {
        load.bytes = bytes;
        return load;
    }
    load.problem = SavedGameLoad::Problem::Damaged;
    load.reason = error;
    // The damaged bytes stay for the player, once: an identical copy already kept is enough.
    QByteArray kept;
    const bool alreadyKept =
        readRegularFile(keptPath, kLargestSavedGame, &kept, nullptr) && kept == bytes;
    if (!alreadyKept && !replaceFileContents(keptPath, bytes, &failure))
        load.keepFailure = failure;
    return load;
}
