#include "app/PoleUnit.h"

#include "extras/ImagesUnit.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {
// A cell is a table cell to screen readers, selected while on the word, pressed as a click.
class CellAccessible : public QAccessibleWidget {
public:
    explicit CellAccessible(Tpole* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = cell()->Selected;
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            cell()->Click();
    }

private:
    Tpole* cell() const { return static_cast<Tpole*>(widget()); }
};

QAccessibleInterface* cellAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("Tpole") && object)
        return new CellAccessible(static_cast<Tpole*>(object));
    return nullptr;
}
} // namespace

Tpole::Tpole(QWidget* parent) : TCoolLabel(parent) {
    static const bool registered = [] {
        QAccessible::installFactory(cellAccessible);
        return true;
    }();
    Q_UNUSED(registered);
}

void Tpole::SetSpokenName(const QString& name) {
    if (accessibleName() != name)
        setAccessibleName(name);
}

void Tpole::Select() {
    if (Selected)
        return;
    SetWallpaper(GetTexture(kSelectedCellSlot));
    Selected = true;
    SetFontColor(kSelectedLetterColour);
    announceSelection();
}

void Tpole::Unselect() {
    if (!Selected)
        return;
    SetWallpaper(GetTexture(kCellSlot));
    Selected = false;
    SetFontColor(Qt::black);
    announceSelection();
}

void Tpole::announceSelection() {
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
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
