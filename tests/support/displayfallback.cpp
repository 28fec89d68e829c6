// SPDX-License-Identifier: GPL-3.0-or-later
// Tests that want the X platform and find no display run offscreen instead,
// so they can skip with a message rather than abort in the application
// object's constructor. Linked into every test; runs before main().
#include <QByteArray>
#include <QtGlobal>

namespace {

const bool fellBack = [] {
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    return false;
}();

} // namespace
