// SPDX-License-Identifier: GPL-3.0-or-later
// What the letter-lesson tests do with the main window: press a button the
// way a child does, and look at the picture area's image.
#pragma once

#include "platform/controls.h"
#include "platform/form.h"

#include <QPushButton>
#include <QTest>

namespace testing {

inline void pressButton(const platform::Form &form, const char *button) {
    auto *control = form.control<QPushButton>(button);
    QVERIFY2(control, button);
    QTest::mouseClick(control, Qt::LeftButton);
}

inline platform::ImageControl *pictureImage(const platform::Form &form) {
    return form.control<platform::ImageControl>("Img1");
}

} // namespace testing
