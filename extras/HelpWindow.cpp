#include "extras/HelpWindow.h"
#include "extras/GameServices.h"

#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "skin/CoolControls.h"
#include "skin/CoolMemo.h"

namespace {
constexpr int kHelpClientWidth = 500;
constexpr int kHelpClientHeight = 300;

// The help texts are kept here as UTF-8; they only ever meet the screen.
QStringList lines(std::initializer_list<const char*> utf8Lines) {
    QStringList lines;
    for (const char* line : utf8Lines)
        lines << QString::fromUtf8(line);
    return lines;
}

QStringList englishHelp() {
    return lines({
        "How to play, you asked! Very easy!",
        "",
        "You and the computer take turns on a 5 x 5 field. A game starts with a five-letter "
        "word across the middle row. In each move you add one letter and make a word that uses "
        "it.",
        "",
        "Your move, step by step:",
        "1. Pick a letter in the alphabet at the bottom of the window with the left mouse "
        "button.",
        "2. Click a free cell of the field: the letter goes there.",
        "3. Click the letters of your word one by one, in order. Each next letter must touch the "
        "previous one from the left, the right, above or below (not across a corner), and no "
        "cell may be used twice. The word must pass through the letter you have just placed.",
        "4. Click any of the marked letters once more to confirm the word.",
        "",
        "At any step a click with the RIGHT mouse button takes back the last step.",
        "",
        "Without a mouse: type a letter to choose it, move the frame over the field with the "
        "arrow keys, and press Space or Enter where a left click would go; Backspace takes back "
        "the last step, F3 skips your move and F4 asks for the hint.",
        "",
        "A word counts if it has at least two letters, is in the game's word library and has "
        "not been played yet in this game (the start word included). If the library does not "
        "know your word, the game asks whether to add it.",
        "",
        "Every letter of a word scores one point for the player who made it. The scores stand "
        "above the two columns of words: yours on the left, the computer's on the right.",
        "",
        "If you cannot find a word, press SKIP. Once per game you may press HINT instead: the "
        "computer makes your move for you and the word counts for you. If it finds none, the "
        "hint stays yours.",
        "",
        "The game ends when the field is full or when two turns in a row pass without a word. "
        "The winner is the one with more points; a good result enters the records table, kept "
        "for each language and strength.",
        "",
        "The strength of the computer (Options, CPU) is the longest word it may play: "
        "strength 1 allows words of three letters, strength 6 words of eight letters. Among "
        "the longest words it can make it plays the commonest; with \"everyday words only\" "
        "checked there, it plays the longest everyday word it can, and a rarer one only when "
        "no everyday word fits.",
        "",
        "F5 tells what the computer's last word means, with a button that opens the word in "
        "Wiktionary. After a game, Best words in the Game menu does the same for every word "
        "of the game: choose a turn and press Meaning.",
        "",
        "Good luck!",
    });
}

QStringList russianHelp() {
    return lines({
        "Всё, что от вас требуется, — составлять слова подлиннее и немного думать.",
        "",
        "Игра начинается со слова из 5 букв. Вы и компьютер ходите по очереди: добавляете "
        "одну букву и составляете слово, в которое входит эта буква.",
        "",
        "Ход по шагам:",
        "",
        "1) Внизу показаны буквы алфавита; щелчком левой кнопки мыши выберите нужную.",
        "",
        "2) Щелчком левой кнопки на поле укажите, куда поставить букву.",
        "",
        "3) Щелчками левой кнопки отметьте по порядку все буквы слова.",
        "",
        "4) Щелчок левой кнопкой на любой отмеченной букве подтверждает слово.",
        "",
        "На любом шаге щелчок ПРАВОЙ кнопкой мыши возвращает к предыдущему шагу.",
        "",
        "Без мыши: наберите букву на клавиатуре, чтобы выбрать её, двигайте рамку по полю "
        "стрелками и нажимайте Пробел или Enter там, где щёлкнули бы левой кнопкой; Backspace "
        "возвращает к предыдущему шагу, F3 пропускает ход, F4 даёт подсказку. Раскладка "
        "клавиатуры может быть любой: клавиша выбирает ту букву, что стоит на ней в русской "
        "раскладке.",
        "",
        "Если не можете придумать слово, нажмите ПРОПУСК или воспользуйтесь ПОДСКАЗКОЙ "
        "(только один раз за игру).",
        "",
        "Из самых длинных слов компьютер выбирает самое употребительное; с отметкой «только "
        "обиходные слова» в окне силы компьютера он играет самое длинное обиходное слово, а "
        "более редкое — лишь когда обиходного нет.",
        "",
        "F5 открывает окно со значением последнего слова компьютера: кнопка в нём показывает "
        "слово в Викисловаре. После игры то же можно сделать для любого её слова в окне "
        "«Лучшие слова»: выберите ход и нажмите «Значение».",
        "",
        "Вот и всё!",
    });
}
} // namespace

HelpWindow::HelpWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "HowToPlayWindow", kHelpClientWidth, kHelpClientHeight, MainInput::Free),
      englishText(englishHelp()), russianText(russianHelp()), services_(services) {
    helpText = new CoolMemo(clientArea);
    helpText->setGeometry(5, 5, 440, 290);
    helpText->setFont(coolFont(15, true));
    // White on the dark text-area picture, like the name box.
    QPalette colours = helpText->palette();
    colours.setColor(QPalette::Text, Qt::white);
    helpText->setPalette(colours);

    okButton = makeOkButton(QRect(455, 115, 40, 40));
    okButton->setShadowSize(0);

    followTextures();
}

void HelpWindow::applyWindowTextures() {
    helpText->setWallpaper(getTexture(kTextAreaSlot));
}

void HelpWindow::prepareToShow() {
    setWindowTitle(dialogTitle(services_.languageText("Menu_Help1")));
    helpText->setLines(services_.words().language == kRussian ? russianText : englishText);
}
