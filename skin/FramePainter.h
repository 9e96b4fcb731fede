#pragma once

#include <QColor>
#include <QPoint>

class QFont;
class QMouseEvent;
class QPainter;
class QRect;
class QString;
class QWidget;

// The self-drawn window frame that the main window and every dialog wear: our own stand-ins
// for the system's frame colours, the raised frame, the caption bar and the push-button face,
// and dragging a window by its caption.
namespace FramePainter {

inline const QColor kButtonFace(192, 192, 192);
inline const QColor kHighlight(255, 255, 255);
inline const QColor kLight(223, 223, 223);
inline const QColor kShadow(128, 128, 128);
inline const QColor kDarkShadow(0, 0, 0);

// The window's background in the button face colour with a raised edge of two lines.
void paintFrame(QPainter& painter, const QRect& outer);
// The caption bar in the active or inactive colours, with the title elided into titleRect.
void paintCaptionBar(QPainter& painter, const QRect& bar, bool active, const QString& title,
                     const QFont& font, const QRect& titleRect);
// The system's push-button face: raised, or pushed in.
void paintButtonFace(QPainter& painter, const QRect& rect, bool pressed);

} // namespace FramePainter

// Dragging a frameless window by its caption: the window manager moves the window where it
// can, otherwise the window follows the pointer itself.
class CaptionDrag {
public:
    void start(QWidget* window, const QMouseEvent* press);
    // Moves the window while a drag runs; false when none runs.
    bool follow(QWidget* window, const QMouseEvent* move);
    void stop() { dragging_ = false; }

private:
    bool dragging_ = false;
    QPoint offset_;
};
