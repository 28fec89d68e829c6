// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder as the system names the running executable.
#include "platform/programfolder.h"

#include "platform/windows/win32calls.h"

#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

class ModuleFolder final : public ProgramFolder {
public:
    // A folder at a drive's root keeps its separator ("C:\"): without it
    // the name would mean the drive's current folder.
    QString path() const override {
        const QString executable = QDir::fromNativeSeparators(win32::executableFile());
        return QDir::toNativeSeparators(QFileInfo(executable).absolutePath());
    }
};

} // namespace

ProgramFolder &ProgramFolder::real() {
    static ModuleFolder folder;
    return folder;
}

} // namespace platform
