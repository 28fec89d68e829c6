// SPDX-License-Identifier: GPL-3.0-or-later
// A browser stand-in early on the path, before the desktop looks for one: an
// "xdg-open" that writes down each address it is given, one a line. For the
// tests of the real hand-off to the desktop's browser on X.
#pragma once

#include <QByteArrayList>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

namespace testing {

class BrowserStandIn {
public:
    // Writes the script and puts its folder first on the path; false when
    // either cannot be done. A test built for Windows cannot make a program
    // of the build machine: the run puts the stand-in on the path for it,
    // and names its log in SNOMEL_BROWSER_LOG.
    bool install() {
        if (qEnvironmentVariableIsSet("SNOMEL_BROWSER_LOG"))
            return true;
        QFile script(dir_.filePath(QStringLiteral("xdg-open")));
        if (!dir_.isValid() || !script.open(QIODevice::WriteOnly))
            return false;
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" >>\"" + QFile::encodeName(logPath()) +
                     "\"\n");
        script.close();
        if (!script.setPermissions(script.permissions() | QFileDevice::ExeOwner))
            return false;
        qputenv("PATH", QFile::encodeName(dir_.path()) + ':' + qgetenv("PATH"));
        return true;
    }

    // Where the addresses are written down; no file until the first one.
    QString logPath() const {
        const QString given = qEnvironmentVariable("SNOMEL_BROWSER_LOG");
        return given.isEmpty() ? dir_.filePath(QStringLiteral("opened.txt")) : given;
    }

    // Everything written down so far, as it was written.
    QByteArray log() const {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The addresses, sorted: each stand-in runs on its own, so the lines may
    // come in any order.
    QByteArrayList sortedAddresses() const {
        QByteArrayList lines = log().split('\n');
        lines.removeAll(QByteArray());
        std::sort(lines.begin(), lines.end());
        return lines;
    }

private:
    QTemporaryDir dir_;
};

} // namespace testing
