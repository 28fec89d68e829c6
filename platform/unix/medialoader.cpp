// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer loaded from the program folder on first use.
#include "platform/dispatch.h"
#include "platform/mediamodule.h"
#include "platform/mediaplayersettings.h"
#include "platform/programfolder.h"
#include "platform/sound.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <cstdio>

namespace platform {
namespace {

// Without the module: every sound is silent, as with no sound card.
class SilentSoundDevice final : public SoundDevice {
public:
    BOOL sndPlaySoundA(LPCSTR, UINT) override { return FALSE; }
};

// Without the module: a blank player that takes its URL and plays nothing.
class EmptyPlayer final : public QLabel, public Dispatch {
public:
    explicit EmptyPlayer(QWidget *parent) : QLabel(parent) {
        setAutoFillBackground(true);
        setPalette(QPalette(Qt::black));
    }

    Variant Invoke(DISPID dispid, InvokeKind kind, const QList<Variant> &arguments) override {
        return invokeStringProperty(PlayerDispidURL, dispid, kind, arguments, url_,
                                    [this](const QString &url) { url_ = url; });
    }

private:
    QString url_;
};

// Without the module: silent sounds and empty players.
class UnavailableModule final : public MediaModule {
public:
    SoundDevice &soundDevice() const override {
        static SilentSoundDevice device;
        return device;
    }

    QWidget *createPlayer(const MediaPlayerSettings &, QWidget *parent) const override {
        return new EmptyPlayer(parent);
    }

    Dispatch *playerDispatch(QWidget *player) const override {
        return static_cast<EmptyPlayer *>(player);
    }

    void onDoubleClick(QWidget *, QObject *, const DoubleClickHandler &) const override {}
};

// The module from the program folder, or nothing with the reason why.
const MediaModule *load(QString &failure) {
    const QString file =
        QDir(App_Path())
            .filePath(QString::fromLatin1(MediaModuleName) + QStringLiteral(SNOMEL_MODULE_SUFFIX));
    if (!QFileInfo::exists(file)) {
        failure = file + QStringLiteral(": no such file");
        return nullptr;
    }
    QLibrary library(file);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto entry =
        reinterpret_cast<MediaModuleEntryFunction>(library.resolve(MediaModuleEntry));
    if (const MediaModule *module = entry ? entry() : nullptr)
        return module;
    failure = library.errorString();
    return nullptr;
}

} // namespace

const MediaModule &mediaModule() {
    static const MediaModule *loaded = nullptr;
    static QString reported;
    if (!loaded) {
        QString failure;
        loaded = load(failure);
        if (!loaded && failure != reported) {
            std::fprintf(stderr,
                         "snomel: the media layer could not be loaded, so sounds and the song "
                         "stay silent until it can: %s\n",
                         qPrintable(failure));
            reported = failure;
        }
    }
    static const UnavailableModule unavailable;
    return loaded ? *loaded : unavailable;
}

} // namespace platform
