#include "extras/TexturesWindow.h"
#include "extras/GameServices.h"

#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "platform/VordaError.h"
#include "settings/SettingsFile.h"
#include "skin/CoolCheckBox.h"
#include "skin/CoolControls.h"
#include "skin/CoolListBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>

namespace {

// Room beside the slot numbers for what each slot dresses; the controls right of the list and
// the window stand this much further right and wider.
constexpr int kSlotNamesWidth = 105;
constexpr int kWindowWidth = 292 + kSlotNamesWidth;
constexpr int kFullHeight = 345;
constexpr int kSkinsHeightCut = 280; // the window shrinks to 65 pixels with skins on
constexpr int kOKButtonTop = 295;
constexpr int kSkinsOKButtonRise = 283; // the OK button moves up to 12 with skins on
constexpr int kItemHeight = 16;
const QColor kListColour(0, 215, 255);
const QColor kListHighlight(0, 0, 128);
const QColor kAqua(0, 255, 255);
const QColor kSlotColour(0, 128, 0);
const QColor kSelectedSlotColour(255, 100, 100);
const QString kResetGlyph = QStringLiteral("\u21BA");   // ↺
const QString kStretchGlyph = QStringLiteral("\u2194"); // ↔

// A round button with a symbol drawn over its face instead of a Windows-1251 caption.
class GlyphButton : public CoolButton {
public:
    GlyphButton(const QString& glyph, QWidget* parent) : CoolButton(parent), glyph_(glyph) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        CoolButton::paintEvent(event);
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(fontColor());
        painter.drawText(isDown() ? rect().translated(1, 1) : rect(), Qt::AlignCenter, glyph_);
    }

private:
    QString glyph_;
};

// A list reports a choice when the user clicks a line (also the line already selected) or
// moves the selection with the keyboard; selections made from code report nothing.
template <class Handler>
void connectListClick(QListWidget* list, TexturesWindow* window, Handler handler) {
    QObject::connect(list, &QListWidget::itemClicked, window,
                     [window, handler] { runReportingErrors([=] { (window->*handler)(); }); });
    QObject::connect(list, &QListWidget::currentRowChanged, window, [list, window, handler] {
        if (list->hasFocus() && QGuiApplication::mouseButtons() == Qt::NoButton)
            runReportingErrors([=] { (window->*handler)(); });
    });
}

QFont listFont() {
    return coolFont(13, true);
}

void styleList(QWidget* list) {
    // Text colours go with the fixed background, so a dark desktop theme's light text never
    // lands on it.
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, kListColour);
    palette.setColor(QPalette::Window, kListColour);
    palette.setColor(QPalette::Button, kListColour);
    for (QPalette::ColorRole text : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(text, Qt::black);
    palette.setColor(QPalette::Highlight, kListHighlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    list->setPalette(palette);
    list->setFont(listFont());
}

} // namespace

// --- TexturePreview ----------------------------------------------------------------------

TexturePreview::TexturePreview(QWidget* parent) : QWidget(parent) {}

void TexturePreview::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void TexturePreview::setStretch(bool stretch) {
    if (stretch_ == stretch)
        return;
    stretch_ = stretch;
    update();
}

void TexturePreview::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_) {
        painter.drawPixmap(rect(), picture_);
        return;
    }
    const QPoint topLeft((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
    painter.drawPixmap(topLeft, picture_);
}

// --- TexturesWindow ------------------------------------------------------------------------

TexturesWindow::TexturesWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "ImagesWindow", kWindowWidth, kFullHeight, MainInput::Free),
      services_(services) {
    createControls();
    initialise();
}

void TexturesWindow::createControls() {
    useSkinsBox = new CoolCheckBox(clientArea);
    useSkinsBox->setGeometry(5, 3, 241, 21);
    useSkinsBox->setTransparent(true);
    useSkinsBox->setFont(coolFont(15));
    connect(useSkinsBox, &QAbstractButton::clicked, this,
            [this] { runReportingErrors([this] { useSkinsChanged(); }); });

    skinBox = new QComboBox(clientArea);
    skinBox->setGeometry(10, 30, 224, 24);
    styleList(skinBox);
    connect(skinBox, &QComboBox::activated, this,
            [this] { runReportingErrors([this] { skinChosen(); }); });

    pictureList = new QListWidget(clientArea);
    pictureList->setGeometry(75, 29, 210 + kSlotNamesWidth, 141);
    pictureList->setSelectionMode(QAbstractItemView::SingleSelection);
    pictureList->setUniformItemSizes(true);
    styleList(pictureList);
    connectListClick(pictureList, this, &TexturesWindow::pictureChosen);

    auto* reset = new GlyphButton(kResetGlyph, clientArea);
    resetButton = reset;
    resetButton->setGeometry(15, 79, 40, 40);
    resetButton->setRounded(true);
    resetButton->setSimpleView(true);
    resetButton->setFont(coolFont(36));
    resetButton->setFontColor(kAqua);
    resetButton->setFocusPolicy(Qt::TabFocus);
    connect(resetButton, &QAbstractButton::clicked, this,
            [this] { runReportingErrors([this] { resetPicture(); }); });

    slotList = new CoolListBox(clientArea);
    slotList->setGeometry(27, 179, 17, kTextureSlots * kItemHeight);
    slotList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    slotList->setPaintTransparently(true);
    slotList->setItemHeight(kItemHeight);
    slotList->setFont(coolFont(17));
    slotList->setFontColor(kSlotColour);
    slotList->setSelFont(coolFont(15, true));
    slotList->setSelFontColor(kSelectedSlotColour);
    for (int slot = 0; slot < kTextureSlots; ++slot)
        slotList->addItem(QString::number(slot));
    connectListClick(slotList, this, &TexturesWindow::slotChosen);
    for (int slot = 0; slot < kTextureSlots; ++slot) {
        auto* name = new CoolLabel(clientArea);
        name->setGeometry(47, 179 + slot * kItemHeight, kSlotNamesWidth, kItemHeight);
        name->setTransparent(true);
        name->setSimpleView(true);
        name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        name->setFont(coolFont(11));
        name->setFontColor(kSlotColour);
        name->setElided(true);
        name->setAttribute(Qt::WA_TransparentForMouseEvents);
        slotNames[slot] = name;
    }

    previewPanel = new CoolPanel(clientArea);
    previewPanel->setGeometry(75 + kSlotNamesWidth, 179, 160, 160);
    previewPanel->setBevels(BevelKind::Lowered, BevelKind::Raised);
    preview = new TexturePreview(previewPanel);
    preview->setGeometry(3, 3, 154, 154);

    stretchBox = new CoolCheckBox(clientArea);
    stretchBox->setGeometry(240 + kSlotNamesWidth, 184, 51, 21);
    stretchBox->setTransparent(true);
    stretchBox->setGlyph(kStretchGlyph);
    stretchBox->setFont(coolFont(24, true));
    connect(stretchBox, &QAbstractButton::clicked, this, &TexturesWindow::stretchChanged);

    okButton = makeOkButton(QRect(245 + kSlotNamesWidth, kOKButtonTop, 40, 40));
    okButton->setShadowSize(0);
}

void TexturesWindow::initialise() {
    // The file list works in the textures folder, which stays the current directory for the
    // rest of the run: the sound effects are found in its "sounds" folder.
    QDir::setCurrent(ChosenTextures.texturesDir);
    followTextures();
}

void TexturesWindow::applyWindowTextures() {
    resetButton->setWallpaper(getTexture(kButtonsSlot));
}

void TexturesWindow::prepareToShow() {
    // The check box shows the setting as it stands at each showing: the settings may have
    // been read again since the window was made.
    {
        const QSignalBlocker quiet(useSkinsBox);
        useSkinsBox->setChecked(ChosenTextures.useSkins);
    }
    setWindowTitle(dialogTitle(services_.languageText("Menu_Textures")));
    useSkinsBox->setCaption(services_.languageText("UseSkins"));
    // The two symbol buttons say in words what they do.
    resetButton->setAccessibleName(cp1251ToUnicode(services_.languageText("ResetPicture")));
    stretchBox->setAccessibleName(cp1251ToUnicode(services_.languageText("StretchPicture")));
    for (int slot = 0; slot < kTextureSlots; ++slot)
        slotNames[slot]->setCaption(services_.languageText("Slot" + std::to_string(slot)));
    readFileList();
    {
        const QSignalBlocker quiet(slotList);
        slotList->setCurrentRow(0);
    }
    // A remembered file missing from the folder is reported, and the window still finishes
    // switching to the state of its check box.
    runReportingErrors([this] { slotChosen(); });
    useSkinsChanged();
}

void TexturesWindow::readFileList() {
    const QSignalBlocker quiet(pictureList);
    const QString selected =
        pictureList->currentItem() ? pictureList->currentItem()->text() : QString();
    pictureList->clear();
    const QDir folder(ChosenTextures.texturesDir);
    const QStringList names =
        folder.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.jpg")},
                         QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    pictureList->addItems(names);
    const auto again = pictureList->findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !again.isEmpty())
        pictureList->setCurrentItem(again.first());
}

int TexturesWindow::selectedSlot() const {
    const int row = slotList->currentRow();
    return row < 0 ? 0 : row;
}

void TexturesWindow::slotChosen() {
    const int slot = selectedSlot();
    preview->setPicture(getTexture(slot));
    applyTextures();
    const std::string& name = ChosenTextures.textureFiles[slot];
    if (name.empty()) {
        // The slot wears its built-in picture: no file stays highlighted.
        const QSignalBlocker quiet(pictureList);
        pictureList->setCurrentRow(-1);
        pictureList->clearSelection();
        return;
    }
    const QString fileName = cp1251ToUnicode(name);
    const auto found = pictureList->findItems(fileName, Qt::MatchExactly);
    if (found.isEmpty())
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("Invalid file name - %1").arg(fileName));
    const QSignalBlocker quiet(pictureList);
    pictureList->setCurrentItem(found.first());
}

namespace {
// The settings file keeps names in Windows-1251: a name it cannot hold would be lost.
void requireCp1251Name(const QString& name, const char* what) {
    if (!fitsCp1251(name))
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("The %1 \"%2\" cannot be used: its name holds characters "
                                        "the settings file cannot keep. Rename it with Latin or "
                                        "Cyrillic letters, digits and common signs.")
                             .arg(QString::fromLatin1(what), name));
}
} // namespace

void TexturesWindow::pictureChosen() {
    const QListWidgetItem* item = pictureList->currentItem();
    if (!item)
        return;
    requireCp1251Name(item->text(), "picture");
    ChosenTextures.textureFiles[selectedSlot()] = unicodeToCp1251(item->text());
    loadTextures();
    slotChosen();
}

void TexturesWindow::resetPicture() {
    ChosenTextures.textureFiles[selectedSlot()].clear();
    loadTextures();
    slotChosen();
}

void TexturesWindow::stretchChanged() {
    preview->setStretch(stretchBox->isChecked());
}

void TexturesWindow::useSkinsChanged() {
    ChosenTextures.useSkins = useSkinsBox->isChecked();
    const bool skins = ChosenTextures.useSkins;
    for (QWidget* perSlot : {static_cast<QWidget*>(pictureList), static_cast<QWidget*>(resetButton),
                             static_cast<QWidget*>(stretchBox), static_cast<QWidget*>(slotList)})
        perSlot->setVisible(!skins);
    for (CoolLabel* name : slotNames)
        name->setVisible(!skins);
    skinBox->setVisible(skins);
    const int u = skins ? 1 : 0;
    okButton->move(okButton->x(), kOKButtonTop - kSkinsOKButtonRise * u);
    setClientSize(kWindowWidth, kFullHeight - kSkinsHeightCut * u);
    if (skins)
        readSkinList();
    skinChosen();
    // Back to per-slot files, the preview shows what the slot holds now.
    if (!skins)
        preview->setPicture(getTexture(selectedSlot()));
}

void TexturesWindow::readSkinList() {
    const QSignalBlocker quiet(skinBox);
    skinBox->clear();
    // Only folders holding a slot picture are skins: not the sound effects' folder, nor a
    // hidden one.
    QStringList skins;
    const QDir textures(ChosenTextures.texturesDir);
    for (const QString& name : textures.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort))
        if (isSkinFolder(textures.filePath(name)))
            skins << name;
    skins.sort(Qt::CaseInsensitive);
    skinBox->addItems(skins);
    const QString wanted = cp1251ToUnicode(ChosenTextures.skinName);
    int index = -1;
    for (int i = 0; i < skins.size() && !wanted.isEmpty(); ++i)
        if (skins[i].compare(wanted, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    skinBox->setCurrentIndex(index);
}

void TexturesWindow::skinChosen() {
    if (skinBox->currentIndex() >= 0 && !fitsCp1251(skinBox->currentText())) {
        const QString refused = skinBox->currentText();
        readSkinList(); // the skin in use stays selected
        requireCp1251Name(refused, "skin");
    }
    ChosenTextures.skinName =
        skinBox->currentIndex() < 0 ? std::string() : unicodeToCp1251(skinBox->currentText());
    loadTextures();
    applyTextures();
}
