#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// Where the texts of the error and message boxes go instead of a box while it is set: tests
// record them, a scripted start prints them. At namespace scope, one for the process, because
// errors are reported from every layer and from every event handler (VordaApplication::notify),
// where nothing can be handed down; empty, the boxes show.
extern std::function<void(const QString&)> errorBoxRedirect;

// The error box: the text of an error raised in a handler, shown in a modal message box.
// While errorBoxRedirect is set it takes the text instead.
void showErrorBox(const QString& text);

// A message that reports no error (what a command did), in a modal message box; while
// errorBoxRedirect is set it takes the text instead.
void showMessageBox(const QString& text);

// Runs an operation and reports a VordaError (or any other exception) it raises in the error
// box. Returns false when it raised one.
bool runReportingErrors(const std::function<void()>& operation);

// The application: every event handler runs through notify, which reports an exception in
// the error box and lets the program go on, so no exception ever crosses the event loop.
class VordaApplication : public QApplication {
public:
    VordaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
