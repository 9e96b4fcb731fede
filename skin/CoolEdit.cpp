#include "skin/CoolEdit.h"

#include "platform/Cp1251.h"
#include "skin/CoolControls.h"

#include <QPainter>
#include <QTimer>
#include <QValidator>

namespace {
const QColor kEditFace(255, 255, 255);
constexpr int kTextMargin = 2;
// The refusal shake: the box's offsets from its place, one a step.
constexpr int kShakeOffsets[] = {3, -3, 2, -2, 1, 0};
constexpr int kShakeStepMs = 30;

// Keeps only characters that Windows-1251 holds and that can stand on a line of a text file;
// a keystroke or a paste that brought others has them taken out, and the box is told.
class Cp1251Validator : public QValidator {
public:
    Cp1251Validator(CoolEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override {
        QString kept;
        kept.reserve(input.size());
        int keptBeforeCursor = 0;
        for (int i = 0; i < input.size(); ++i) {
            QChar c = input.at(i);
            // A tab stands for a blank, as in a stored name.
            if (c == QLatin1Char('\t'))
                c = QLatin1Char(' ');
            const bool keep =
                c.unicode() >= 0x20 && c.unicode() != 0x7F && fitsCp1251(QStringView(&c, 1));
            if (keep) {
                kept += c;
                if (i < pos)
                    ++keptBeforeCursor;
            }
        }
        if (kept.size() != input.size())
            QMetaObject::invokeMethod(edit_, &CoolEdit::refuse, Qt::QueuedConnection);
        if (kept != input) {
            input = kept;
            pos = keptBeforeCursor;
        }
        return Acceptable;
    }

private:
    CoolEdit* edit_;
};
} // namespace

CoolEdit::CoolEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(kTextMargin, 0, kTextMargin, 0);
    // The line edit paints nothing of its own behind the text: the wallpaper shows through.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    setPalette(colours);
}

std::string CoolEdit::cp1251Text() const {
    QString line = text();
    line.remove(QLatin1Char('\r'));
    line.remove(QLatin1Char('\n'));
    return unicodeToCp1251(line);
}

void CoolEdit::setCp1251Text(const std::string& text) {
    setText(cp1251ToUnicode(text));
}

void CoolEdit::setCp1251Only() {
    setValidator(new Cp1251Validator(this));
}

void CoolEdit::refuse() {
    emit refused();
    if (!shakeTimer_) {
        shakeTimer_ = new QTimer(this);
        shakeTimer_->setInterval(kShakeStepMs);
        connect(shakeTimer_, &QTimer::timeout, this, [this] {
            const int offset = kShakeOffsets[shakeStep_];
            move(restingPos_.x() + offset, restingPos_.y());
            if (++shakeStep_ == int(std::size(kShakeOffsets)))
                shakeTimer_->stop();
        });
    }
    if (!shakeTimer_->isActive())
        restingPos_ = pos();
    shakeStep_ = 0;
    shakeTimer_->start();
}

void CoolEdit::setWallpaper(const QPixmap& wallpaper) {
    wallpaper_ = wallpaper;
    update();
}

void CoolEdit::setFontColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Text, color);
    setPalette(colours);
}

void CoolEdit::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        paintWallpaper(painter, rect(), wallpaper_, kEditFace);
    }
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    paintBevel(painter, rect().adjusted(0, 0, -1, -1), BevelKind::Lowered);
}
