// SPDX-License-Identifier: GPL-3.0-or-later
// ShellExecuteA through the desktop's own hand-off (xdg-open on Linux).
#include "platform/codepage.h"
#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {

class DesktopShell final : public Shell {
public:
    HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int) override {
        if (!file || !*file)
            return SE_ERR_FNF;
        if (operation &&
            fromNarrow(operation).compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
            return SE_ERR_NOASSOC;
        const QUrl url = QUrl::fromUserInput(fromNarrow(file));
        if (!url.isValid())
            return SE_ERR_FNF;
        return QDesktopServices::openUrl(url) ? ShellExecuteSucceeded : SE_ERR_NOASSOC;
    }
};

} // namespace

Shell &Shell::real() {
    static DesktopShell shell;
    return shell;
}

} // namespace platform
