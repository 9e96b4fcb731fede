#pragma once

#include "skin/CoolDialog.h"

#include <QPixmap>
#include <QWidget>

class GameServices;
class QComboBox;
class QListWidget;
class CoolButton;
class CoolCheckBox;
class CoolLabel;
class CoolListBox;
class CoolPanel;

// The preview of a slot's picture: at its own size, centred and clipped by the area, or
// stretched to fill it.
class TexturePreview : public QWidget {
    Q_OBJECT
public:
    explicit TexturePreview(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

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
class TexturesWindow : public CoolDialog {
    Q_OBJECT
public:
    // The texts come from the services.
    TexturesWindow(QWidget* parent, GameServices& services);

    CoolCheckBox* useSkinsBox = nullptr;
    QComboBox* skinBox = nullptr;       // the skin folders, sorted
    QListWidget* pictureList = nullptr; // *.bmp and *.jpg of the textures folder, sorted
    CoolButton* resetButton = nullptr;
    CoolListBox* slotList = nullptr; // the slots "0" to "9"
    CoolLabel* slotNames[10] = {};   // beside each number, what the slot dresses
    CoolPanel* previewPanel = nullptr;
    TexturePreview* preview = nullptr;
    CoolCheckBox* stretchBox = nullptr;
    CoolButton* okButton = nullptr;

    void initialise();
    void prepareToShow() override;
    void slotChosen();
    void pictureChosen();
    void resetPicture();
    void stretchChanged();
    void useSkinsChanged();
    void skinChosen();

    // The slot selected in slotList (0 when none is).
    int selectedSlot() const;

private:
    void createControls();
    void readFileList();
    void readSkinList();
    void applyWindowTextures() override;

    GameServices& services_;
};
