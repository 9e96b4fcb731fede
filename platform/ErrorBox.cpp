#include "platform/ErrorBox.h"

#include "platform/VordaError.h"

#include <QMessageBox>

namespace {
std::function<void(const QString&)>& errorBoxHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}
} // namespace

void ShowErrorBox(const QString& text) {
    if (errorBoxHandler()) {
        errorBoxHandler()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void SetErrorBoxHandler(std::function<void(const QString&)> handler) {
    errorBoxHandler() = std::move(handler);
}

bool RunReportingErrors(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const VordaError& error) {
        ShowErrorBox(error.text());
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

VordaApplication::VordaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VordaApplication::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    RunReportingErrors([&] { result = QApplication::notify(receiver, event); });
    return result;
}
