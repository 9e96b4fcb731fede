// The main window's own frame: painted and worked by its caption bar.
#include "app/MainWindow.h"

#include "platform/ErrorBox.h"

#include <QMouseEvent>
#include <QPainter>

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    captionBar_.paint(painter);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    captionBar_.press(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    captionBar_.move(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    switch (captionBar_.release(event)) {
    case CaptionBar::Command::None:
        return;
    case CaptionBar::Command::Close:
        close();
        return;
    case CaptionBar::Command::Minimise:
        showMinimized();
        return;
    case CaptionBar::Command::VisitHomePage:
        runReportingErrors([this] { visitHomePage(); });
        return;
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A new title or another activation state repaints the caption bar, button included.
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowTitleChange)
        update(captionBar_.captionRect());
}
