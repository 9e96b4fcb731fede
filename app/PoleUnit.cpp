#include "app/PoleUnit.h"

#include "extras/ImagesUnit.h"

#include <QMouseEvent>

Tpole::Tpole(QWidget* parent) : TCoolLabel(parent) {}

void Tpole::Select() {
    if (Selected)
        return;
    SetWallpaper(GetTexture(kSelectedCellSlot));
    Selected = true;
    SetFontColor(kSelectedLetterColour);
}

void Tpole::Unselect() {
    if (!Selected)
        return;
    SetWallpaper(GetTexture(kCellSlot));
    Selected = false;
    SetFontColor(Qt::black);
}

void Tpole::enterEvent(QEnterEvent* event) {
    TCoolLabel::enterEvent(event);
    emit mouseEntered(this);
}

void Tpole::leaveEvent(QEvent* event) {
    TCoolLabel::leaveEvent(event);
    emit mouseLeft(this);
}

void Tpole::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    TCoolLabel::mousePressEvent(event);
}

void Tpole::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second press counts as a second click.
    mousePressEvent(event);
}

void Tpole::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    TCoolLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked(this);
}
