// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder as Qt reports the executable's.
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {
namespace {

class ExecutableFolder final : public ProgramFolder {
public:
    QString path() const override {
        QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
        while (folder.size() > 1 && folder.endsWith(QDir::separator()))
            folder.chop(1);
        return folder;
    }
};

} // namespace

ProgramFolder &ProgramFolder::real() {
    static ExecutableFolder folder;
    return folder;
}

} // namespace platform
