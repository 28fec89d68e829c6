// SPDX-License-Identifier: GPL-3.0-or-later
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

QString App_Path() {
    return platform::Service<platform::ProgramFolder>::get().path();
}
