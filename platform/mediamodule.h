// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer: the sound output behind sndPlaySoundA and the media player
// control, both built on the media framework. The program loads it as a
// module of its own on first use, so that starting the program never pays
// for the framework's libraries; tests link it in.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class QObject;
class QWidget;

namespace platform {

class Dispatch;
class SoundDevice;
struct MediaPlayerSettings;

// The player's URL property, reached late-bound.
inline constexpr std::int32_t PlayerDispidURL = 1;

// A player's double-click: button, shift state, x, y.
using DoubleClickHandler = std::function<void(short, short, int, int)>;

// What the media layer offers the program.
class MediaModule {
public:
    virtual ~MediaModule() = default;
    virtual SoundDevice &soundDevice() const = 0;
    // A media player control holding settings, as a child of parent.
    virtual QWidget *createPlayer(const MediaPlayerSettings &settings, QWidget *parent) const = 0;
    // The late-bound interface of a player createPlayer made.
    virtual Dispatch *playerDispatch(QWidget *player) const = 0;
    // Calls handler on each double-click on player, for as long as context lives.
    virtual void onDoubleClick(QWidget *player, QObject *context,
                               const DoubleClickHandler &handler) const = 0;
};

// The media layer: linked in, or loaded from the program folder on the first
// call. A module that cannot be loaded stands in as a silent sound output
// and an empty, quiet player, and is looked for again at the next call
// (the folder may have been mended); each new reason it cannot be loaded
// is reported on standard error, naming the file looked for.
const MediaModule &mediaModule();

// The module's file name in the program folder, without the platform's
// suffix for modules (".so" here), and the name of the function it
// exports, which returns its MediaModule.
inline constexpr char MediaModuleName[] = "snomel-media";
inline constexpr char MediaModuleEntry[] = "snomel_media_module";
using MediaModuleEntryFunction = const MediaModule *(*)();

} // namespace platform
