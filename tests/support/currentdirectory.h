// SPDX-License-Identifier: GPL-3.0-or-later
// Changes the process's current directory for a test's scope.
#pragma once

#include <QDir>
#include <QString>

namespace testing {

class CurrentDirectory {
public:
    explicit CurrentDirectory(const QString &path) : previous_(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~CurrentDirectory() { QDir::setCurrent(previous_); }
    CurrentDirectory(const CurrentDirectory &) = delete;
    CurrentDirectory &operator=(const CurrentDirectory &) = delete;

private:
    QString previous_;
};

} // namespace testing
