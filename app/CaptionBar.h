#pragma once

#include "skin/FramePainter.h"

#include <QPoint>
#include <QRect>
#include <QString>

class QMouseEvent;
class QPainter;
class QWidget;

// The main window's self-drawn frame: the caption bar with the title, the home-page link
// button and the minimise and close buttons (maximise is drawn off), dragging by the caption,
// and the dotted two-colour outline. The window paints it first and hands it the left button's
// presses, moves and releases; a release says what the window is asked to do.
class CaptionBar {
public:
    // The window stays with its owner; linkText is the address shown on the link button.
    CaptionBar(QWidget& window, const QString& linkText) : window_(window), linkText_(linkText) {}

    enum class Command { None, Minimise, Close, VisitHomePage };

    void paint(QPainter& painter);
    void press(QMouseEvent* event);
    void move(QMouseEvent* event);
    Command release(QMouseEvent* event);

    // The link button as last painted, in window coordinates, and whether it is held down;
    // linkHitRect is where a press reaches it (one row less at the top, so the window can
    // still be dragged from there).
    QRect linkButtonRect() const { return linkButtonRect_; }
    bool linkPressed() const { return linkPressed_; }
    QRect linkHitRect() const;
    // 0 minimise, 1 maximise (always off), 2 close.
    QRect buttonRect(int index) const;
    // The strip to repaint when the title or the activation changes.
    QRect captionRect() const;

private:
    void paintFrame(QPainter& painter);
    void paintCaptionLink(QPainter& painter);
    void paintOutline(QPainter& painter);
    int buttonAt(const QPoint& point) const;

    QWidget& window_;
    QString linkText_;
    QRect linkButtonRect_;
    bool linkPressed_ = false;
    int pressedButton_ = -1;
    bool linkPressStarted_ = false;
    CaptionDrag drag_;
    QPoint lastPoint_;
};
