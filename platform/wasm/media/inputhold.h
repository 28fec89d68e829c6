// SPDX-License-Identifier: GPL-3.0-or-later
// A synchronous sound takes no input, and the input that came meanwhile is
// handled after it. On a desktop the window system's queue holds it; a page
// delivers the browser's input to the program at once, even while it waits
// in a local event loop. An InputHold keeps it until it goes.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QEvent;

namespace platform {

// While it lives, every user input event (mouse, keys, wheel, touch,
// context menu) is held back from its receiver; when it goes, the held
// events are posted to their receivers in the order they came, to be
// handled as soon as the program is back in its event loop. Events for a
// receiver that has gone meanwhile are dropped.
class InputHold final : public QObject {
public:
    InputHold();
    ~InputHold() override;
    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::vector<Held> held_;
};

} // namespace platform
