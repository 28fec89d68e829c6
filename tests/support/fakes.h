// SPDX-License-Identifier: GPL-3.0-or-later
// Recording fakes for the platform interfaces, installed for a test's scope.
#pragma once

#include "platform/messagebox.h"
#include "platform/programfolder.h"
#include "platform/sound.h"
#include "platform/win32.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>

namespace testing {

struct SoundCall {
    QByteArray name; // the narrow bytes as passed
    UINT flags;
};

// Records every call; plays nothing unless it forwards to the real device.
class RecordingSound : public platform::SoundDevice {
public:
    explicit RecordingSound(bool forwardToReal = false) : forward_(forwardToReal) {}
    BOOL sndPlaySoundA(LPCSTR name, UINT flags) override {
        calls.append({name ? QByteArray(name) : QByteArray(), flags});
        if (!forward_)
            return TRUE;
        starts.append(clock.elapsed());
        const BOOL result = platform::SoundDevice::real().sndPlaySoundA(name, flags);
        ends.append(clock.elapsed());
        results.append(result);
        return result;
    }
    QList<SoundCall> calls;
    QList<BOOL> results;        // what the real device answered, when forwarding
    QList<qint64> starts, ends; // ms since the fake was made, when forwarding
    QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();

private:
    bool forward_;
};

struct MessageBoxCall {
    QString prompt;
    int style;
    QString title;
};

class RecordingMessageBox : public platform::MessageBoxService {
public:
    int show(const QString &prompt, int style, const QString &title) override {
        calls.append({prompt, style, title});
        return IDOK;
    }
    QList<MessageBoxCall> calls;
};

class FixedFolder : public platform::ProgramFolder {
public:
    explicit FixedFolder(QString path) : path_(std::move(path)) {}
    QString path() const override { return path_; }

private:
    QString path_;
};

// What a letter lesson reaches, recording and installed for the scope: the
// program folder at a given path, the sound device (forwarding to the real
// one when asked) and the message box.
struct LessonServices {
    explicit LessonServices(const QString &folderPath, bool forwardSound = false)
        : folder(folderPath), sound(forwardSound) {}
    FixedFolder folder;
    RecordingSound sound;
    RecordingMessageBox box;
    platform::Service<platform::ProgramFolder>::Fake folderFake{folder};
    platform::Service<platform::SoundDevice>::Fake soundFake{sound};
    platform::Service<platform::MessageBoxService>::Fake boxFake{box};
};

} // namespace testing
