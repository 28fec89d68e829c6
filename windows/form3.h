// SPDX-License-Identifier: GPL-3.0-or-later
// The letters song window: an instruction label above a media player that
// plays the song's video when the child double-clicks it.
#pragma once

#include "platform/form.h"

namespace platform {
class Dispatch;
} // namespace platform

namespace windows {

class Form3 : public platform::Form {
    Q_OBJECT
public:
    explicit Form3(QObject *parent = nullptr);

    // The player's double-click: hands it the song. The four values it
    // carries (button, shift state, position) play no part.
    void MediaPlayer1_DoubleClick(short nButton, short nShiftState, int fX, int fY);

protected:
    void Form_Load() override;
    void connectHandlers() override;
    QWidget *createCustomControl(const platform::ControlSpec &row, QWidget *container) override;

private:
    // The player, reached late-bound.
    platform::Dispatch *MediaPlayer1() const;
};

} // namespace windows
