// SPDX-License-Identifier: GPL-3.0-or-later
// The media player control in a web page: the page's own <video> element,
// laid over the control's place on the page (snomelPage's players). The
// control itself is the black surface under it.
#pragma once

#include "platform/dispatch.h"
#include "platform/mediaplayersettings.h"

#include <QString>
#include <QTimer>
#include <QWidget>

namespace platform {

// Takes its media late-bound through its URL property, and plays it as the
// stored settings say: with the browser's own playback controls when
// uiMode shows controls, at the stored volume, rate and start position,
// playCount times, started at once when autoStart is set, a video smaller
// than the player not enlarged unless stretchToFit. A file the browser
// cannot play is played from its twin beside it, of the same name with a
// browser's own extension (".webm", ".mp4"), when there is one; a file
// with neither plays nothing and shows nothing of its own.
// The element follows the control: shown while it is, at its place,
// clipped by its containers, and kept out of the way of another window
// that lies over it while that one is active.
class VideoElementPlayer final : public QWidget, public Dispatch {
    Q_OBJECT
public:
    explicit VideoElementPlayer(const MediaPlayerSettings &settings, QWidget *parent = nullptr);
    ~VideoElementPlayer() override;

    // URL (dispatch identifier 1): put takes one string, get returns it.
    Variant Invoke(DISPID dispid, InvokeKind kind, const QList<Variant> &arguments) override;

    // Opens the media named; an empty name closes it. A name with no scheme
    // is a file, resolved against the current folder now.
    void setURL(const QString &url);

    // The page's double-click on the element, in the control's pixels.
    static void doubleClickFromPage(int id, int button, int shiftState, double x, double y);

signals:
    // A double-click on the video: the button (1 left, 2 right, 4 middle),
    // the shift state (1 Shift, 2 Ctrl, 4 Alt) and the position in pixels
    // from the control's top-left corner.
    void doubleClicked(short button, short shiftState, int x, int y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void placeSoon();
    void place();
    bool coveredByAnotherWindow(const QRect &global) const;

    const int id_;
    QString url_;
    QTimer placing_;
};

} // namespace platform
