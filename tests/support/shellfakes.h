// SPDX-License-Identifier: GPL-3.0-or-later
// Recording fakes for the shell's two entries: opening an address and the
// notification-area icon.
#pragma once

#include "platform/shell.h"
#include "platform/tray.h"
#include "platform/win32.h"

#include <QByteArray>
#include <QList>
#include <cstring>

namespace testing {

struct ShellCall {
    HWND owner;
    QByteArray operation; // the narrow bytes as passed
    QByteArray file;
    bool nullParameters;
    bool nullDirectory;
    int showCommand;
    bool operator==(const ShellCall &) const = default;
};

// The call by which a window opens a web page: itself as the owner, "open",
// the address, nothing else, shown normally.
inline ShellCall openingPage(HWND owner, const QByteArray &address) {
    return {owner, "open", address, true, true, SW_SHOWNORMAL};
}

// How QCOMPARE prints a call that differs.
inline char *toString(const ShellCall &call) {
    const QByteArray text =
        "owner " + QByteArray::number(qulonglong(call.owner)) + ", \"" + call.operation + "\", \"" +
        call.file + "\", parameters " + (call.nullParameters ? "null" : "given") + ", directory " +
        (call.nullDirectory ? "null" : "given") + ", show " + QByteArray::number(call.showCommand);
    return qstrdup(text.constData());
}

// Records every call and answers with a fixed result (by default the one
// for "no program registered").
class RecordingShell : public platform::Shell {
public:
    explicit RecordingShell(HINSTANCE result = SE_ERR_NOASSOC) : result_(result) {}
    HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                            LPCSTR directory, int showCommand) override {
        calls.append({owner, operation ? QByteArray(operation) : QByteArray(),
                      file ? QByteArray(file) : QByteArray(), parameters == nullptr,
                      directory == nullptr, showCommand});
        return result_;
    }
    QList<ShellCall> calls;

private:
    HINSTANCE result_;
};

struct TrayCall {
    DWORD message;
    QByteArray record; // all 88 bytes as passed
    NOTIFYICONDATAA data() const {
        NOTIFYICONDATAA fields;
        std::memcpy(&fields, record.constData(), sizeof fields);
        return fields;
    }
};

// Records every call, byte for byte, and answers with a fixed result.
class RecordingTray : public platform::NotificationArea {
public:
    explicit RecordingTray(BOOL result = TRUE) : result_(result) {}
    BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data) override {
        QByteArray bytes(sizeof(NOTIFYICONDATAA), '\0');
        if (data)
            std::memcpy(bytes.data(), data, sizeof(NOTIFYICONDATAA));
        calls.append({message, bytes});
        return result_;
    }
    QList<TrayCall> calls;

private:
    BOOL result_;
};

} // namespace testing
