// The menu bar: its items with their pictures and shortcuts, and the commands they run.
#include "app/MainUnit.h"

#include "core/LanguageUnit.h"
#include "platform/ErrorBox.h"
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
    QIcon icon(QPixmap::fromImage(LoadResourcePicture(path, "PNG")));
    const QImage doubled = LoadResourcePictureForRatio(path, "PNG", 2);
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

void TMainWindow::OpenMenuBar() {
    MainMenu1->setActiveAction(Menu_Game->menuAction());
}

// A menu command reports its errors itself, however it was triggered.
void TMainWindow::connectCommand(QAction* item, void (TMainWindow::*handler)()) {
    connect(item, &QAction::triggered, this,
            [this, handler] { RunReportingErrors([this, handler] { (this->*handler)(); }); });
}

void TMainWindow::CreateMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setNativeMenuBar(false);
    auto* menuStyle = new AltNavigationStyle;
    menuStyle->setParent(MainMenu1);
    MainMenu1->setStyle(menuStyle);

    Menu_Game = addSubmenu(this, "Menu_Game");
    Menu_NewGame = addItem(Menu_Game, "Menu_NewGame", 3);
    Menu_NewGame->setShortcut(QKeySequence(Qt::Key_F2));
    Menu_TakeBack = addItem(Menu_Game, "Menu_TakeBack");
    Menu_TakeBack->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Menu_TakeBack->setEnabled(false);
    Menu_BestWords = addItem(Menu_Game, "Menu_BestWords");
    Menu_BestWords->setEnabled(false);
    Menu_Records = addItem(Menu_Game, "Menu_Records");
    Menu_None1 = addItem(Menu_Game, "Menu_None1");
    Menu_Exit = addItem(Menu_Game, "Menu_Exit", 0);
    Menu_Exit->setShortcut(QKeySequence(Qt::Key_Escape));

    Menu_Options = addSubmenu(this, "Menu_Options");
    Menu_Chooselanguage = addSubmenu(this, "Menu_Chooselanguage");
    Menu_Options->addMenu(Menu_Chooselanguage);
    // One item for each language of the table, in its order.
    auto* languages = new QActionGroup(this);
    for (const LanguageInfo& language : kLanguageTable) {
        QAction* item = addItem(Menu_Chooselanguage, language.MenuItem, language.MenuPicture);
        item->setCheckable(true);
        languages->addAction(item);
        markTicked(item, true);
        const uint16_t number = language.Number;
        connect(item, &QAction::triggered, this,
                [this, number] { RunReportingErrors([this, number] { SwitchLanguage(number); }); });
        languageItems_.push_back(item);
    }
    languageItems_.front()->setChecked(true);
    Menu_Russian = LanguageItem(kRussian);
    Menu_English = LanguageItem(kEnglish);
    Menu_CPU = addItem(Menu_Options, "Menu_CPU", 5);
    Menu_Textures = addItem(Menu_Options, "Menu_Textures", 10);
    Menu_Sound = addItem(Menu_Options, "Menu_Sound", 4);
    // A click inverts the tick mark of the checkable item; sounds play while it is ticked.
    Menu_Sound->setCheckable(true);
    Menu_Sound->setChecked(true);
    markTicked(Menu_Sound, false);

    Menu_Help = addSubmenu(this, "Menu_Help");
    Menu_Help1 = addItem(Menu_Help, "Menu_Help1", 1);
    Menu_Help1->setShortcut(QKeySequence(Qt::Key_F1));
    Menu_About = addItem(Menu_Help, "Menu_About", 2);
    Menu_About->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));
    Menu_none2 = addItem(Menu_Help, "Menu_none2");
    Menu_Visit = addItem(Menu_Help, "Menu_Visit", 6);
    Menu_Pelmarov1 = addItem(Menu_Help, "Menu_Pelmarov1");
    setPictureName(Menu_Pelmarov1, QStringLiteral("SITE1"));
    Menu_Pelmarov2 = addItem(Menu_Help, "Menu_Pelmarov2");
    setPictureName(Menu_Pelmarov2, QStringLiteral("SITE2"));
    Menu_CreateShortcut = addItem(Menu_Help, "Menu_CreateShortcut", 7);

    for (QMenu* menu : {Menu_Game, Menu_Options, Menu_Help})
        MainMenu1->addMenu(menu);
    for (QMenu* menu : {Menu_Game, Menu_Options, Menu_Chooselanguage, Menu_Help})
        connect(menu, &QMenu::aboutToShow, menu, [menu] { givePictures(menu); });

    // Shortcuts work while the pointer is anywhere in the window.
    for (QAction* item : {Menu_NewGame, Menu_TakeBack, Menu_Exit, Menu_Help1, Menu_About})
        addAction(item);
    auto* openMenuBar = new QAction(this);
    openMenuBar->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(openMenuBar);
    connect(openMenuBar, &QAction::triggered, this, &TMainWindow::OpenMenuBar);

    connectCommand(Menu_NewGame, &TMainWindow::Menu_NewGameClick);
    connectCommand(Menu_TakeBack, &TMainWindow::Menu_TakeBackClick);
    connectCommand(Menu_BestWords, &TMainWindow::Menu_BestWordsClick);
    connectCommand(Menu_Records, &TMainWindow::Menu_RecordsClick);
    connectCommand(Menu_Exit, &TMainWindow::Menu_ExitClick);
    connectCommand(Menu_CPU, &TMainWindow::Menu_CPUClick);
    connectCommand(Menu_Textures, &TMainWindow::Menu_TexturesClick);
    connectCommand(Menu_Visit, &TMainWindow::Menu_VisitClick);
    connectCommand(Menu_Pelmarov1, &TMainWindow::Menu_Pelmarov1Click);
    connectCommand(Menu_Pelmarov2, &TMainWindow::Menu_Pelmarov2Click);
    connectCommand(Menu_Help1, &TMainWindow::Menu_Help1Click);
    connectCommand(Menu_About, &TMainWindow::Menu_AboutClick);
    connectCommand(Menu_CreateShortcut, &TMainWindow::Menu_CreateShortcutClick);
}
