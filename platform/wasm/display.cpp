// SPDX-License-Identifier: GPL-3.0-or-later
// The page is the program's display: there always is one. When the program
// ends (its last window closed, or the Exit command), the page says so; the
// browser's event loop goes on, so nothing else would tell it.
#include "platform/display.h"
#include "platform/wasm/weblinks.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <emscripten/val.h>

namespace platform {
namespace {

bool isProgramWindow(const QWidget *widget) {
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

// Tells the page once no window of the program is left on it, after one
// has been shown.
class EndWatch final : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || !widget->isWindow() || !isProgramWindow(widget))
            return false;
        if (event->type() == QEvent::Show)
            shown_ = true;
        else if (event->type() == QEvent::Hide && shown_ && !told_ && !anyWindowShown())
            tellThePage();
        return false;
    }

private:
    static bool anyWindowShown() {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget *window) {
            return isProgramWindow(window) && window->isVisible();
        });
    }

    void tellThePage() {
        told_ = true;
        emscripten::val::global("snomelPage").call<void>("ended");
    }

    bool shown_ = false;
    bool told_ = false;
};

void startOnThePage() {
    openWebPagesInNewTabs();
    qApp->installEventFilter(new EndWatch);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startOnThePage)

bool checkDisplay() {
    return true;
}

} // namespace platform
