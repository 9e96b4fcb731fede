#include "extras/AboutUnit.h"

#include "core/LanguageUnit.h"
#include "core/WordsUnit.h"
#include "extras/GameServices.h"
#include "extras/ImagesUnit.h"
#include "extras/SoundUnit.h"
#include "platform/Cp1251.h"
#include "platform/DrawingSurface.h"
#include "platform/ErrorBox.h"
#include "settings/INIUnit.h"
#include "skin/CoolControls.h"

#include "VordaVersion.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>

#include <cmath>

namespace {

// The game's generator, through the main window.
QRandomGenerator& gameRandom(TDialogHost* host) {
    return host ? host->Random() : *QRandomGenerator::global();
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

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

// The About texts are kept here as UTF-8; they only ever meet the screen.
QStringList Lines(std::initializer_list<const char*> utf8Lines) {
    QStringList lines;
    for (const char* line : utf8Lines)
        lines << QString::fromUtf8(line);
    return lines;
}

// Line 0 is empty: a blank pause before the lines start again.
QStringList EnglishAbout() {
    return Lines({
        "",
        "VORDA 2000 v" VORDA_VERSION,
        "Produced and designed by~the Vorda 2000 team",
        "Write to us:~vorda2000@example.org",
        "No letters were harmed~in the making of this game.~Any likeness to real words~"
        "is entirely intentional.",
        "2000~the Vorda 2000 team~Alphabetia~Letterburg",
    });
}

QStringList RussianAbout() {
    return Lines({
        "",
        "VORDA 2000 v" VORDA_VERSION,
        "Спасибо всем, кто испытывал~прежние версии игры~и помогал советами!",
        "Пишите нам, что вам понравилось~и что нет:~vorda2000@example.org",
        "2000~команда Vorda 2000~Буквоград",
    });
}

// Paints the drawing surface's front page.
class TSurfaceView : public QWidget {
public:
    TSurfaceView(const DrawingSurface& surface, QWidget* parent)
        : QWidget(parent), surface_(surface) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, surface_.FrontSurface());
    }

private:
    const DrawingSurface& surface_;
};
} // namespace

void AboutScene::Activate(QRandomGenerator& random) {
    line = 1;
    dx = static_cast<int>(random.bounded(9)) + 2;
    dy = 0;
    x = static_cast<int>(random.bounded(220)) + 40;
    y = kStartHeight;
    t = 1;
}

AboutFrame AboutScene::Step(int lineCount) {
    AboutFrame frame;
    frame.t = t;
    const int c = 127 - Round(126 * Cos256(t / 2));
    frame.textColor = QColor(c / 2, c / 2, c);
    // The line changes when the text is darkest.
    if (t % kAboutLineFrames == 0 && lineCount > 0) {
        line = (line + 1) % lineCount;
        frame.lineChanged = true;
    }
    frame.line = line;
    frame.bannerPhase = kBannerPhaseStep * t;

    frame.logo =
        QPoint(kCentre + Round(kLogoRadius * Sin256(t)), kCentre + Round(kLogoRadius * Cos256(t)));
    frame.logoAngle = t;
    frame.logoOpacity = Round(126 * Cos256(t) + 127);
    frame.flippedLogoOpacity = Round(-126 * Cos256(t) + 127);

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

TAboutWindow::TAboutWindow(QWidget* parent, GameServices& services)
    : TCoolDialog(parent, "AboutWindow", kAboutClientWidth, kAboutClientHeight, MainInput::Free),
      MemoE(EnglishAbout()), MemoR(RussianAbout()), services_(services),
      surface_(
          std::make_unique<DrawingSurface>(kAboutSurfaceSize, kAboutSurfaceSize, PictureRatio())) {
    Bevel1 = new TCoolBevel(Hook);
    Bevel1->setGeometry(8, 8, 304, 304);
    Bevel1->SetKind(BevelKind::Raised);
    DXDraw = new TSurfaceView(*surface_, Hook);
    DXDraw->setGeometry(10, 10, kAboutSurfaceSize, kAboutSurfaceSize);

    // Names the drawing layer the scene really goes through.
    CoolLabel1 = new TCoolLabel(Hook);
    CoolLabel1->setGeometry(10, 325, 67, 21);
    CoolLabel1->SetCaption("Qt");
    CoolLabel1->SetTransparent(true);
    CoolLabel1->setFont(CoolFont(16, true));
    CoolLabel1->SetFontColor(QColor(0, 255, 0));
    CoolLabel1->SetShadowColor(QColor(128, 255, 128));

    CoolOKButton = MakeOkButton(QRect(270, 315, 40, 40));
    CoolOKButton->SetShadowSize(0);

    // On a dense screen the 2× pictures, which the surface scales with hard edges: a smooth
    // rescaling would blend the transparent black into their edges.
    const qreal pictureRatio = PictureRatio() > 1 ? 2 : 1;
    const auto picture = [pictureRatio](const char* name) {
        return PictureWithBlackTransparent(
            LoadResourceBitmapForRatio(QString::fromLatin1(name), pictureRatio));
    };
    logo_ = picture("ABOUT_LOGO");
    banner_ = picture("ABOUT_BANNER");
    character_ = picture("ABOUT_BALL");

    DXTimer = new QTimer(this);
    DXTimer->setInterval(kAboutFrameInterval);
    connect(DXTimer, &QTimer::timeout, this,
            [this] { RunReportingErrors([this] { DXTimerTimer(); }); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this] { UpdateTimer(); });

    FollowTextures();
}

TAboutWindow::~TAboutWindow() = default;

void TAboutWindow::UpdateTimer() {
    const bool run = isVisible() && QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (run && !DXTimer->isActive())
        DXTimer->start();
    else if (!run)
        DXTimer->stop();
}

// The About window stands at its own place on the screen.
void TAboutWindow::PlaceWindow() {
    // Where it stood on the 1024 x 768 screen it was laid out for, over a game centred there:
    // the same offset from the game's window wherever that stands now.
    const QWidget* owner = Owner();
    if (!owner) {
        move(kScreenPosition);
        return;
    }
    const QSize screen(1024, 768);
    const QPoint centredGame((screen.width() - owner->frameGeometry().width()) / 2,
                             (screen.height() - owner->frameGeometry().height()) / 2);
    MoveWithinScreen(owner->frameGeometry().topLeft() + kScreenPosition - centredGame);
}

void TAboutWindow::showEvent(QShowEvent* event) {
    TCoolDialog::showEvent(event);
    UpdateTimer();
}

void TAboutWindow::hideEvent(QHideEvent* event) {
    TCoolDialog::hideEvent(event);
    UpdateTimer();
}

void TAboutWindow::changeEvent(QEvent* event) {
    TCoolDialog::changeEvent(event);
    // Coming back to the window after another one had the focus starts the scene afresh.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void TAboutWindow::FormActivate() {
    setWindowTitle(DialogTitle(services_.languageText("Menu_About")));
    Scene.Activate(gameRandom(Host()));
}

void TAboutWindow::DrawText(const QString& line, const QColor& color) {
    QPainter& canvas = surface_->Canvas();
    canvas.setFont(CoolFont(kTextFontPixels, true));
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
        const int r1 = static_cast<int>(gameRandom(Host()).bounded(2));
        const int r2 = static_cast<int>(gameRandom(Host()).bounded(2));
        const int left = kCentre - w / 2 + r1;
        const int top = kCentre - h / 2 - 15 * n + kPartSpacing * k + r2;
        canvas.drawText(QRect(left, top, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                        parts[k]);
    }
}

void TAboutWindow::DXTimerTimer() {
    if (!isVisible())
        return;
    const QStringList& text = services_.words().Language == kRussian ? MemoR : MemoE;
    surface_->Fill(Qt::black);
    const AboutFrame frame = Scene.Step(static_cast<int>(text.size()));
    DrawText(text.value(frame.line), frame.textColor);
    surface_->ReleaseCanvas();

    surface_->WaveDraw(banner_, kBannerRect, kBannerAmplitude, kBannerWavelength,
                       frame.bannerPhase);
    surface_->RotateDrawBlended(logo_, frame.logo, kLogoSize, frame.logoAngle, frame.logoOpacity);
    surface_->RotateDrawBlended(logo_, frame.logo, kLogoSize, frame.logoAngle + kHalfTurn,
                                frame.flippedLogoOpacity);
    if (frame.wallBang)
        services_.sound().play(kSoundWallBang);
    if (frame.floorBang)
        services_.sound().play(kSoundFloorBang);
    surface_->RotateDraw(character_, frame.character, kCharacterSize, frame.characterAngle);

    surface_->Flip();
    DXDraw->update();
}
