// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/desktop/programprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace monkey {
namespace {

// What AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer write
// first when they report.
const char *const ReportMarkers[] = {
    "ERROR: AddressSanitizer",
    "ERROR: LeakSanitizer",
    "WARNING: AddressSanitizer",
    "runtime error:",
    "SUMMARY: UndefinedBehaviorSanitizer",
};

constexpr qsizetype MaxReportChars = 20000;

// What LeakSanitizer says when its own tracer fails and it cannot look.
const char LeakCheckFailed[] = "LeakSanitizer has encountered a fatal error";

} // namespace

ProgramProcess::ProgramProcess(QString executable) : executable_(std::move(executable)) {
    QFile browser(scratch_.filePath(QStringLiteral("xdg-open")));
    if (browser.open(QIODevice::WriteOnly)) {
        browser.write("#!/bin/sh\necho \"$@\" >>\"$(dirname \"$0\")/pages\"\n");
        browser.close();
        browser.setPermissions(browser.permissions() | QFileDevice::ExeOwner);
    }
    process_.setProgram(executable_);
    process_.setWorkingDirectory(QFileInfo(executable_).absolutePath());
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

ProgramProcess::~ProgramProcess() {
    if (process_.state() != QProcess::NotRunning)
        kill();
}

QString ProgramProcess::errorFile() const {
    return scratch_.filePath(QStringLiteral("stderr-%1.txt").arg(starts_));
}

bool ProgramProcess::start() {
    ++starts_;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // This process may run offscreen; the program runs on the display.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("PATH"),
                       scratch_.path() + u':' + environment.value(QStringLiteral("PATH")));
    if (!environment.contains(QStringLiteral("LC_ALL")))
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process_.setProcessEnvironment(environment);
    process_.setStandardOutputFile(errorFile());
    process_.start();
    return process_.waitForStarted(10000);
}

qint64 ProgramProcess::pid() const {
    return process_.processId();
}

bool ProgramProcess::isRunning() {
    if (process_.state() == QProcess::NotRunning)
        return false;
    process_.waitForFinished(0);
    return process_.state() != QProcess::NotRunning;
}

bool ProgramProcess::waitForEnd(int timeoutMs) {
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
}

void ProgramProcess::kill() {
    process_.kill();
    process_.waitForFinished(5000);
}

QString ProgramProcess::readErrors() const {
    QFile file(errorFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString ProgramProcess::sanitizerReport() const {
    const QString errors = readErrors();
    qsizetype first = -1;
    for (const char *marker : ReportMarkers) {
        const qsizetype at = errors.indexOf(QLatin1String(marker));
        if (at >= 0 && (first < 0 || at < first))
            first = at;
    }
    if (first < 0)
        return {};
    const qsizetype lineStart = errors.lastIndexOf(u'\n', first) + 1;
    return errors.mid(lineStart, MaxReportChars);
}

QString ProgramProcess::errorTail(int lines) const {
    const QStringList all = readErrors().split(u'\n');
    return all.mid(qMax(0, int(all.size()) - lines)).join(u'\n');
}

QString ProgramProcess::endProblem() {
    const QString report = sanitizerReport();
    const bool crashed = process_.exitStatus() == QProcess::CrashExit;
    if (!crashed && process_.exitCode() != 0 && report.isEmpty() &&
        readErrors().contains(QLatin1String(LeakCheckFailed))) {
        ++endsUnchecked_;
        return {};
    }
    QString problem;
    if (crashed)
        problem = QStringLiteral("the program crashed (%1)").arg(process_.errorString());
    else if (process_.exitCode() != 0)
        problem = QStringLiteral("the program exited with status %1").arg(process_.exitCode());
    if (!report.isEmpty())
        problem += (problem.isEmpty() ? QString() : QStringLiteral("; ")) +
                   QStringLiteral("a sanitizer reported:\n") + report;
    else if (!problem.isEmpty())
        problem += QStringLiteral("; its last output:\n") + errorTail(30);
    return problem;
}

ProgramProcess::Resident ProgramProcess::resident() const {
    // Counted from the page tables at the time of asking; the figure in
    // "status" is the kernel's running count, brought up to date now and then.
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid()));
    if (pid() <= 0 || !rollup.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(rollup.readAll());
    const auto field = [&text](const char *name) -> qint64 {
        const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB").arg(QLatin1String(name)),
                                      QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(text);
        return match.hasMatch() ? match.captured(1).toLongLong() : -1;
    };
    return {field("Rss"), field("Anonymous")};
}

bool ProgramProcess::hasMapped(QStringView library) const {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid()));
    return pid() > 0 && maps.open(QIODevice::ReadOnly) &&
           QString::fromLocal8Bit(maps.readAll()).contains(library);
}

int ProgramProcess::pagesOpened() const {
    QFile pages(scratch_.filePath(QStringLiteral("pages")));
    if (!pages.open(QIODevice::ReadOnly))
        return 0;
    return int(pages.readAll().count('\n'));
}

} // namespace monkey
