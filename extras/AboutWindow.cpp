#include "extras/AboutWindow.h"

#include "core/LanguageTable.h"
#include "core/WordLibrary.h"
#include "extras/GameServices.h"
#include "extras/SoundEffects.h"
#include "extras/TextureChoice.h"
#include "platform/Cp1251.h"
#include "platform/DrawingSurface.h"
#include "platform/ErrorBox.h"
#include "settings/SettingsFile.h"
#include "skin/CoolControls.h"

#include "VordaVersion.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>

#include <cmath>

namespace {

// The game's generator, through the main window.
QRandomGenerator& gameRandom(DialogHost* host) {
    return host ? host->random() : *QRandomGenerator::global();
}
constexpr int kAboutClientWidth = 320;
constexpr int kAboutClientHeight = 360;
constexpr QPoint kScreenPosition(200, 25);

constexpr int kCentre = kAboutSurfaceSize / 2;
constexpr int kLogoRadius = 100;
constexpr QSize kLogoSize(120, 30);
constexpr int kHalfTurn = 128;
constexpr QRect kBannerRect(0, 0, kAboutSurfaceSize, 86);
constexpr int kBannerAmplitude = 2;
constexpr int kBannerWavelength = 49;
constexpr int kBannerPhaseStep = 8;
constexpr QSize kCharacterSize(60, 60);
constexpr int kWallLeft = 30;
constexpr int kWallRight = 270;
constexpr int kFloor = 270;
constexpr int kStartHeight = 29;
constexpr int kTextFontPixels = 16; // the "Default" font at 12 points
constexpr int kPartSpacing = 30;
constexpr int kMaxParts = 8;

int roundToInt(double value) {
    return static_cast<int>(std::lround(value));
}

// The About texts are kept here as UTF-8; they only ever meet the screen.
QStringList lines(std::initializer_list<const char*> utf8Lines) {
    QStringList lines;
    for (const char* line : utf8Lines)
        lines << QString::fromUtf8(line);
    return lines;
}

// Line 0 is empty: a blank pause before the lines start again.
QStringList englishAbout() {
    return lines({
        "",
        "VORDA 2000 v" VORDA_VERSION,
        "Produced and designed by~the Vorda 2000 team",
        "Write to us:~vorda2000@example.org",
        "No letters were harmed~in the making of this game.~Any likeness to real words~"
        "is entirely intentional.",
        "2000~the Vorda 2000 team~Alphabetia~Letterburg",
    });
}

QStringList russianAbout() {
    return lines({
        "",
        "VORDA 2000 v" VORDA_VERSION,
        "Спасибо всем, кто испытывал~прежние версии игры~и помогал советами!",
        "Пишите нам, что вам понравилось~и что нет:~vorda2000@example.org",
        "2000~команда Vorda 2000~Буквоград",
    });
}

// Paints the drawing surface's front page.
class SurfaceView : public QWidget {
public:
    SurfaceView(const DrawingSurface& surface, QWidget* parent)
        : QWidget(parent), surface_(surface) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, surface_.frontSurface());
    }

private:
    const DrawingSurface& surface_;
};
} // namespace

void AboutScene::activate(QRandomGenerator& random) {
    line = 1;
    dx = static_cast<int>(random.bounded(9)) + 2;
    dy = 0;
    x = static_cast<int>(random.bounded(220)) + 40;
    y = kStartHeight;
    t = 1;
}

AboutFrame AboutScene::step(int lineCount) {
    AboutFrame frame;
    frame.t = t;
    const int c = 127 - roundToInt(126 * cos256(t / 2));
    frame.textColor = QColor(c / 2, c / 2, c);
    // The line changes when the text is darkest.
    if (t % kAboutLineFrames == 0 && lineCount > 0) {
        line = (line + 1) % lineCount;
        frame.lineChanged = true;
    }
    frame.line = line;
    frame.bannerPhase = kBannerPhaseStep * t;

    frame.logo = QPoint(kCentre + roundToInt(kLogoRadius * sin256(t)),
                        kCentre + roundToInt(kLogoRadius * cos256(t)));
    frame.logoAngle = t;
    frame.logoOpacity = roundToInt(126 * cos256(t) + 127);
    frame.flippedLogoOpacity = roundToInt(-126 * cos256(t) + 127);

    // The walls are tested before the move, so the character may pass a wall or the floor by
    // up to one step before it turns.
    if (x >= kWallRight || x <= kWallLeft) {
        dx = -dx;
        frame.wallBang = true;
    }
    if (y >= kFloor) {
        dy = -dy;
        frame.floorBang = true;
    } else {
        ++dy;
    }
    x += dx;
    y += dy;
    frame.character = QPoint(x, y);
    const int s = dx * dy > 0 ? 1 : -1;
    frame.characterAngle = ((y - 30) * kHalfTurn * s) / 240 + kHalfTurn;

    ++t;
    return frame;
}

AboutWindow::AboutWindow(QWidget* parent, GameServices& services)
    : CoolDialog(parent, "AboutWindow", kAboutClientWidth, kAboutClientHeight, MainInput::Free),
      englishText(englishAbout()), russianText(russianAbout()), services_(services),
      surface_(
          std::make_unique<DrawingSurface>(kAboutSurfaceSize, kAboutSurfaceSize, pictureRatio())) {
    frameBevel = new CoolBevel(clientArea);
    frameBevel->setGeometry(8, 8, 304, 304);
    frameBevel->setKind(BevelKind::Raised);
    sceneView = new SurfaceView(*surface_, clientArea);
    sceneView->setGeometry(10, 10, kAboutSurfaceSize, kAboutSurfaceSize);

    // Names the drawing layer the scene really goes through.
    qtLabel = new CoolLabel(clientArea);
    qtLabel->setGeometry(10, 325, 67, 21);
    qtLabel->setCaption("Qt");
    qtLabel->setTransparent(true);
    qtLabel->setFont(coolFont(16, true));
    qtLabel->setFontColor(QColor(0, 255, 0));
    qtLabel->setShadowColor(QColor(128, 255, 128));

    okButton = makeOkButton(QRect(270, 315, 40, 40));
    okButton->setShadowSize(0);

    // On a dense screen the 2× pictures, which the surface scales with hard edges: a smooth
    // rescaling would blend the transparent black into their edges.
    const qreal ratio = pictureRatio() > 1 ? 2 : 1;
    const auto picture = [ratio](const char* name) {
        return pictureWithBlackTransparent(
            loadResourceBitmapForRatio(QString::fromLatin1(name), ratio));
    };
    logo_ = picture("ABOUT_LOGO");
    banner_ = picture("ABOUT_BANNER");
    character_ = picture("ABOUT_BALL");

    frameTimer = new QTimer(this);
    frameTimer->setInterval(kAboutFrameInterval);
    connect(frameTimer, &QTimer::timeout, this,
            [this] { runReportingErrors([this] { drawFrame(); }); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this] { updateTimer(); });

    followTextures();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::updateTimer() {
    const bool run = isVisible() && QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (run && !frameTimer->isActive())
        frameTimer->start();
    else if (!run)
        frameTimer->stop();
}

// The About window stands at its own place on the screen.
void AboutWindow::placeWindow() {
    // Where it stood on the 1024 x 768 screen it was laid out for, over a game centred there:
    // the same offset from the game's window wherever that stands now.
    const QWidget* owner = ownerWindow();
    if (!owner) {
        move(kScreenPosition);
        return;
    }
    const QSize screen(1024, 768);
    const QPoint centredGame((screen.width() - owner->frameGeometry().width()) / 2,
                             (screen.height() - owner->frameGeometry().height()) / 2);
    moveWithinScreen(owner->frameGeometry().topLeft() + kScreenPosition - centredGame);
}

void AboutWindow::showEvent(QShowEvent* event) {
    CoolDialog::showEvent(event);
    updateTimer();
}

void AboutWindow::hideEvent(QHideEvent* event) {
    CoolDialog::hideEvent(event);
    updateTimer();
}

void AboutWindow::changeEvent(QEvent* event) {
    CoolDialog::changeEvent(event);
    // Coming back to the window after another one had the focus starts the scene afresh.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        prepareToShow();
}

void AboutWindow::prepareToShow() {
    setWindowTitle(dialogTitle(services_.languageText("Menu_About")));
    scene.activate(gameRandom(host()));
}

void AboutWindow::drawText(const QString& line, const QColor& color) {
    QPainter& canvas = surface_->canvas();
    canvas.setFont(coolFont(kTextFontPixels, true));
    canvas.setPen(color);
    if (line.isEmpty())
        return;
    const QStringList parts = line.split(QLatin1Char('~')).mid(0, kMaxParts);
    const int n = static_cast<int>(parts.size()) - 1;
    const QFontMetrics metrics = canvas.fontMetrics();
    for (int k = 0; k <= n; ++k) {
        const int w = metrics.horizontalAdvance(parts[k]);
        const int h = metrics.height();
        // A one-pixel tremble, new for every part and frame.
        const int r1 = static_cast<int>(gameRandom(host()).bounded(2));
        const int r2 = static_cast<int>(gameRandom(host()).bounded(2));
        const int left = kCentre - w / 2 + r1;
        const int top = kCentre - h / 2 - 15 * n + kPartSpacing * k + r2;
        canvas.drawText(QRect(left, top, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                        parts[k]);
    }
}

void AboutWindow::drawFrame() {
    if (!isVisible())
        return;
    const QStringList& text = services_.words().language == kRussian ? russianText : englishText;
    surface_->fill(Qt::black);
    const AboutFrame frame = scene.step(static_cast<int>(text.size()));
    drawText(text.value(frame.line), frame.textColor);
    surface_->releaseCanvas();

    surface_->waveDraw(banner_, kBannerRect, kBannerAmplitude, kBannerWavelength,
                       frame.bannerPhase);
    surface_->rotateDrawBlended(logo_, frame.logo, kLogoSize, frame.logoAngle, frame.logoOpacity);
    surface_->rotateDrawBlended(logo_, frame.logo, kLogoSize, frame.logoAngle + kHalfTurn,
                                frame.flippedLogoOpacity);
    if (frame.wallBang)
        services_.sound().play(kSoundWallBang);
    if (frame.floorBang)
        services_.sound().play(kSoundFloorBang);
    surface_->rotateDraw(character_, frame.character, kCharacterSize, frame.characterAngle);

    surface_->flip();
    sceneView->update();
}
