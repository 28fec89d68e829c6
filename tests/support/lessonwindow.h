// SPDX-License-Identifier: GPL-3.0-or-later
// What the letter-lesson tests teach with: the main window, shown, teaching
// from a program folder of the test's own, with the services a lesson
// reaches recording; a button pressed the way a child does, and the
// picture area's image looked at.
#pragma once

#include "app/form1.h"
#include "app/letters.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "tests/support/fakes.h"
#include "tests/support/mediafiles.h"

#include <QPushButton>
#include <QTemporaryDir>
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

// A letter's picture and sound files, as its row names them.
inline QString pictureName(const app::Letter &letter) {
    return QString::fromUtf8(letter.stem) + QLatin1Char('.') +
           QLatin1String(letter.pictureExtension);
}
inline QString soundName(const app::Letter &letter) {
    return QString::fromUtf8(letter.stem) + QLatin1Char('.') + QLatin1String(app::SoundExtension);
}

// The program folder is an empty folder of the test's own (isValid() says
// it was made); the sound device forwards to the real one when asked.
class LessonWindow {
public:
    explicit LessonWindow(bool forwardSound = false) : services(folder.path(), forwardSound) {
        form.Show();
    }

    bool isValid() const { return folder.isValid(); }
    QString filePath(const QString &name) const { return folder.filePath(name); }

    // A letter's own picture (of one colour, in its row's format) and a
    // tone of the given length as its sound.
    bool writeLetter(const app::Letter &letter, QSize size, QColor colour, int soundMs) const {
        return writePicture(filePath(pictureName(letter)), size, colour,
                            letter.number <= 11 ? "BMP" : "JPG") &&
               writeFile(filePath(soundName(letter)), toneWave(soundMs));
    }

    void press(const char *button) const { pressButton(form, button); }
    platform::ImageControl *img1() const { return pictureImage(form); }

    QTemporaryDir folder;
    app::Form1 form;
    LessonServices services;
    RecordingSound &sound = services.sound;
    RecordingMessageBox &box = services.box;
};

} // namespace testing
