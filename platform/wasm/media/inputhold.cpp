// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wasm/media/inputhold.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform {
namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

InputHold::InputHold() {
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold() {
    QCoreApplication::instance()->removeEventFilter(this);
    for (Held &held : held_) {
        if (held.receiver)
            QCoreApplication::postEvent(held.receiver, held.event.release());
    }
}

// An event is seen first by the window it came to, which hands it on to the
// control under the pointer: held there, it goes the same way later.
bool InputHold::eventFilter(QObject *receiver, QEvent *event) {
    if (!isUserInput(event->type()))
        return false;
    held_.push_back(Held{receiver, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

} // namespace platform
