#include "skin/CoolEdit.h"

#include "platform/Cp1251.h"
#include "skin/CoolControls.h"

#include <QPainter>

namespace {
const QColor kEditFace(255, 255, 255);
constexpr int kTextMargin = 2;
} // namespace

TCoolEdit::TCoolEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(kTextMargin, 0, kTextMargin, 0);
    // The line edit paints nothing of its own behind the text: the wallpaper shows through.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    setPalette(colours);
}

std::string TCoolEdit::Text() const {
    QString line = text();
    line.remove(QLatin1Char('\r'));
    line.remove(QLatin1Char('\n'));
    return UnicodeToCp1251(line);
}

void TCoolEdit::SetText(const std::string& text) {
    setText(Cp1251ToUnicode(text));
}

void TCoolEdit::SetWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}

void TCoolEdit::SetFontColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Text, color);
    setPalette(colours);
}

void TCoolEdit::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        PaintWallpaper(painter, rect(), wallpaper_, kEditFace);
    }
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    PaintBevel(painter, rect().adjusted(0, 0, -1, -1), BevelKind::Lowered);
}
