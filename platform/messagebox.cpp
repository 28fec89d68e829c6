#include "messagebox.h"

#include "win32.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

class QtMessageBox final : public MessageBoxService {
public:
    int show(const QString &prompt, int style, const QString &title) override {
        QMessageBox box;
        // An Arabic box reads right to left, its text and its buttons; the
        // program's windows keep their own left-to-right layout.
        box.setLayoutDirection(Qt::RightToLeft);
        box.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
        box.setText(prompt);
        // Assistive technology reads the alert's text with its title.
        box.setAccessibleDescription(prompt);
        box.setIcon((style & MB_ICONERROR) ? QMessageBox::Critical : QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        // The close box and Escape answer OK as well: it is the only button.
        box.setEscapeButton(QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        return IDOK;
    }
};

} // namespace

MessageBoxService &MessageBoxService::real() {
    static QtMessageBox box;
    return box;
}

} // namespace platform

int MsgBox(const QString &prompt, int style, const QString &title) {
    return platform::Service<platform::MessageBoxService>::get().show(prompt, style, title);
}
