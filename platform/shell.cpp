// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell.h"

#include "platform/codepage.h"

HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                        LPCSTR directory, int showCommand) {
    return platform::Service<platform::Shell>::get().ShellExecuteA(
        owner, operation, file, parameters, directory, showCommand);
}

void platform::openWebPage(HWND owner, const char *address) {
    const QByteArray operation = toNarrow(QStringLiteral("open"));
    const QByteArray file = toNarrow(QString::fromUtf8(address));
    ShellExecuteA(owner, operation.constData(), file.constData(), nullptr, nullptr, SW_SHOWNORMAL);
}

template class platform::Service<platform::Shell>;
