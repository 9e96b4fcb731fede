#include "core/GameModel.h"

#include "core/Rules.h"
#include "core/SavedGame.h"
#include "platform/Cp1251.h"

#include <algorithm>

namespace {
LetterCell& at(LetterGrid& grid, CellPos cell) {
    return grid.cells[cell.column][cell.row];
}
const LetterCell& at(const LetterGrid& grid, CellPos cell) {
    return grid.cells[cell.column][cell.row];
}
bool onField(CellPos cell) {
    return cell.column >= 0 && cell.column < kFieldSide && cell.row >= 0 && cell.row < kFieldSide;
}
} // namespace

GameModel::GameModel(QObject* parent) : QObject(parent) {}

void GameModel::restore(const GameState& state) {
    state_ = state;
    emit changed();
}

LetterGrid GameModel::boardWithMove() const {
    LetterGrid grid = state_.board;
    if (state_.phase == MovePhase::Selecting && state_.placed.valid() &&
        !state_.chosenLetter.empty())
        at(grid, state_.placed).letter = state_.chosenLetter[0];
    return grid;
}

bool GameModel::isFilled(CellPos cell) const {
    return onField(cell) && at(state_.board, cell).letter != kFreeCell;
}

bool GameModel::onWordPath(CellPos cell) const {
    return std::find(state_.wordPath.begin(), state_.wordPath.end(), cell) != state_.wordPath.end();
}

std::string GameModel::word() const {
    const LetterGrid grid = boardWithMove();
    std::string text;
    for (CellPos cell : state_.wordPath)
        text += at(grid, cell).letter;
    return text;
}

bool GameModel::isPlayed(const std::string& word) const {
    return isWordPlayedIn(state_.playedWords, word);
}

std::vector<std::string> GameModel::sheet(Player player) const {
    std::vector<std::string> words;
    for (auto move = state_.history.rbegin();
         move != state_.history.rend() && int(words.size()) < kSheetLines; ++move)
        if (move->player == player && !move->word.empty())
            words.push_back(move->word);
    return words;
}

Player GameModel::toMove() const {
    if (state_.phase == MovePhase::Computer)
        return Player::Computer;
    if (!state_.history.empty() && state_.history.back().player == Player::Human)
        return Player::Computer;
    return Player::Human;
}

bool GameModel::isOver() const {
    return isGameOver(state_.board, state_.passCount);
}

void GameModel::newGame(const std::string& libraryWord) {
    // The field holds capitals, as the palette writes them; a library may keep small letters.
    std::string startWord = libraryWord;
    for (char& letter : startWord)
        letter = char(cp1251FoldCase(static_cast<unsigned char>(letter)));
    GameState next;
    next.chosenLetter = state_.chosenLetter; // the palette keeps its letter
    for (int c = 0; c < kFieldSide && c < int(startWord.size()); ++c)
        next.board.cells[c][kStartWordRow].letter = startWord[size_t(c)];
    pushPlayedWord(next.playedWords, startWord);
    MoveRecord start;
    start.word = startWord;
    for (int c = 0; c < int(startWord.size()); ++c)
        start.path.push_back({c, kStartWordRow});
    next.history.push_back(start);
    state_ = next;
    emit changed();
}

bool GameModel::chooseLetter(const std::string& letter) {
    if (letter == state_.chosenLetter)
        return false;
    if (state_.phase == MovePhase::Selecting)
        takePlacementBack();
    state_.chosenLetter = letter;
    emit changed();
    return true;
}

bool GameModel::place(CellPos cell) {
    if (state_.phase != MovePhase::Placing || state_.chosenLetter.empty() || !onField(cell) ||
        isFilled(cell))
        return false;
    state_.phase = MovePhase::Selecting;
    state_.placed = cell;
    emit changed();
    return true;
}

bool GameModel::extendWord(CellPos cell) {
    if (state_.phase != MovePhase::Selecting || !onField(cell) || onWordPath(cell))
        return false;
    if (!isFilled(cell) && cell != state_.placed)
        return false;
    if (!state_.wordPath.empty()) {
        const CellPos last = state_.wordPath.back();
        if (!isPathStep(last.column, last.row, cell.column, cell.row))
            return false;
    }
    state_.wordPath.push_back(cell);
    emit changed();
    return true;
}

WordVerdict GameModel::judgeWord(const WordLibrary& words) const {
    if (state_.phase != MovePhase::Selecting || !onWordPath(state_.placed))
        return WordVerdict::NotThroughNewLetter;
    const std::string text = word();
    if (text.size() < size_t(kMinWordLength))
        return WordVerdict::TooShort;
    if (text.size() > size_t(kMaxWordLength))
        return WordVerdict::TooLong;
    if (isPlayed(text))
        return WordVerdict::AlreadyPlayed;
    return judgeHumanWord(text, words, state_.playedWords) == HumanWordVerdict::Accepted
               ? WordVerdict::Accepted
               : WordVerdict::NotInLibrary;
}

WordVerdict GameModel::confirmWord(const WordLibrary& words) {
    const WordVerdict verdict = judgeWord(words);
    if (verdict != WordVerdict::Accepted)
        return verdict;
    MoveRecord move;
    move.player = Player::Human;
    move.cell = state_.placed;
    move.letter = state_.chosenLetter[0];
    move.word = word();
    move.path = state_.wordPath;
    at(state_.board, state_.placed).letter = move.letter;
    state_.placed = CellPos();
    state_.wordPath.clear();
    // The computer's turn begins when the window starts it, unless the game is over.
    state_.phase = MovePhase::Placing;
    credit(Player::Human, std::move(move));
    emit changed();
    return verdict;
}

void GameModel::dropWord() {
    if (state_.wordPath.empty())
        return;
    state_.wordPath.clear();
    emit changed();
}

bool GameModel::stepBack() {
    if (state_.phase != MovePhase::Selecting)
        return false;
    if (!state_.wordPath.empty())
        state_.wordPath.clear();
    else
        takePlacementBack();
    emit changed();
    return true;
}

void GameModel::skip() {
    ++state_.passCount;
    MoveRecord pass;
    pass.player = Player::Human;
    state_.history.push_back(pass);
    beginComputerTurn(false);
}

void GameModel::beginComputerTurn(bool forHuman) {
    // A letter placed but not played goes away.
    if (state_.phase == MovePhase::Selecting)
        takePlacementBack();
    state_.phase = MovePhase::Computer;
    state_.hintRunning = forHuman;
    if (forHuman)
        state_.hintUsed = true;
    emit changed();
}

void GameModel::applyComputerMove(const SearchResult& result) {
    const bool forHuman = state_.hintRunning;
    const Player player = forHuman ? Player::Human : Player::Computer;
    state_.hintRunning = false;
    MoveRecord move;
    move.player = player;
    move.hint = forHuman;
    if (result.word.empty() || result.column < 0) {
        ++state_.passCount;
        // The hint that found nothing is the human's to use again.
        if (forHuman)
            state_.hintUsed = false;
        state_.history.push_back(move);
        emit changed();
        return;
    }
    move.cell = {result.column, result.row};
    move.word = result.word;
    for (int i = 0; i < result.pathLength; ++i)
        move.path.push_back({result.path[size_t(2 * i)], result.path[size_t(2 * i + 1)]});
    // The new letter is the word's letter in the new cell.
    for (size_t i = 0; i < move.path.size() && i < move.word.size(); ++i)
        if (move.path[i] == move.cell)
            move.letter = move.word[i];
    at(state_.board, move.cell).letter = move.letter;
    credit(player, std::move(move));
    emit changed();
}

void GameModel::endComputerTurn() {
    state_.phase = MovePhase::Placing;
    state_.hintRunning = false;
    emit changed();
}

bool GameModel::canTakeBack() const {
    if (state_.phase == MovePhase::Computer)
        return false;
    return std::any_of(state_.history.begin() + (state_.history.empty() ? 0 : 1),
                       state_.history.end(),
                       [](const MoveRecord& move) { return move.player == Player::Human; });
}

bool GameModel::takeBack() {
    if (!canTakeBack())
        return false;
    auto lastHuman =
        std::find_if(state_.history.rbegin(), state_.history.rend(),
                     [](const MoveRecord& move) { return move.player == Player::Human; });
    std::vector<MoveRecord> kept(state_.history.begin(), std::prev(lastHuman.base()));
    // The moves before were played by these rules already: replaying them cannot fail.
    std::optional<GameState> earlier = replayMoves(kept, nullptr);
    if (!earlier)
        return false;
    earlier->chosenLetter = state_.chosenLetter;
    earlier->takenBack = true;
    state_ = *earlier;
    emit changed();
    return true;
}

void GameModel::credit(Player player, MoveRecord move) {
    move.score = int(move.word.size());
    uint16_t& score = state_.scores[static_cast<int>(player) - 1];
    score = static_cast<uint16_t>(score + move.score);
    pushPlayedWord(state_.playedWords, move.word);
    state_.passCount = 0;
    state_.history.push_back(std::move(move));
}

void GameModel::takePlacementBack() {
    state_.wordPath.clear();
    state_.placed = CellPos();
    state_.phase = MovePhase::Placing;
}
