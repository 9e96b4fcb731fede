#pragma once

#include <QString>

#include <exception>
#include <string>

// The game's one error type. Raising it ends the running handler; the application
// catches it at the event loop (VordaApplication::notify) or in the start-up sequence
// and shows its text in an error box, then the program goes on.
class VordaError : public std::exception {
public:
    enum class Kind { InputOutput, Range, Conversion, Overflow, ListIndex, Other };

    VordaError(Kind kind, QString text)
        : kind_(kind), text_(std::move(text)), utf8_(text_.toStdString()) {}
    explicit VordaError(QString text) : VordaError(Kind::Other, std::move(text)) {}

    Kind kind() const noexcept { return kind_; }
    // The message for the error box, in Unicode.
    const QString& text() const noexcept { return text_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    Kind kind_;
    QString text_;
    std::string utf8_;
};
