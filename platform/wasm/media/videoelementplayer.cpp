// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wasm/media/videoelementplayer.h"

#include "platform/mediamodule.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QUrl>
#include <emscripten/bind.h>
#include <emscripten/val.h>

namespace platform {
namespace {

emscripten::val page() {
    return emscripten::val::global("snomelPage");
}

QHash<int, QPointer<VideoElementPlayer>> &players() {
    static QHash<int, QPointer<VideoElementPlayer>> all;
    return all;
}

// The browser's own video files, in the order a twin is looked for.
struct BrowserFormat {
    const char *suffix;
    const char *type;
};
constexpr BrowserFormat BrowserFormats[] = {{"webm", "video/webm"}, {"mp4", "video/mp4"}};

const BrowserFormat *browserFormat(const QString &file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    for (const BrowserFormat &format : BrowserFormats) {
        if (suffix == QLatin1String(format.suffix))
            return &format;
    }
    return nullptr;
}

// The file the element plays for a file name: the file itself in a format
// of the browser's, or its twin.
QString playableFile(const QString &file, const BrowserFormat *&format) {
    format = browserFormat(file);
    if (format)
        return QFileInfo(file).isFile() ? file : QString();
    const QFileInfo named(file);
    for (const BrowserFormat &twin : BrowserFormats) {
        QString twinFile =
            named.dir().filePath(named.completeBaseName() + u'.' + QLatin1String(twin.suffix));
        if (QFileInfo(twinFile).isFile()) {
            format = &twin;
            return twinFile;
        }
    }
    return {};
}

bool hasScheme(const QString &url) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(url).hasMatch();
}

emscripten::val settingsForPage(const MediaPlayerSettings &settings) {
    emscripten::val page = emscripten::val::object();
    const QString mode = settings.uiMode.toLower();
    page.set("controls", settings.enabled && (mode == u"full" || mode == u"mini"));
    page.set("volume", qBound(0, settings.volume, 100) / 100.0);
    page.set("muted", settings.mute);
    page.set("rate", settings.rate);
    page.set("start", settings.currentPosition);
    page.set("playCount", std::max(1, settings.playCount));
    page.set("autoStart", settings.autoStart);
    page.set("stretch", settings.stretchToFit);
    page.set("enabled", settings.enabled);
    page.set("contextMenu", settings.enableContextMenu);
    return page;
}

bool movesOrShows(QEvent::Type type) {
    switch (type) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
    case QEvent::WindowStateChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::ZOrderChange:
    case QEvent::ToolTipChange:
        return true;
    default:
        return false;
    }
}

} // namespace

VideoElementPlayer::VideoElementPlayer(const MediaPlayerSettings &settings, QWidget *parent)
    : QWidget(parent), id_([] {
          static int next = 0;
          return ++next;
      }()) {
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::black));
    placing_.setSingleShot(true);
    placing_.setInterval(0);
    connect(&placing_, &QTimer::timeout, this, &VideoElementPlayer::place);
    players().insert(id_, this);
    page().call<void>("createPlayer", id_, settingsForPage(settings));
    // Any window's moves and stacking can change where the element goes.
    qApp->installEventFilter(this);
    if (!settings.URL.isEmpty())
        setURL(settings.URL);
}

VideoElementPlayer::~VideoElementPlayer() {
    players().remove(id_);
    page().call<void>("destroyPlayer", id_);
}

Variant VideoElementPlayer::Invoke(DISPID dispid, InvokeKind kind,
                                   const QList<Variant> &arguments) {
    return invokeStringProperty(PlayerDispidURL, dispid, kind, arguments, url_,
                                [this](const QString &url) { setURL(url); });
}

void VideoElementPlayer::setURL(const QString &url) {
    url_ = url;
    if (url.isEmpty()) {
        page().call<void>("setPlayerSource", id_, emscripten::val::null(), std::string());
        return;
    }
    if (hasScheme(url) && !url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        page().call<void>("setPlayerAddress", id_, url.toStdString());
        return;
    }
    const QString name = hasScheme(url) ? QUrl(url).toLocalFile() : nativePath(url);
    const BrowserFormat *format = nullptr;
    const QString file = playableFile(QDir::current().absoluteFilePath(name), format);
    QFile media(file);
    if (file.isEmpty() || !media.open(QIODevice::ReadOnly)) {
        page().call<void>("setPlayerSource", id_, emscripten::val::null(), std::string());
        return;
    }
    const QByteArray bytes = media.readAll();
    const emscripten::val view = emscripten::val(emscripten::typed_memory_view(
        static_cast<size_t>(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.data())));
    page().call<void>("setPlayerSource", id_, view, std::string(format->type));
}

void VideoElementPlayer::doubleClickFromPage(int id, int button, int shiftState, double x,
                                             double y) {
    VideoElementPlayer *player = players().value(id);
    if (!player)
        return;
    const Qt::MouseButton pressed = button == 2   ? Qt::RightButton
                                    : button == 4 ? Qt::MiddleButton
                                                  : Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, shiftState & 1);
    modifiers.setFlag(Qt::ControlModifier, shiftState & 2);
    modifiers.setFlag(Qt::AltModifier, shiftState & 4);
    const QPointF local(x, y);
    // Posted as the input it is: it waits, as any input does, while a
    // synchronous sound plays.
    QCoreApplication::postEvent(player, new QMouseEvent(QEvent::MouseButtonDblClick, local,
                                                        player->mapToGlobal(local), pressed,
                                                        pressed, modifiers));
}

void VideoElementPlayer::mouseDoubleClickEvent(QMouseEvent *event) {
    const short button = event->button() == Qt::RightButton    ? 2
                         : event->button() == Qt::MiddleButton ? 4
                                                               : 1;
    short shiftState = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shiftState |= 1;
    if (event->modifiers() & Qt::ControlModifier)
        shiftState |= 2;
    if (event->modifiers() & Qt::AltModifier)
        shiftState |= 4;
    const QPoint at = event->position().toPoint();
    emit doubleClicked(button, shiftState, at.x(), at.y());
}

bool VideoElementPlayer::eventFilter(QObject *watched, QEvent *event) {
    if (watched->isWidgetType() && movesOrShows(event->type()))
        placeSoon();
    return false;
}

// Once the window system's changes of this turn are all in.
void VideoElementPlayer::placeSoon() {
    if (!placing_.isActive())
        placing_.start();
}

void VideoElementPlayer::place() {
    emscripten::val where = emscripten::val::object();
    const QRect shown = visibleRegion().boundingRect();
    const QRect global(mapToGlobal(QPoint(0, 0)), size());
    const bool visible = isVisible() && !window()->isMinimized() && !shown.isEmpty() &&
                         !coveredByAnotherWindow(global);
    where.set("visible", visible);
    where.set("left", global.x() + shown.x());
    where.set("top", global.y() + shown.y());
    where.set("width", shown.width());
    where.set("height", shown.height());
    where.set("videoLeft", -shown.x());
    where.set("videoTop", -shown.y());
    where.set("videoWidth", width());
    where.set("videoHeight", height());
    where.set("title", toolTip().toStdString());
    page().call<void>("placePlayer", id_, where);
}

// An element lies over every window of the page; a window of the program
// over this one while it is active would have it shine through.
bool VideoElementPlayer::coveredByAnotherWindow(const QRect &global) const {
    const QWidget *own = window();
    if (QApplication::activeWindow() == own)
        return false;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [&](const QWidget *other) {
        return other != own && other->isVisible() && other->frameGeometry().intersects(global);
    });
}

} // namespace platform

EMSCRIPTEN_BINDINGS(snomel_video_element_player) {
    emscripten::function("snomelPlayerDoubleClicked",
                         &platform::VideoElementPlayer::doubleClickFromPage);
}
