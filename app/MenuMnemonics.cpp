#include "app/MenuMnemonics.h"

#include <QAction>
#include <QSet>
#include <QVariant>

namespace {
// The caption an item was given and the text with its mnemonic made from it, so that a
// second pass over a menu tells a caption set anew from one it has marked already.
constexpr const char* kPlainCaption = "plainCaption";
constexpr const char* kMarkedCaption = "markedCaption";
} // namespace

void addMnemonics(const QList<QAction*>& items) {
    QSet<QChar> taken;
    for (QAction* item : items) {
        if (item->isSeparator() || item->text().isEmpty())
            continue;
        const QString plain = item->property(kMarkedCaption).toString() == item->text()
                                  ? item->property(kPlainCaption).toString()
                                  : item->text();
        qsizetype mnemonic = -1;
        for (qsizetype i = 0; i < plain.size() && mnemonic < 0; ++i)
            if (plain[i].isLetter() && !taken.contains(plain[i].toLower()))
                mnemonic = i;
        QString marked;
        for (qsizetype i = 0; i < plain.size(); ++i) {
            if (i == mnemonic || plain[i] == u'&')
                marked += u'&';
            marked += plain[i];
        }
        if (mnemonic >= 0)
            taken.insert(plain[mnemonic].toLower());
        item->setProperty(kPlainCaption, plain);
        item->setProperty(kMarkedCaption, marked);
        item->setText(marked);
    }
}

QString withoutMnemonic(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}
