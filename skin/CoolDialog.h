#pragma once

#include "skin/FramePainter.h"

#include <QDialog>

#include <string>

class QAbstractButton;
class QRandomGenerator;
class QRect;
class CoolButton;
class CoolClientArea;

// What the game's dialogs need from the main window, which implements it: a dialog made with
// the main window as its parent finds it there at its making. The owner of the dialogs, the gate of
// its own mouse and keyboard input, the computer's face and the game's random generator.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual QWidget* dialogParent() = 0;
    // False while a dialog that blocks the main window is up.
    virtual void setMainInputEnabled(bool enabled) = 0;
    // Shows the face picture of that name ("CPU00", ...).
    virtual void showFace(const QString& name) = 0;
    virtual QRandomGenerator& random() = 0;
};

// A dialog of the game: a modal tool window without title-bar buttons, with a fixed client
// area whose wallpaper Hook paints, centred over the game's window when it shows; the keyboard
// starts on its default button. It draws its own frame
// and a small caption bar with its title, by which it can be dragged; the window manager adds
// nothing. prepareToShow runs each time the window is shown and afterHide each time it is
// hidden; an error raised there is reported in the error box. A dialog that blocks the main
// window turns the main window's input off before prepareToShow and on again after
// afterHide. Esc closes it as its close button does (the OK button where it has one).
// Enter presses the button that holds the focus, else the window's default button, if it has
// one.
class CoolDialog : public QDialog {
    Q_OBJECT
public:
    // Whether the main window takes mouse and keyboard input while the dialog is up.
    enum class MainInput { Blocked, Free };

    // The name is the window's object name ("WinnersWindow").
    CoolDialog(QWidget* parent, const char* name, int clientWidth, int clientHeight,
               MainInput mainInput);

    CoolClientArea* clientArea = nullptr;

    // The frame around the client area and the caption bar above it.
    static constexpr int kFrameWidth = 3;
    static constexpr int kToolCaptionHeight = 16;
    // Where the client area (Hook) and the caption bar stand in the window.
    QRect clientRect() const;
    QRect captionRect() const;

    virtual void prepareToShow() {}
    virtual void afterHide() {}

protected:
    // The main window's input gate, through the host; nothing without one.
    void setMainInputEnabled(bool enabled);
    // The main window when the dialog was made as its child, else null.
    DialogHost* host() const { return host_; }
    // Dresses the window's own controls from the texture slots, beyond what every dialog
    // wears: the dialog background on Hook and the buttons' picture on the OK button.
    virtual void applyWindowTextures() {}
    // The last step of every dialog's constructor, once its controls exist: dresses the window
    // now and again at every change of the textures.
    void followTextures();
    // Gives the window's client area (its Hook) a new size; the window grows by its frame.
    void setClientSize(int width, int height);
    // The round "OK" button of the dialogs, bold aqua, which closes the window with the
    // result OK. It becomes the window's default button, so Enter closes the window without
    // the mouse.
    CoolButton* makeOkButton(const QRect& geometry);
    // Where the window stands when it shows: centred over its owner (the game's window), or
    // on the screen without one, unless a dialog has a place of its own.
    virtual void placeWindow();
    // The visible window the dialog belongs to, or null.
    QWidget* ownerWindow() const;
    // Moves the window there, kept inside the screen's free area.
    void moveWithinScreen(const QPoint& topLeft);
    // The button that Enter presses when no button holds the focus.
    void setDefaultButton(QAbstractButton* button) { defaultButton_ = button; }

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void dressWindow();

    MainInput mainInput_;
    DialogHost* host_ = nullptr;
    CoolButton* okButton_ = nullptr;
    QAbstractButton* defaultButton_ = nullptr;
    CaptionDrag drag_;
};

// A window's title from the menu caption that opens it (Windows-1251): without the trailing
// "..." that marks a menu item opening a window.
QString dialogTitle(const std::string& menuCaption);
