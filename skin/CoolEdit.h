#pragma once

#include <QLineEdit>
#include <QPixmap>

#include <string>

class QTimer;

// A one-line text box on a tiled wallpaper with a lowered edge. The game reads and sets its
// text as Windows-1251 bytes; the keyboard and the screen see Unicode.
class CoolEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CoolEdit(QWidget* parent = nullptr);

    // The text in Windows-1251 without line breaks (characters the code page lacks become
    // "?"), so it can stand on one line of a text file.
    std::string cp1251Text() const;
    void setCp1251Text(const std::string& text);

    // Takes only characters the text can keep in Windows-1251 on one line: a keystroke or
    // paste of any other is refused (taken out, the box shakes and refused() is sent), so
    // what the player sees is what is stored.
    void setCp1251Only();
    void refuse();

    void setWallpaper(const QPixmap& wallpaper);
    const QPixmap& wallpaper() const { return wallpaper_; }
    void setFontColor(const QColor& color);

signals:
    void refused();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap wallpaper_;
    QTimer* shakeTimer_ = nullptr;
    int shakeStep_ = 0;
    QPoint restingPos_;
};
