// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wasm/weblinks.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <emscripten/val.h>

namespace platform {
namespace {

// Opens the address the program asked for, within the press that asked
// for it: a browser opens a tab only while the user's gesture lasts.
class NewTab final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    void open(const QUrl &url) {
        emscripten::val::global("snomelPage").call<void>("openPage", url.toString().toStdString());
    }
};

} // namespace

void openWebPagesInNewTabs() {
    static NewTab tab;
    for (const char *scheme : {"http", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &tab, "open");
}

} // namespace platform

#include "weblinks.moc"
