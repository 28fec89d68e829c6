// SPDX-License-Identifier: GPL-3.0-or-later
// The letters song window's properties, controls and texts, as data.
#pragma once

#include "platform/form.h"
#include "platform/mediaplayersettings.h"
#include "skin/skinlabel.h"

namespace windows {

extern const platform::FormSpec Form3Spec;

// The stored settings of the instruction label and of the player.
extern const skin::SkinLabelSettings SkinLabel1Settings;
extern const platform::MediaPlayerSettings MediaPlayer1Settings;

// The song's video: a bare name, looked up in the current directory when it
// is handed to the player.
extern const char *const SongFileName;

} // namespace windows
