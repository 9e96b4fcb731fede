#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// The error box: the text of an error raised in a handler, shown in a modal message box.
// While Hooks.ErrorBox is set it takes the text instead (tests record the texts there).
void ShowErrorBox(const QString& text);

// A message that reports no error (what a command did), in a modal message box; while
// Hooks.ErrorBox is set it takes the text instead.
void ShowMessageBox(const QString& text);

// Runs an operation and reports a VordaError (or any other exception) it raises in the error
// box. Returns false when it raised one.
bool RunReportingErrors(const std::function<void()>& operation);

// The application: every event handler runs through notify, which reports an exception in
// the error box and lets the program go on, so no exception ever crosses the event loop.
class VordaApplication : public QApplication {
public:
    VordaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
