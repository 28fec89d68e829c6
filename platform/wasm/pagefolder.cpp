// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder in a web page: the folder of the page's file system in
// which the page lays out the program's files before it starts it, and
// which it makes the current folder, as the desktop's run command does
// (snomel-page.js, programFolder).
#include "platform/programfolder.h"

namespace platform {
namespace {

class PageFolder final : public ProgramFolder {
public:
    QString path() const override { return QStringLiteral("/snomel"); }
};

} // namespace

ProgramFolder &ProgramFolder::real() {
    static PageFolder folder;
    return folder;
}

} // namespace platform
