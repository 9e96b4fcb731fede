#pragma once

#include "skin/CoolDialog.h"

#include <QPixmap>
#include <QWidget>

class GameServices;
class QComboBox;
class QListWidget;
class TCoolBtn;
class TCoolCheckRadioBox;
class TCoolLabel;
class TCoolListBox;
class TCoolPanel;

// The preview of a slot's picture: at its own size, centred and clipped by the area, or
// stretched to fill it.
class TTexturePreview : public QWidget {
    Q_OBJECT
public:
    explicit TTexturePreview(QWidget* parent = nullptr);
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }
    void SetStretch(bool stretch);
    bool Stretch() const { return stretch_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    bool stretch_ = false;
};

// The textures window: the ten slots dressed either one by one from the picture files of the
// textures folder (or back to the built-in picture), or all at once from a skin folder. Every
// choice takes effect at once in every window; there is no cancel, only the OK button.
// Client area 292 × 345 with skins off, 292 × 65 with skins on.
class TImagesWindow : public TCoolDialog {
    Q_OBJECT
public:
    // The texts come from the services.
    TImagesWindow(QWidget* parent, GameServices& services);

    TCoolCheckRadioBox* UseSkinsCheckBox = nullptr;
    QComboBox* ComboBox1 = nullptr;      // the skin folders, sorted
    QListWidget* FileListBox1 = nullptr; // *.bmp and *.jpg of the textures folder, sorted
    TCoolBtn* CoolResetButton = nullptr;
    TCoolListBox* CoolListBox = nullptr; // the slots "0" to "9"
    TCoolLabel* SlotNames[10] = {};      // beside each number, what the slot dresses
    TCoolPanel* Panel1 = nullptr;
    TTexturePreview* Image1 = nullptr;
    TCoolCheckRadioBox* StretchBox = nullptr;
    TCoolBtn* CoolOKButton = nullptr;

    void FormCreate();
    void FormActivate() override;
    void CoolListBoxClick();
    void FileListBox1Click();
    void CoolResetButtonClick();
    void StretchBoxClick();
    void UseSkinsCheckBoxClick();
    void ComboBox1Click();

    // The slot selected in CoolListBox (0 when none is).
    int SelectedSlot() const;

private:
    void CreateControls();
    void ReadFileList();
    void ReadSkinList();
    void ApplyWindowTextures() override;

    GameServices& services_;
};
