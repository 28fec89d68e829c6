// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned frame: its size, where its pieces and caption buttons lie,
// what the buttons do, and which areas move and resize the window.
#include "platform/windowhandles.h"
#include "skin/framedrag.h"
#include "tests/skin_engine/skintestform.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using skin::CaptionButton;

namespace {

// A frame's drag on the window it moves, as a window system without its
// own move and resize would have it (or with them): it records what the
// drag asks of it, and lays the frame out again at each new size. It stands
// at (100, 100) in the frame's size for the stored skin and a client area
// of 400 × 300 with a minimise button.
class RecordingFrame : public skin::FrameDrag::Window {
public:
    QStringList requests;
    int cancels = 0;
    bool windowSystemMoves = false;

    RecordingFrame() { layOut(); }
    QPoint pos() const { return geometry_.topLeft(); }
    QSize size() const { return geometry_.size(); }
    QRect geometry() const { return geometry_; }
    int height() const { return geometry_.height(); }
    QSize minimumSize() const { return {160, 49}; }
    int hitTest(QPoint position) const { return layout_.hitTest(position); }
    QPoint mapToGlobal(QPoint local) const { return geometry_.topLeft() + local; }

protected:
    QRect windowGeometry() const override { return geometry_; }
    QSize smallestSize() const override { return minimumSize(); }
    void moveWindow(const QPoint &topLeft) override { geometry_.moveTopLeft(topLeft); }
    void resizeWindow(const QRect &to) override {
        geometry_ = to;
        layOut();
    }
    bool startSystemMove(const QPoint &) override {
        requests << QStringLiteral("move");
        return windowSystemMoves;
    }
    bool startSystemResize(Qt::Edges edges) override {
        QStringList names;
        if (edges & Qt::LeftEdge)
            names << QStringLiteral("left");
        if (edges & Qt::RightEdge)
            names << QStringLiteral("right");
        if (edges & Qt::TopEdge)
            names << QStringLiteral("top");
        if (edges & Qt::BottomEdge)
            names << QStringLiteral("bottom");
        requests << QStringLiteral("resize ") + names.join(QLatin1Char('+'));
        return windowSystemMoves;
    }
    void cancelSystemMoveResize() override { ++cancels; }
    void buttonClicked(CaptionButton) override {}
    void buttonsChanged() override {}
    void pointerOver(int) override {}

private:
    void layOut() {
        layout_ = skin::FrameGeometry(art_->form(), art_->frameMargins(),
                                      skin::CaptionButtons::of(Qt::WindowMinimizeButtonHint),
                                      geometry_.size());
    }
    std::shared_ptr<const skin::SkinArt> art_ = testing::storedArt();
    skin::FrameGeometry layout_;
    QRect geometry_{QPoint(100, 100), QSize(406, 348)};

public:
    skin::FrameDrag drag{layout_, *this};
};

void sendMouse(QWidget *widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPoint global = widget->mapToGlobal(local);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The same events as the frame passes them to its drag.
void sendMouse(RecordingFrame *frame, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPoint global = frame->mapToGlobal(local);
    if (type == QEvent::MouseButtonPress)
        frame->drag.press(local, global);
    else if (type == QEvent::MouseMove)
        frame->drag.move(local, global, buttons.testFlag(Qt::LeftButton));
    else
        frame->drag.release(local, global);
}

} // namespace

class TestSkinnedFrame : public QObject {
    Q_OBJECT
private slots:
    void outerSizeIsClientPlusMargins() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        skin::SkinnedFrame *frame = form.frame();
        QVERIFY(frame);
        QVERIFY(frame->isWindow());
        QVERIFY(frame->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form.window()->parentWidget(), frame);
        QCOMPARE(form.window()->geometry(), QRect(3, 24, 400, 300));
        QCOMPARE(frame->size(), QSize(406, 348));
        QCOMPARE(frame->windowTitle(), QStringLiteral("نافذة"));
        // The window's own icon (this test has no program resources, so
        // no program icon: the frame shows what the window has).
        QCOMPARE(frame->windowIcon().cacheKey(), form.window()->windowIcon().cacheKey());
        // The window's handle now names the frame, and controls stay where
        // the table puts them.
        QCOMPARE(platform::windowFromHandle(form.hWnd()), frame);
        QCOMPARE(form.control("Command1")->geometry(), QRect(10, 10, 80, 30));
        // Centred on the screen by its outer size.
        const QRect screen = frame->screen()->availableGeometry();
        QVERIFY(qAbs(frame->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(frame->geometry().center().y() - screen.center().y()) <= 1);
        // A new title shows in the caption.
        form.window()->setWindowTitle(QStringLiteral("عنوان"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("عنوان"));
    }

    // Where the pieces lie at each size is the geometry's (tst_framegeometry);
    // the frame lays them out again at its new size, the client with them.
    void piecesFollowTheFrameSize() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        skin::SkinnedFrame *frame = form.frame();
        const auto check = [&](int w, int h) {
            QCOMPARE(frame->size(), QSize(w, h));
            QCOMPARE(frame->buttonRect(CaptionButton::Close),
                     QRect(QPoint(w - 24, 0), QSize(15, 24)));
            QCOMPARE(frame->buttonRect(CaptionButton::Minimise),
                     QRect(QPoint(w - 55, 0), QSize(15, 24)));
            QCOMPARE(form.window()->geometry(), QRect(3, 24, w - 6, h - 48));
        };
        check(406, 348);
        frame->resize(400, 300);
        check(400, 300);
        frame->resize(700, 500);
        check(700, 500);
        // Nothing inside is laid out again.
        QCOMPARE(form.control("Command1")->geometry(), QRect(10, 10, 80, 30));
    }

    void captionButtonsFollowTheWindowsOwn() {
        testing::SkinTestForm minimisable(testing::MinimisableSpec);
        minimisable.Show();
        QVERIFY(minimisable.frame()->hasButton(CaptionButton::Minimise));
        QVERIFY(!minimisable.frame()->hasButton(CaptionButton::Maximise));
        QVERIFY(minimisable.frame()->buttonRect(CaptionButton::Maximise).isNull());

        testing::SkinTestForm closeOnly(testing::CloseOnlySpec);
        closeOnly.Show();
        skin::SkinnedFrame *frame = closeOnly.frame();
        QVERIFY(!frame->hasButton(CaptionButton::Minimise));
        QVERIFY(frame->buttonRect(CaptionButton::Minimise).isNull());
        QVERIFY(frame->hasButton(CaptionButton::Close));
    }

    // A window opened and closed again and again leaves none of its
    // pictures behind: they go with its art.
    void closeButtonClosesAndUnloads() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        QPointer<skin::SkinnedFrame> frame = form.frame();
        const HWND handle = form.hWnd();
        QSignalSpy unloaded(&form, &platform::Form::unloaded);
        testing::grabImage(frame);
        QVERIFY(frame->art().cachedPictures() > 0);
        const std::weak_ptr<const skin::SkinArt> art = frame->art().weak_from_this();
        QVERIFY(!art.expired());
        QTest::mouseClick(frame, Qt::LeftButton, {},
                          frame->buttonRect(CaptionButton::Close).center());
        QTRY_VERIFY(frame.isNull());
        QVERIFY(!form.isLoaded());
        QCOMPARE(unloaded.size(), 1);
        QVERIFY(art.expired());
        QVERIFY_THROWS_EXCEPTION(platform::RuntimeError, platform::windowFromHandle(handle));
        // Loaded afresh, skinned again.
        form.Show();
        QVERIFY(form.frame());
        QCOMPARE(form.frame()->size(), QSize(406, 348));
    }

    void closingTheClientClosesTheFrame() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        QPointer<skin::SkinnedFrame> frame = form.frame();
        form.window()->close();
        QTRY_VERIFY(frame.isNull());
        QVERIFY(!form.isLoaded());
    }

    void minimiseButtonMinimises() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        skin::SkinnedFrame *frame = form.frame();
        QTest::mouseClick(frame, Qt::LeftButton, {},
                          frame->buttonRect(CaptionButton::Minimise).center());
        QTRY_VERIFY(frame->isMinimized());
        QVERIFY(form.isLoaded());
    }

    void buttonShowsPressedWhileHeldAndActsOnlyOnRelease() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        skin::SkinnedFrame *frame = form.frame();
        const QRect close = frame->buttonRect(CaptionButton::Close);
        const QImage normal = testing::grabImage(frame).copy(close);
        QTest::mousePress(frame, Qt::LeftButton, {}, close.center());
        const QImage held = testing::grabImage(frame).copy(close);
        QVERIFY(held != normal);
        // Darker while held.
        QVERIFY(QColor(held.pixel(3, 3)).value() < QColor(normal.pixel(2, 2)).value());
        // Let go elsewhere: back to normal, and the window stays.
        sendMouse(frame, QEvent::MouseMove, QPoint(100, 100), Qt::LeftButton);
        QCOMPARE(testing::grabImage(frame).copy(close), normal);
        sendMouse(frame, QEvent::MouseButtonRelease, QPoint(100, 100), Qt::NoButton);
        QTest::qWait(20);
        QVERIFY(form.isLoaded());
        QVERIFY(!frame->isMinimized());
    }

    void systemMenuHoldsMinimiseWhereAllowedAndClose() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        skin::SkinnedFrame *frame = form.frame();
        QTest::mousePress(frame, Qt::LeftButton, {},
                          frame->buttonRect(CaptionButton::SystemMenu).center());
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QStringList texts;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                texts << action->text();
        QCOMPARE(texts, QStringList({QStringLiteral("تصغير"), QStringLiteral("إغلاق")}));
        menu->actions().constLast()->trigger();
        QTRY_VERIFY(!form.isLoaded());

        testing::SkinTestForm closeOnly(testing::CloseOnlySpec);
        closeOnly.Show();
        QMenu *other = closeOnly.frame()->systemMenu();
        QCOMPARE(other->actions().size(), 1);
        QCOMPARE(other->actions().constFirst()->text(), QStringLiteral("إغلاق"));
    }

    void areasAskForTheirMoveOrResize_data() {
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<int>("hit");
        QTest::addColumn<QString>("request");
        // Frame 406 × 348.
        QTest::newRow("caption") << QPoint(200, 10) << int(skin::HtCaption) << "move";
        QTest::newRow("caption's left end") << QPoint(2, 2) << int(skin::HtCaption) << "move";
        QTest::newRow("left border") << QPoint(1, 150) << int(skin::HtLeft) << "resize left";
        QTest::newRow("right border") << QPoint(404, 150) << int(skin::HtRight) << "resize right";
        QTest::newRow("bottom") << QPoint(100, 340) << int(skin::HtBottom) << "resize bottom";
        QTest::newRow("bottom left")
            << QPoint(5, 340) << int(skin::HtBottomLeft) << "resize left+bottom";
        // The skin makes its bottom right piece a caption.
        QTest::newRow("bottom right") << QPoint(380, 340) << int(skin::HtCaption) << "move";
        QTest::newRow("close button") << QPoint(390, 12) << int(skin::HtClose) << "";
        QTest::newRow("client") << QPoint(200, 200) << int(skin::HtClient) << "";
    }
    void areasAskForTheirMoveOrResize() {
        QFETCH(QPoint, where);
        QFETCH(int, hit);
        QFETCH(QString, request);
        RecordingFrame frame;
        frame.windowSystemMoves = true;
        QCOMPARE(frame.size(), QSize(406, 348));
        QCOMPARE(frame.hitTest(where), hit);
        // A click starts no move, which would take its release; a resize
        // starts at the press.
        sendMouse(&frame, QEvent::MouseButtonPress, where, Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseButtonRelease, where, Qt::NoButton);
        QCOMPARE(frame.requests.join(QLatin1Char(',')),
                 request.startsWith(QLatin1String("resize")) ? request : QString());
        QCOMPARE(frame.cancels, int(frame.requests.size()));
        frame.requests.clear();
        frame.cancels = 0;
        // A move starts once the pointer has gone the drag distance.
        const QPoint step(QApplication::startDragDistance() - 1, 0);
        sendMouse(&frame, QEvent::MouseButtonPress, where, Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseMove, where + step, Qt::LeftButton);
        QCOMPARE(frame.requests.join(QLatin1Char(',')),
                 request.startsWith(QLatin1String("resize")) ? request : QString());
        const QPoint start = frame.pos();
        sendMouse(&frame, QEvent::MouseMove, where + step * 2, Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseButtonRelease, where + step * 2, Qt::NoButton);
        QCOMPARE(frame.requests.join(QLatin1Char(',')), request);
        // A window system that moves takes the release: each one that reached
        // the frame came before the move began, which is then called off, and
        // the window stays where the release left it.
        QCOMPARE(frame.cancels, int(frame.requests.size()));
        if (request == QLatin1String("move"))
            QCOMPARE(frame.pos(), start + step * 2);
    }

    void movesAndResizesByHandWhereTheWindowSystemWillNot() {
        RecordingFrame frame;
        const QPoint start = frame.pos();
        sendMouse(&frame, QEvent::MouseButtonPress, QPoint(200, 10), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseMove, QPoint(230, 50), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseButtonRelease, QPoint(230, 50), Qt::NoButton);
        QCOMPARE(frame.requests, QStringList{QStringLiteral("move")});
        QCOMPARE(frame.pos(), start + QPoint(30, 40));

        // Right border 50 to the right: wider.
        sendMouse(&frame, QEvent::MouseButtonPress, QPoint(404, 150), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseMove, QPoint(454, 150), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseButtonRelease, QPoint(454, 150), Qt::NoButton);
        QCOMPARE(frame.size(), QSize(456, 348));

        // Bottom left corner 20 left and 30 down: the right edge stays.
        const int right = frame.geometry().right();
        sendMouse(&frame, QEvent::MouseButtonPress, QPoint(5, 340), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseMove, QPoint(-15, 370), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseButtonRelease, QPoint(-15, 370), Qt::NoButton);
        QCOMPARE(frame.size(), QSize(476, 378));
        QCOMPARE(frame.geometry().right(), right);

        // Never smaller than the skin allows.
        sendMouse(&frame, QEvent::MouseButtonPress, QPoint(100, 370), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseMove, QPoint(100, -500), Qt::LeftButton);
        sendMouse(&frame, QEvent::MouseButtonRelease, QPoint(100, -500), Qt::NoButton);
        QCOMPARE(frame.height(), frame.minimumSize().height());
    }

    // The frame itself hands its drag the events, and lays its pieces and
    // client out again at each size it gets: by hand here, with no window
    // manager. It is never smaller than the skin allows.
    void theFrameFollowsItsDrag() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        skin::SkinnedFrame *frame = form.frame();
        sendMouse(frame, QEvent::MouseButtonPress, QPoint(404, 150), Qt::LeftButton);
        sendMouse(frame, QEvent::MouseMove, QPoint(454, 150), Qt::LeftButton);
        sendMouse(frame, QEvent::MouseButtonRelease, QPoint(454, 150), Qt::NoButton);
        QCOMPARE(frame->size(), QSize(456, 348));
        QCOMPARE(frame->client()->size(), QSize(450, 300));
        QCOMPARE(frame->buttonRect(CaptionButton::Close).left(), 456 - 24);
        QCOMPARE(frame->minimumSize(), RecordingFrame().minimumSize());
        QVERIFY(frame->minimumHeight() > 48);
    }
};

QTEST_MAIN(TestSkinnedFrame)
#include "tst_skinnedframe.moc"
