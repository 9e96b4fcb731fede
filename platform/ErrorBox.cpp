#include "platform/ErrorBox.h"

#include "platform/VordaError.h"

#include <QMessageBox>

std::function<void(const QString&)> errorBoxRedirect;

void showErrorBox(const QString& text) {
    if (errorBoxRedirect) {
        errorBoxRedirect(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void showMessageBox(const QString& text) {
    if (errorBoxRedirect) {
        errorBoxRedirect(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text,
                    QMessageBox::Ok);
    box.exec();
}

bool runReportingErrors(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const VordaError& error) {
        showErrorBox(error.text());
    } catch (const std::exception& error) {
        showErrorBox(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

VordaApplication::VordaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VordaApplication::notify(QObject* receiver, QEvent* event) {
    // One pointer in the operation, so it fits in the std::function without an allocation for
    // each of the many events.
    struct Delivery {
        VordaApplication* application;
        QObject* receiver;
        QEvent* event;
        bool result = false;
    } delivery{this, receiver, event};
    runReportingErrors([d = &delivery] {
        d->result = d->application->QApplication::notify(d->receiver, d->event);
    });
    return delivery.result;
}
