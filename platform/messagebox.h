// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's message box: a prompt, a button style and a title.
#pragma once

#include "platform/service.h"

#include <QString>

namespace platform {

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows the box modally and returns the answer (IDOK for style MB_OK,
    // also when the box is closed by its close box).
    virtual int show(const QString &prompt, int style, const QString &title) = 0;
    static MessageBoxService &real();
};

extern template class Service<MessageBoxService>;

} // namespace platform

int MsgBox(const QString &prompt, int style = 0, const QString &title = QString());
