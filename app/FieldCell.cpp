#include "app/FieldCell.h"

#include "app/ScreenReaders.h"

#include "extras/TextureChoice.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {
// A cell is a table cell to screen readers, selected while on the word, pressed as a click.
class CellAccessible : public QAccessibleWidget {
public:
    explicit CellAccessible(FieldCell* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = cell()->selected;
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            cell()->click();
    }

private:
    FieldCell* cell() const { return static_cast<FieldCell*>(widget()); }
};

QAccessibleInterface* cellAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(FieldCell::staticMetaObject.className()) && object)
        return new CellAccessible(static_cast<FieldCell*>(object));
    return nullptr;
}
} // namespace

FieldCell::FieldCell(QWidget* parent) : CoolLabel(parent) {
    static const bool registered = [] {
        QAccessible::installFactory(cellAccessible);
        return true;
    }();
    Q_UNUSED(registered);
}

void FieldCell::setSpokenName(const QString& name) {
    if (accessibleName() != name)
        setAccessibleName(name);
}

void FieldCell::select() {
    if (selected)
        return;
    setWallpaper(getTexture(kSelectedCellSlot));
    selected = true;
    setFontColor(kSelectedLetterColour);
    announceSelection();
}

void FieldCell::unselect() {
    if (!selected)
        return;
    setWallpaper(getTexture(kCellSlot));
    selected = false;
    setFontColor(Qt::black);
    announceSelection();
}

void FieldCell::announceSelection() {
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    tellScreenReaders(event);
}

void FieldCell::enterEvent(QEnterEvent* event) {
    CoolLabel::enterEvent(event);
    emit mouseEntered(this);
}

void FieldCell::leaveEvent(QEvent* event) {
    CoolLabel::leaveEvent(event);
    emit mouseLeft(this);
}

void FieldCell::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    CoolLabel::mousePressEvent(event);
}

void FieldCell::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second press counts as a second click.
    mousePressEvent(event);
}

void FieldCell::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    CoolLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked(this);
}
