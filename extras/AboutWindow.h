#pragma once

#include "skin/CoolDialog.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QStringList>

#include <memory>

class DrawingSurface;
class QRandomGenerator;
class QTimer;
class CoolBevel;
class GameServices;
class CoolButton;
class CoolLabel;

constexpr int kAboutSurfaceSize = 300;  // the scene is 300 × 300 pixels
constexpr int kAboutFrameInterval = 17; // ms between frames
constexpr int kAboutLineFrames = 512;   // a text line fades in and out in 512 frames

// What one frame of the About scene shows, worked out without drawing anything.
struct AboutFrame {
    int t = 0;        // the frame counter of this frame
    QColor textColor; // darkest RGB(0, 0, 1) when the line changes
    bool lineChanged = false;
    int line = 0; // the text line shown
    int bannerPhase = 0;
    QPoint logo;       // centre of the circling logo
    int logoAngle = 0; // of the upright copy; the upside-down copy is turned by 128 more
    int logoOpacity = 0;
    int flippedLogoOpacity = 0;
    QPoint character; // centre of the bouncing character after this frame's move
    int characterAngle = 0;
    bool wallBang = false;  // sound 7
    bool floorBang = false; // sound 6
};

// The state of the About scene: the frame counter, the line of text shown and the bouncing
// character. Plain integers, so a frame can be stepped and checked without a screen.
struct AboutScene {
    int t = 0;
    int line = 0;
    int x = 0, y = 0;
    int dx = 0, dy = 0;

    // A fresh start, each time the window becomes active: the title line, the character
    // dropped from the top at a random place and a random sideways speed.
    void activate(QRandomGenerator& random);
    // Works out the frame for the current state, then moves the state on by one frame.
    // lineCount is the number of lines of the text shown.
    AboutFrame step(int lineCount);
};

// The About window: an animated scene of fading text lines, a waving banner, a circling
// logo and a bouncing character, redrawn every 17 ms while the window is visible and the
// program is the active application.
class AboutWindow : public CoolDialog {
    Q_OBJECT
public:
    // The sound effects come from the services.
    AboutWindow(QWidget* parent, GameServices& services);
    ~AboutWindow() override; // where DrawingSurface is complete

    CoolBevel* frameBevel = nullptr;
    QWidget* sceneView = nullptr; // shows the drawing surface's front page
    CoolLabel* qtLabel = nullptr;
    CoolButton* okButton = nullptr;
    QTimer* frameTimer = nullptr;
    // The English and the Russian About text, one string per line, parts of a line separated
    // by "~" (at most 8 parts).
    const QStringList englishText;
    const QStringList russianText;
    AboutScene scene;

    const DrawingSurface& surface() const { return *surface_; }

    // The caption (language key "Menu_About") and a fresh start of the scene.
    void prepareToShow() override;
    // Draws and shows one frame, if the window is visible.
    void drawFrame();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void placeWindow() override;

private:
    void updateTimer();
    void drawText(const QString& line, const QColor& color);

    GameServices& services_;
    std::unique_ptr<DrawingSurface> surface_;
    QImage logo_, banner_, character_;
};
