// The menu bar: its menus and items with their pictures, shortcuts and captions.
#include "app/GameMenu.h"

#include "app/MenuMnemonics.h"
#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "platform/Cp1251.h"
#include "platform/ResourceBitmap.h"

#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

// A menu picture from the resources, made from its pixmaps: a QIcon made from a file name
// would load the MIME database to learn the file's type. The icon holds the 1× and the 2×
// picture and chooses by the screen's pixel ratio.
QIcon menuPicture(const QString& name) {
    const QString path = QStringLiteral(":/menu/") + name;
    QIcon icon(QPixmap::fromImage(loadResourcePicture(path, "PNG")));
    const QImage doubled = loadResourcePictureForRatio(path, "PNG", 2);
    if (doubled.devicePixelRatio() == 2)
        icon.addPixmap(QPixmap::fromImage(doubled));
    return icon;
}

// An item's picture is made when its menu first opens (givePictures): the start shows no menu.
const char* const kPictureName = "vordaMenuPicture";
const char* const kTickedPicture = "vordaTickedPicture";

void setPictureName(QAction* item, const QString& name) {
    item->setProperty(kPictureName, name);
}

QAction* addItem(QMenu* menu, const char* name, int image = -1) {
    QAction* item = menu->addAction(QString::fromLatin1(name));
    item->setObjectName(QString::fromLatin1(name));
    if (image >= 0)
        setPictureName(item, QString::number(image));
    return item;
}

// A ticked item shows its picture with a mark over it: a check mark for an on/off item, a
// ring around the picture for one of a group (the language badges' letters stay clear). The menu
// shows the picture's "on" state for a ticked item, where the plain picture would only sit in a
// faint sunken frame.
void addTickedPicture(QAction* item, bool exclusive) {
    constexpr int kSide = 16;
    QIcon icon = item->icon();
    QPixmap picture = icon.pixmap(kSide, kSide);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor outline(0, 0, 0);
    const QColor mark(0, 200, 0);
    if (exclusive) {
        const QRectF ring(1, 1, kSide - 2, kSide - 2);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(outline, 2));
        painter.drawRoundedRect(ring, 3, 3);
        painter.setPen(QPen(mark, 1.5));
        painter.drawRoundedRect(ring.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    } else {
        const QPointF tick[] = {{2.5, 8.5}, {6.5, 13}, {14, 2.5}};
        painter.setPen(QPen(outline, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(tick, 3);
        painter.setPen(QPen(mark, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(tick, 3);
    }
    painter.end();
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected})
        icon.addPixmap(picture, mode, QIcon::On);
    item->setIcon(icon);
}

// A ticked item's picture is marked once it is made (see addTickedPicture).
void markTicked(QAction* item, bool exclusive) {
    item->setProperty(kTickedPicture, exclusive ? 2 : 1);
}

// Makes the pictures of a menu's items that still lack theirs.
void givePictures(QMenu* menu) {
    for (QAction* item : menu->actions()) {
        const QVariant name = item->property(kPictureName);
        if (!name.isValid())
            continue;
        item->setProperty(kPictureName, QVariant());
        item->setIcon(menuPicture(name.toString()));
        if (const int ticked = item->property(kTickedPicture).toInt())
            addTickedPicture(item, ticked == 2);
    }
}

// The menu bar's look with keyboard navigation by Alt on every style: a press and release
// of Alt highlights the first menu, and the arrows and Enter go on from there. The menu the
// keyboard (or the pointer) stands on is drawn as an open one is, so it shows before it drops.
class AltNavigationStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuBarItem && (option->state & State_Selected)) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem highlighted = *item;
                highlighted.state |= State_Sunken;
                QProxyStyle::drawControl(element, &highlighted, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

QMenu* addSubmenu(QWidget* parent, const char* name) {
    auto* menu = new QMenu(QString::fromLatin1(name), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

GameMenu::GameMenu(QWidget* window) {
    menuBar = new QMenuBar(window);
    menuBar->setNativeMenuBar(false);
    auto* menuStyle = new AltNavigationStyle;
    menuStyle->setParent(menuBar);
    menuBar->setStyle(menuStyle);

    gameMenu = addSubmenu(window, "Menu_Game");
    newGameItem = addItem(gameMenu, "Menu_NewGame", 3);
    newGameItem->setShortcut(QKeySequence(Qt::Key_F2));
    takeBackItem = addItem(gameMenu, "Menu_TakeBack");
    takeBackItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    takeBackItem->setEnabled(false);
    bestWordsItem = addItem(gameMenu, "Menu_BestWords");
    bestWordsItem->setEnabled(false);
    recordsItem = addItem(gameMenu, "Menu_Records");
    gameSeparator = addItem(gameMenu, "Menu_None1");
    exitItem = addItem(gameMenu, "Menu_Exit", 0);
    exitItem->setShortcut(QKeySequence(Qt::Key_Escape));

    optionsMenu = addSubmenu(window, "Menu_Options");
    languageMenu = addSubmenu(window, "Menu_Chooselanguage");
    optionsMenu->addMenu(languageMenu);
    // One item for each language of the table, in its order.
    auto* languages = new QActionGroup(window);
    for (const LanguageInfo& language : kLanguageTable) {
        QAction* item = addItem(languageMenu, language.menuItem, language.menuPicture);
        item->setCheckable(true);
        languages->addAction(item);
        markTicked(item, true);
        languageItems_.push_back(item);
    }
    languageItems_.front()->setChecked(true);
    russianItem = languageItem(kRussian);
    englishItem = languageItem(kEnglish);
    strengthItem = addItem(optionsMenu, "Menu_CPU", 5);
    texturesItem = addItem(optionsMenu, "Menu_Textures", 10);
    soundItem = addItem(optionsMenu, "Menu_Sound", 4);
    // A click inverts the tick mark of the checkable item; sounds play while it is ticked.
    soundItem->setCheckable(true);
    soundItem->setChecked(true);
    markTicked(soundItem, false);

    helpMenu = addSubmenu(window, "Menu_Help");
    howToPlayItem = addItem(helpMenu, "Menu_Help1", 1);
    howToPlayItem->setShortcut(QKeySequence(Qt::Key_F1));
    aboutItem = addItem(helpMenu, "Menu_About", 2);
    aboutItem->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));
    helpSeparator = addItem(helpMenu, "Menu_none2");
    homePageItem = addItem(helpMenu, "Menu_Visit", 6);
    authorSite1Item = addItem(helpMenu, "Menu_Pelmarov1");
    setPictureName(authorSite1Item, QStringLiteral("SITE1"));
    authorSite2Item = addItem(helpMenu, "Menu_Pelmarov2");
    setPictureName(authorSite2Item, QStringLiteral("SITE2"));
    createShortcutItem = addItem(helpMenu, "Menu_CreateShortcut", 7);

    for (QMenu* menu : {gameMenu, optionsMenu, helpMenu})
        menuBar->addMenu(menu);
    for (QMenu* menu : {gameMenu, optionsMenu, languageMenu, helpMenu})
        QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { givePictures(menu); });
}

std::vector<GameMenu::Caption> GameMenu::captions() const {
    std::vector<Caption> captions = {
        {gameMenu, "Menu_Game"},
        {newGameItem, "Menu_NewGame"},
        {takeBackItem, "Menu_TakeBack"},
        {bestWordsItem, "Menu_BestWords"},
        {recordsItem, "Menu_Records"},
        {gameSeparator, "Menu_None1"},
        {exitItem, "Menu_Exit"},
        {optionsMenu, "Menu_Options"},
        {languageMenu, "Menu_Chooselanguage"},
        {strengthItem, "Menu_CPU"},
        {texturesItem, "Menu_Textures"},
        {soundItem, "Menu_Sound"},
        {helpMenu, "Menu_Help"},
        {howToPlayItem, "Menu_Help1"},
        {aboutItem, "Menu_About"},
        {helpSeparator, "Menu_none2"},
        {homePageItem, "Menu_Visit"},
        {authorSite1Item, "Menu_Pelmarov1"},
        {authorSite2Item, "Menu_Pelmarov2"},
        {createShortcutItem, "Menu_CreateShortcut"},
    };
    for (size_t i = 0; i < languageItems_.size(); ++i)
        captions.push_back({languageItems_[i], kLanguageTable[i].menuItem});
    return captions;
}

QAction* GameMenu::languageItem(uint16_t language) const {
    for (size_t i = 0; i < languageItems_.size(); ++i)
        if (kLanguageTable[i].number == language)
            return languageItems_[i];
    return nullptr;
}

void GameMenu::open() {
    menuBar->setActiveAction(gameMenu->menuAction());
}

void GameMenu::applyTexts(const TextOf& text, const WordLibrary& words) {
    for (const Caption& caption : captions()) {
        if (auto* menu = qobject_cast<QMenu*>(caption.item)) {
            menu->setTitle(cp1251ToUnicode(text(caption.key)));
            continue;
        }
        auto* item = static_cast<QAction*>(caption.item);
        const std::string itemText = text(caption.key);
        // A separator is an item whose text is "-". It keeps no text: the menu would draw it
        // before the line.
        const bool separator = itemText == "-";
        item->setSeparator(separator);
        item->setText(separator ? QString() : cp1251ToUnicode(itemText));
    }
    // The language items add their library's word count to the text.
    refreshLanguageItems(text, words);
    addMnemonics(menuBar->actions());
    for (QMenu* menu : {gameMenu, optionsMenu, languageMenu, helpMenu})
        addMnemonics(menu->actions());
}

void GameMenu::refreshLanguageItems(const TextOf& text, const WordLibrary& words) {
    for (size_t i = 0; i < languageItems_.size(); ++i)
        languageItems_[i]->setText(
            cp1251ToUnicode(text(kLanguageTable[i].menuItem) + " " +
                            std::to_string(words.wordCount[kLanguageTable[i].number])));
    addMnemonics(languageMenu->actions());
}
