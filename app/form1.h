// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the picture area, the letter buttons and the commands.
#pragma once

#include "platform/form.h"

namespace platform {
class ImageControl;
class PictureBox;
} // namespace platform

namespace windows {
class Form2;
class Form3;
} // namespace windows

namespace app {

struct Letter;

class Form1 : public platform::Form {
    Q_OBJECT
public:
    explicit Form1(QObject *parent = nullptr);

    // One click handler per letter button; each teaches the letter of its
    // row of the letter table.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();
    void Command18_Click();
    void Command19_Click();
    void Command20_Click();
    void Command21_Click();
    void Command22_Click();
    void Command23_Click();
    void Command24_Click();
    void Command25_Click();
    void Command26_Click();
    void Command27_Click();
    void Command28_Click();
    void Command29_Click();
    void Command30_Click();
    void Command31_Click();
    void Command32_Click();
    void Command33_Click();

    // The letters song window, made on the first press and kept for the run.
    void Command34_Click();

    // The About window, made on the first press and kept for the run.
    void Command10_Click();
    // The author's personal, library and seminary pages in the browser.
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    // The farewell message, then the end of the program.
    void Command14_Click();

protected:
    void Form_Load() override;
    void describeControls() override;
    void connectHandlers() override;
    QWidget *createCustomControl(const platform::ControlSpec &row, QWidget *container) override;

private:
    // The letter lesson: the picture fills the picture area, then the sound
    // plays to its end.
    void teachLetter(const char *button);

    platform::ImageControl *Img1() const;
    platform::PictureBox *Pic1() const;

    windows::Form3 *form3_ = nullptr;
    windows::Form2 *form2_ = nullptr;
};

} // namespace app
