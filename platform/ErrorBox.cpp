#include "platform/ErrorBox.h"

#include "platform/VordaError.h"

#include <QMessageBox>

std::function<void(const QString&)> ErrorBoxRedirect;

void ShowErrorBox(const QString& text) {
    if (ErrorBoxRedirect) {
        ErrorBoxRedirect(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void ShowMessageBox(const QString& text) {
    if (ErrorBoxRedirect) {
        ErrorBoxRedirect(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text,
                    QMessageBox::Ok);
    box.exec();
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
