// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/messagebox.h"

#include "platform/win32.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QMessageBox>

namespace platform {
namespace {

// Makes the box wide enough for its whole title: the window manager cuts a
// title wider than the box, and a box sizes itself by its text alone. The
// title bar is drawn in the desktop's title font, not the program's, and
// holds the icon and the buttons too.
void widenForTitle(QMessageBox &box) {
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    constexpr int TitleBarButtons = 100;
    QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    title.setBold(true);
    const int width = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + TitleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

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
        widenForTitle(box);
        box.exec();
        return IDOK;
    }
};

} // namespace

MessageBoxService &MessageBoxService::real() {
    static QtMessageBox box;
    return box;
}

template class Service<MessageBoxService>;

} // namespace platform

int MsgBox(const QString &prompt, int style, const QString &title) {
    return platform::Service<platform::MessageBoxService>::get().show(prompt, style, title);
}
