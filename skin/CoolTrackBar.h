#pragma once

#include <QAbstractSlider>
#include <QImage>

// A horizontal track bar that paints itself: a sunken track, a tick for every position and
// the thumb picture "THUMB_HORZ" ("THUMB_HORZ_INVERT" while it is dragged or the bar is
// disabled), on a transparent background. The thumb follows the mouse and the arrow keys.
class CoolTrackBar : public QAbstractSlider {
    Q_OBJECT
public:
    explicit CoolTrackBar(QWidget* parent = nullptr);

    // The thumb's rectangle at a position, in the bar's coordinates.
    QRect thumbRect(int position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int positionAt(int x) const;
    int trackLeft() const;
    int trackRight() const;

    QImage thumb_;
    QImage thumbInverted_;
    bool dragging_ = false;
};
