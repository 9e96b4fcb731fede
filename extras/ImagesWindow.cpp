#include "extras/ImagesWindow.h"
#include "extras/GameServices.h"

#include "extras/ImagesUnit.h"
#include "platform/Cp1251.h"
#include "platform/ErrorBox.h"
#include "platform/VordaError.h"
#include "settings/INIUnit.h"
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
class TGlyphButton : public TCoolBtn {
public:
    TGlyphButton(const QString& glyph, QWidget* parent) : TCoolBtn(parent), glyph_(glyph) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        TCoolBtn::paintEvent(event);
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(FontColor());
        painter.drawText(isDown() ? rect().translated(1, 1) : rect(), Qt::AlignCenter, glyph_);
    }

private:
    QString glyph_;
};

// A list reports a choice when the user clicks a line (also the line already selected) or
// moves the selection with the keyboard; selections made from code report nothing.
template <class Handler>
void connectListClick(QListWidget* list, TImagesWindow* window, Handler handler) {
    QObject::connect(list, &QListWidget::itemClicked, window,
                     [window, handler] { RunReportingErrors([=] { (window->*handler)(); }); });
    QObject::connect(list, &QListWidget::currentRowChanged, window, [list, window, handler] {
        if (list->hasFocus() && QGuiApplication::mouseButtons() == Qt::NoButton)
            RunReportingErrors([=] { (window->*handler)(); });
    });
}

QFont listFont() {
    return CoolFont(13, true);
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

// --- TTexturePreview ----------------------------------------------------------------------

TTexturePreview::TTexturePreview(QWidget* parent) : QWidget(parent) {}

void TTexturePreview::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void TTexturePreview::SetStretch(bool stretch) {
    if (stretch_ == stretch)
        return;
    stretch_ = stretch;
    update();
}

void TTexturePreview::paintEvent(QPaintEvent*) {
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

// --- TImagesWindow ------------------------------------------------------------------------

TImagesWindow::TImagesWindow(QWidget* parent, GameServices& services)
    : TCoolDialog(parent, "ImagesWindow", kWindowWidth, kFullHeight, MainInput::Free),
      services_(services) {
    CreateControls();
    FormCreate();
}

void TImagesWindow::CreateControls() {
    UseSkinsCheckBox = new TCoolCheckRadioBox(Hook);
    UseSkinsCheckBox->setGeometry(5, 3, 241, 21);
    UseSkinsCheckBox->SetTransparent(true);
    UseSkinsCheckBox->setFont(CoolFont(15));
    connect(UseSkinsCheckBox, &QAbstractButton::clicked, this,
            [this] { RunReportingErrors([this] { UseSkinsCheckBoxClick(); }); });

    ComboBox1 = new QComboBox(Hook);
    ComboBox1->setGeometry(10, 30, 224, 24);
    styleList(ComboBox1);
    connect(ComboBox1, &QComboBox::activated, this,
            [this] { RunReportingErrors([this] { ComboBox1Click(); }); });

    FileListBox1 = new QListWidget(Hook);
    FileListBox1->setGeometry(75, 29, 210 + kSlotNamesWidth, 141);
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    FileListBox1->setUniformItemSizes(true);
    styleList(FileListBox1);
    connectListClick(FileListBox1, this, &TImagesWindow::FileListBox1Click);

    auto* reset = new TGlyphButton(kResetGlyph, Hook);
    CoolResetButton = reset;
    CoolResetButton->setGeometry(15, 79, 40, 40);
    CoolResetButton->SetRounded(true);
    CoolResetButton->SetSimpleView(true);
    CoolResetButton->setFont(CoolFont(36));
    CoolResetButton->SetFontColor(kAqua);
    CoolResetButton->setFocusPolicy(Qt::TabFocus);
    connect(CoolResetButton, &QAbstractButton::clicked, this,
            [this] { RunReportingErrors([this] { CoolResetButtonClick(); }); });

    CoolListBox = new TCoolListBox(Hook);
    CoolListBox->setGeometry(27, 179, 17, kTextureSlots * kItemHeight);
    CoolListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CoolListBox->SetPaintTransparently(true);
    CoolListBox->SetItemHeight(kItemHeight);
    CoolListBox->setFont(CoolFont(17));
    CoolListBox->SetFontColor(kSlotColour);
    CoolListBox->SetSelFont(CoolFont(15, true));
    CoolListBox->SetSelFontColor(kSelectedSlotColour);
    for (int slot = 0; slot < kTextureSlots; ++slot)
        CoolListBox->addItem(QString::number(slot));
    connectListClick(CoolListBox, this, &TImagesWindow::CoolListBoxClick);
    for (int slot = 0; slot < kTextureSlots; ++slot) {
        auto* name = new TCoolLabel(Hook);
        name->setGeometry(47, 179 + slot * kItemHeight, kSlotNamesWidth, kItemHeight);
        name->SetTransparent(true);
        name->SetSimpleView(true);
        name->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        name->setFont(CoolFont(11));
        name->SetFontColor(kSlotColour);
        name->SetElided(true);
        name->setAttribute(Qt::WA_TransparentForMouseEvents);
        SlotNames[slot] = name;
    }

    Panel1 = new TCoolPanel(Hook);
    Panel1->setGeometry(75 + kSlotNamesWidth, 179, 160, 160);
    Panel1->SetBevels(BevelKind::Lowered, BevelKind::Raised);
    Image1 = new TTexturePreview(Panel1);
    Image1->setGeometry(3, 3, 154, 154);

    StretchBox = new TCoolCheckRadioBox(Hook);
    StretchBox->setGeometry(240 + kSlotNamesWidth, 184, 51, 21);
    StretchBox->SetTransparent(true);
    StretchBox->SetGlyph(kStretchGlyph);
    StretchBox->setFont(CoolFont(24, true));
    connect(StretchBox, &QAbstractButton::clicked, this, &TImagesWindow::StretchBoxClick);

    CoolOKButton = MakeOkButton(QRect(245 + kSlotNamesWidth, kOKButtonTop, 40, 40));
    CoolOKButton->SetShadowSize(0);
}

void TImagesWindow::FormCreate() {
    // The file list works in the textures folder, which stays the current directory for the
    // rest of the run: the sound effects are found in its "sounds" folder.
    QDir::setCurrent(TextureChoice.TexturesDir);
    FollowTextures();
}

void TImagesWindow::ApplyWindowTextures() {
    CoolResetButton->SetWallpaper(GetTexture(kButtonsSlot));
}

void TImagesWindow::FormActivate() {
    // The check box shows the setting as it stands at each showing: the settings may have
    // been read again since the window was made.
    {
        const QSignalBlocker quiet(UseSkinsCheckBox);
        UseSkinsCheckBox->setChecked(TextureChoice.UseSkins);
    }
    setWindowTitle(DialogTitle(services_.languageText("Menu_Textures")));
    UseSkinsCheckBox->SetCaption(services_.languageText("UseSkins"));
    // The two symbol buttons say in words what they do.
    CoolResetButton->setAccessibleName(Cp1251ToUnicode(services_.languageText("ResetPicture")));
    StretchBox->setAccessibleName(Cp1251ToUnicode(services_.languageText("StretchPicture")));
    for (int slot = 0; slot < kTextureSlots; ++slot)
        SlotNames[slot]->SetCaption(services_.languageText("Slot" + std::to_string(slot)));
    ReadFileList();
    {
        const QSignalBlocker quiet(CoolListBox);
        CoolListBox->setCurrentRow(0);
    }
    // A remembered file missing from the folder is reported, and the window still finishes
    // switching to the state of its check box.
    RunReportingErrors([this] { CoolListBoxClick(); });
    UseSkinsCheckBoxClick();
}

void TImagesWindow::ReadFileList() {
    const QSignalBlocker quiet(FileListBox1);
    const QString selected =
        FileListBox1->currentItem() ? FileListBox1->currentItem()->text() : QString();
    FileListBox1->clear();
    const QDir folder(TextureChoice.TexturesDir);
    const QStringList names =
        folder.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.jpg")},
                         QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    FileListBox1->addItems(names);
    const auto again = FileListBox1->findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !again.isEmpty())
        FileListBox1->setCurrentItem(again.first());
}

int TImagesWindow::SelectedSlot() const {
    const int row = CoolListBox->currentRow();
    return row < 0 ? 0 : row;
}

void TImagesWindow::CoolListBoxClick() {
    const int slot = SelectedSlot();
    Image1->SetPicture(GetTexture(slot));
    ApplyTextures();
    const std::string& name = TextureChoice.TextureFiles[slot];
    if (name.empty()) {
        // The slot wears its built-in picture: no file stays highlighted.
        const QSignalBlocker quiet(FileListBox1);
        FileListBox1->setCurrentRow(-1);
        FileListBox1->clearSelection();
        return;
    }
    const QString fileName = Cp1251ToUnicode(name);
    const auto found = FileListBox1->findItems(fileName, Qt::MatchExactly);
    if (found.isEmpty())
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("Invalid file name - %1").arg(fileName));
    const QSignalBlocker quiet(FileListBox1);
    FileListBox1->setCurrentItem(found.first());
}

namespace {
// The settings file keeps names in Windows-1251: a name it cannot hold would be lost.
void requireCp1251Name(const QString& name, const char* what) {
    if (!FitsCp1251(name))
        throw VordaError(VordaError::Kind::Other,
                         QStringLiteral("The %1 \"%2\" cannot be used: its name holds characters "
                                        "the settings file cannot keep. Rename it with Latin or "
                                        "Cyrillic letters, digits and common signs.")
                             .arg(QString::fromLatin1(what), name));
}
} // namespace

void TImagesWindow::FileListBox1Click() {
    const QListWidgetItem* item = FileListBox1->currentItem();
    if (!item)
        return;
    requireCp1251Name(item->text(), "picture");
    TextureChoice.TextureFiles[SelectedSlot()] = UnicodeToCp1251(item->text());
    LoadTextures();
    CoolListBoxClick();
}

void TImagesWindow::CoolResetButtonClick() {
    TextureChoice.TextureFiles[SelectedSlot()].clear();
    LoadTextures();
    CoolListBoxClick();
}

void TImagesWindow::StretchBoxClick() {
    Image1->SetStretch(StretchBox->isChecked());
}

void TImagesWindow::UseSkinsCheckBoxClick() {
    TextureChoice.UseSkins = UseSkinsCheckBox->isChecked();
    const bool skins = TextureChoice.UseSkins;
    for (QWidget* perSlot :
         {static_cast<QWidget*>(FileListBox1), static_cast<QWidget*>(CoolResetButton),
          static_cast<QWidget*>(StretchBox), static_cast<QWidget*>(CoolListBox)})
        perSlot->setVisible(!skins);
    for (TCoolLabel* name : SlotNames)
        name->setVisible(!skins);
    ComboBox1->setVisible(skins);
    const int u = skins ? 1 : 0;
    CoolOKButton->move(CoolOKButton->x(), kOKButtonTop - kSkinsOKButtonRise * u);
    SetClientSize(kWindowWidth, kFullHeight - kSkinsHeightCut * u);
    if (skins)
        ReadSkinList();
    ComboBox1Click();
    // Back to per-slot files, the preview shows what the slot holds now.
    if (!skins)
        Image1->SetPicture(GetTexture(SelectedSlot()));
}

void TImagesWindow::ReadSkinList() {
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->clear();
    // Only folders holding a slot picture are skins: not the sound effects' folder, nor a
    // hidden one.
    QStringList skins;
    const QDir textures(TextureChoice.TexturesDir);
    for (const QString& name : textures.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort))
        if (IsSkinFolder(textures.filePath(name)))
            skins << name;
    skins.sort(Qt::CaseInsensitive);
    ComboBox1->addItems(skins);
    const QString wanted = Cp1251ToUnicode(TextureChoice.SkinName);
    int index = -1;
    for (int i = 0; i < skins.size() && !wanted.isEmpty(); ++i)
        if (skins[i].compare(wanted, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    ComboBox1->setCurrentIndex(index);
}

void TImagesWindow::ComboBox1Click() {
    if (ComboBox1->currentIndex() >= 0 && !FitsCp1251(ComboBox1->currentText())) {
        const QString refused = ComboBox1->currentText();
        ReadSkinList(); // the skin in use stays selected
        requireCp1251Name(refused, "skin");
    }
    TextureChoice.SkinName =
        ComboBox1->currentIndex() < 0 ? std::string() : UnicodeToCp1251(ComboBox1->currentText());
    LoadTextures();
    ApplyTextures();
}
