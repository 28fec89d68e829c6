// SPDX-License-Identifier: GPL-3.0-or-later
// The main window skinned on a real X display with a window manager: it
// shows with the skin's frame and none of the manager's, and moves, resizes,
// minimises and closes by that frame under real pointer input (XTest).
#include "app/form1.h"
#include "app/startup.h"
#include "skin/skinnedframe.h"
#include "tests/desktop/xsession.h"

#include <QApplication>
#include <QTest>

class TestSkinX11 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display with a window manager (scripts/test starts one)");
        QVERIFY2(x_.isOpen() && x_.hasXTest(), "cannot open the X display with XTest");
        app::prepareApplication(*qApp);
    }

    void init() {
        form_ = std::make_unique<app::Form1>();
        form_->Show();
        frame_ = qobject_cast<skin::SkinnedFrame *>(form_->topLevel());
        QVERIFY(frame_);
        QVERIFY(QTest::qWaitForWindowExposed(frame_));
        QVERIFY(QTest::qWaitForWindowActive(frame_));
    }
    void cleanup() {
        form_.reset();
        QTest::qWait(100);
    }

    void showsWithTheSkinsFrameOnly() {
        QCOMPARE(form_->window()->size(), QSize(600, 462));
        QCOMPARE(frame_->size(), QSize(606, 510));
        // The window manager adds nothing around it.
        QTRY_COMPARE(frame_->frameGeometry(), frame_->geometry());
        const QRect screen = frame_->screen()->availableGeometry();
        QVERIFY(qAbs(frame_->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(frame_->geometry().center().y() - screen.center().y()) <= 1);
        // What the screen shows is the frame's drawing: the close glyph.
        const QRect close = frame_->buttonRect(skin::CaptionButton::Close);
        const QImage own = frame_->grab(close).toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint at = frame_->mapToGlobal(close.topLeft());
        const QImage onScreen = frame_->screen()
                                    ->grabWindow(0, at.x(), at.y(), close.width(), close.height())
                                    .toImage()
                                    .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(onScreen, own);
    }

    void dragsByTheCaptionAndTheBorders() {
        const QRect start = frame_->geometry();
        x_.drag(frame_->mapToGlobal(QPoint(300, 10)),
                frame_->mapToGlobal(QPoint(300 - 80, 10 + 50)));
        QTRY_VERIFY((frame_->pos() - (start.topLeft() + QPoint(-80, 50))).manhattanLength() <= 4);
        QCOMPARE(frame_->size(), start.size());

        // The right border, 60 wider: the client area grows with it and the
        // close button keeps its distance from the right edge.
        const QRect moved = frame_->geometry();
        x_.drag(frame_->mapToGlobal(QPoint(frame_->width() - 2, 200)),
                frame_->mapToGlobal(QPoint(frame_->width() - 2 + 60, 200)));
        QTRY_VERIFY(qAbs(frame_->width() - (moved.width() + 60)) <= 4);
        QCOMPARE(frame_->geometry().left(), moved.left());
        QCOMPARE(form_->window()->width(), frame_->width() - 6);
        QCOMPARE(frame_->buttonRect(skin::CaptionButton::Close).right(), frame_->width() - 10);

        // The bottom, 40 taller.
        const int height = frame_->height();
        x_.drag(frame_->mapToGlobal(QPoint(200, frame_->height() - 3)),
                frame_->mapToGlobal(QPoint(200, frame_->height() - 3 + 40)));
        QTRY_VERIFY(qAbs(frame_->height() - (height + 40)) <= 4);
        // Nothing inside moved.
        QCOMPARE(form_->control("Command14")->geometry(), QRect(8, 80, 65, 25));
    }

    // Press, motion and release within a few milliseconds reach the frame
    // once the button is up again: the window goes where it was let go, and
    // no further.
    void aQuickDragEndsWhereItWasLetGo() {
        for (int attempt = 0; attempt < 4; ++attempt) {
            const QPoint start = frame_->pos();
            const QPoint by(attempt % 2 ? 60 : -60, attempt < 2 ? 40 : -40);
            const QPoint from = frame_->mapToGlobal(QPoint(300, 10));
            x_.quickDrag(from, from + by);
            QString why;
            QVERIFY2(x_.staysWhereLetGo(frame_->winId(), start + by, &why),
                     qPrintable(QStringLiteral("attempt %1: %2").arg(attempt).arg(why)));
        }
    }

    void minimiseAndCloseButtonsAct() {
        x_.click(frame_->mapToGlobal(frame_->buttonRect(skin::CaptionButton::Minimise).center()));
        QTRY_VERIFY(frame_->isMinimized());
        form_->Show();
        QTRY_VERIFY(!frame_->isMinimized());
        QVERIFY(QTest::qWaitForWindowExposed(frame_));
        QPointer<skin::SkinnedFrame> frame = frame_;
        x_.click(frame_->mapToGlobal(frame_->buttonRect(skin::CaptionButton::Close).center()));
        QTRY_VERIFY(frame.isNull());
        QVERIFY(!form_->isLoaded());
    }

private:
    monkey::XSession x_;
    std::unique_ptr<app::Form1> form_;
    skin::SkinnedFrame *frame_ = nullptr;
};

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TestSkinX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_skin_x11.moc"
