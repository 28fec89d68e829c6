// SPDX-License-Identifier: GPL-3.0-or-later
// The program's executable run as a process of its own, as a desktop runs
// it: on the X display, from its own folder (where the song is looked up),
// with a stand-in browser early on the path. Its standard error is kept in a
// file and searched for sanitizer reports.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace monkey {

class ProgramProcess {
public:
    // The program folder's executable, "snomel".
    explicit ProgramProcess(QString executable);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess &) = delete;
    ProgramProcess &operator=(const ProgramProcess &) = delete;

    const QString &executable() const { return executable_; }
    // Starts it; false (with errorString()) when it cannot.
    bool start();
    qint64 pid() const;
    bool isRunning();
    // Waits for its end; false when it is still running after timeoutMs.
    bool waitForEnd(int timeoutMs);
    // Ends it at once (SIGKILL), for a run that has already failed.
    void kill();

    // How it ended: empty when it exited with status 0 and its standard
    // error holds no sanitizer report; else what went wrong, with the report.
    // An end whose leak check could not run is no problem; it is counted.
    QString endProblem();
    // Ends at which LeakSanitizer's own thread tracer failed, so that no
    // leak check ran (it dies now and then while GStreamer's and Mesa's
    // threads wind down at exit).
    int endsUnchecked() const { return endsUnchecked_; }
    // A sanitizer report on its standard error so far; empty when none.
    QString sanitizerReport() const;
    // The last lines of its standard error.
    QString errorTail(int lines) const;
    QString errorString() const { return process_.errorString(); }
    QString errorFile() const;

    // Its resident memory, in KiB, all of it and the anonymous part (what
    // the heaps hold, against the files mapped); -1 when it is not running.
    struct Resident {
        qint64 totalKiB = -1;
        qint64 anonymousKiB = -1;
    };
    Resident resident() const;
    // Whether it has a library of that name among its mappings.
    bool hasMapped(QStringView library) const;
    // How many times the stand-in browser was called.
    int pagesOpened() const;

private:
    QString readErrors() const;

    QString executable_;
    QTemporaryDir scratch_; // the browser stand-in, its record, the error files
    QProcess process_;
    int starts_ = 0;
    int endsUnchecked_ = 0;
};

} // namespace monkey
