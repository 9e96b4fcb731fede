#include "platform/ErrorBox.h"

#include "platform/Hooks.h"
#include "platform/VordaError.h"

#include <QMessageBox>

void ShowErrorBox(const QString& text) {
    if (Hooks.ErrorBox) {
        Hooks.ErrorBox(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void ShowMessageBox(const QString& text) {
    if (Hooks.ErrorBox) {
        Hooks.ErrorBox(text);
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
