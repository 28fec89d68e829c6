// SPDX-License-Identifier: GPL-3.0-or-later
// The program's three windows by their class names, for tests that go over
// every window.
#pragma once

#include "app/form1.h"
#include "windows/form2.h"
#include "windows/form3.h"

#include <QTest>
#include <memory>

namespace testing {

inline std::unique_ptr<platform::Form> makeWindow(const QByteArray &name) {
    if (name == "Form1")
        return std::make_unique<app::Form1>();
    if (name == "Form2")
        return std::make_unique<windows::Form2>();
    if (name == "Form3")
        return std::make_unique<windows::Form3>();
    return nullptr;
}

// A data column "window", one row for each window.
inline void addWindowRows() {
    QTest::addColumn<QByteArray>("window");
    for (const char *name : {"Form1", "Form2", "Form3"})
        QTest::newRow(name) << QByteArray(name);
}

} // namespace testing
