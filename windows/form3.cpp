// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form3.h"

#include "platform/dispatch.h"
#include "platform/mediamodule.h"
#include "skin/skincontrol.h"
#include "skin/skinlabel.h"
#include "skin/storedskin.h"
#include "windows/form3layout.h"

namespace windows {

Form3::Form3(QObject *parent) : platform::Form(Form3Spec, parent) {}

QWidget *Form3::createCustomControl(const platform::ControlSpec &row, QWidget *container) {
    if (qstrcmp(row.name, "Skin1") == 0)
        return new skin::SkinControl(skin::storedSkinStream(3), container);
    if (qstrcmp(row.name, "SkinLabel1") == 0)
        return new skin::SkinLabel(SkinLabel1Settings, container);
    if (qstrcmp(row.name, "MediaPlayer1") == 0)
        return platform::mediaModule().createPlayer(MediaPlayer1Settings, container);
    return platform::Form::createCustomControl(row, container);
}

void Form3::connectHandlers() {
    platform::mediaModule().onDoubleClick(
        control("MediaPlayer1"), this, [this](short nButton, short nShiftState, int fX, int fY) {
            platform::invokeHandler(
                [&] { MediaPlayer1_DoubleClick(nButton, nShiftState, fX, fY); });
        });
}

platform::Dispatch *Form3::MediaPlayer1() const {
    return platform::mediaModule().playerDispatch(control("MediaPlayer1"));
}

void Form3::Form_Load() {
    control<skin::SkinControl>("Skin1")->Invoke(skin::SkinControl::DispidApply,
                                                platform::InvokeKind::Method,
                                                {platform::Variant(static_cast<qint32>(hWnd()))});
}

void Form3::MediaPlayer1_DoubleClick(short, short, int, int) {
    // Late-bound, as the player's URL property is reached: by its dispatch
    // identifier, with a string variant. The name carries no folder.
    MediaPlayer1()->Invoke(platform::PlayerDispidURL, platform::InvokeKind::PropertyPut,
                           {platform::Variant(QString::fromUtf8(SongFileName))});
}

} // namespace windows
