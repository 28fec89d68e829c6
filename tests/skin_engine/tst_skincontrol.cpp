// SPDX-License-Identifier: GPL-3.0-or-later
// The skin control's late-bound apply, its failures, and the skin label.
#include "platform/controls.h"
#include "platform/runtimeerror.h"
#include "platform/windowhandles.h"
#include "skin/skinlabel.h"
#include "skin/skinstyle.h"
#include "tests/skin_engine/skintestform.h"
#include "tests/support/fakes.h"
#include "tests/support/programtexts.h"
#include "tests/support/runtimeerrors.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>

using platform::InvokeKind;
using platform::Variant;

class TestSkinControl : public QObject {
    Q_OBJECT
private slots:
    void controlIsInvisibleAndTakesNoRoom() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        auto *control = form.control<skin::SkinControl>("Skin1");
        QVERIFY(control);
        QVERIFY(!control->isVisible());
        QCOMPARE(control->size(), QSize(0, 0));
        QCOMPARE(control->stream().size(), skin::StoredSkinSize);
        QVERIFY(!form.tabOrder().contains(control));
    }

    void applyIsTheOnlyMember() {
        QWidget window;
        const auto handle = static_cast<qint32>(platform::handleOf(&window));
        skin::SkinControl control(skin::storedSkinStream(1), nullptr);
        QCOMPARE(testing::errorNumberOf(
                     [&] { control.Invoke(0x60020005, InvokeKind::Method, {Variant(handle)}); }),
                 platform::errors::ObjectDoesntSupport);
        QCOMPARE(testing::errorNumberOf(
                     [&] { control.Invoke(0, InvokeKind::Method, {Variant(handle)}); }),
                 platform::errors::ObjectDoesntSupport);
        QCOMPARE(testing::errorNumberOf([&] {
                     control.Invoke(skin::SkinControl::DispidApply, InvokeKind::PropertyPut,
                                    {Variant(handle)});
                 }),
                 platform::errors::ObjectDoesntSupport);
        // Nothing was applied by the failed calls.
        QCOMPARE(window.window(), &window);
    }

    void applyChecksItsArgument() {
        auto *window = new QWidget;
        const auto handle = static_cast<qint32>(platform::handleOf(window));
        skin::SkinControl control(skin::storedSkinStream(1), nullptr);
        const auto apply = [&](QList<Variant> arguments) {
            return testing::errorNumberOf([&] {
                control.Invoke(skin::SkinControl::DispidApply, InvokeKind::Method, arguments);
            });
        };
        QCOMPARE(apply({}), platform::errors::WrongNumberOfArguments);
        QCOMPARE(apply({Variant(handle), Variant(handle)}),
                 platform::errors::WrongNumberOfArguments);
        QCOMPARE(apply({Variant(QString::number(handle))}), platform::errors::TypeMismatch);
        QCOMPARE(apply({Variant()}), platform::errors::TypeMismatch);
        QCOMPARE(window->window(), window);
        // The right call goes through.
        QCOMPARE(apply({Variant(handle)}), 0);
        QVERIFY(qobject_cast<skin::SkinnedFrame *>(window->window()));
        delete window->window(); // the frame took the window in
    }

    void staleOrUnknownHandleRaises() {
        skin::SkinControl control(skin::storedSkinStream(1), nullptr);
        auto *window = new QWidget;
        const auto handle = static_cast<qint32>(platform::handleOf(window));
        delete window;
        const auto apply = [&](qint32 h) {
            return testing::errorNumberOf([&] {
                control.Invoke(skin::SkinControl::DispidApply, InvokeKind::Method, {Variant(h)});
            });
        };
        QCOMPARE(apply(handle), platform::errors::InvalidWindowHandle);
        QCOMPARE(apply(0), platform::errors::InvalidWindowHandle);
        QCOMPARE(apply(0x7FFFFFF0), platform::errors::InvalidWindowHandle);
    }

    // A skin that cannot be applied: the error box, and a working window.
    void brokenSkinLeavesTheWindowWorkingUnskinned_data() {
        QTest::addColumn<QByteArray>("stream");
        const QByteArray stored = skin::storedSkinStream(1);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut short") << stored.left(stored.size() / 2);
        QTest::newRow("one byte too many") << stored + '\0';
        QByteArray noForm = stored;
        // The root's first child is named "Form"; call it "Xorm".
        const qsizetype at = noForm.indexOf(QByteArray("F\0o\0r\0m\0\0\0", 10));
        QVERIFY(at > 0);
        noForm[at] = 'X';
        QTest::newRow("no window element") << noForm;
    }
    void brokenSkinLeavesTheWindowWorkingUnskinned() {
        QFETCH(QByteArray, stream);
        testing::RecordingMessageBox box;
        platform::Service<platform::MessageBoxService>::Fake fake(box);
        testing::SkinTestForm form(testing::MinimisableSpec, stream);
        form.Show();
        QCOMPARE(box.calls.size(), 1);
        QVERIFY2(box.calls[0].prompt.contains(QStringLiteral("skin")),
                 qPrintable(box.calls[0].prompt));
        QVERIFY(form.isLoaded());
        QCOMPARE(form.topLevel(), form.window());
        QVERIFY(form.window()->isVisible());
        QCOMPARE(form.window()->size(), QSize(400, 300));
        QVERIFY(!qobject_cast<const skin::SkinStyle *>(form.control("Command1")->style()));
        QSignalSpy clicked(form.control<QPushButton>("Command1"), &QPushButton::clicked);
        QTest::mouseClick(form.control("Command1"), Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
    }

    void himetricIsTwipsToTheNearestUnit() {
        QCOMPARE(skin::himetricFromTwips(1815), 3201);
        QCOMPARE(skin::himetricFromTwips(255), 450);
        QCOMPARE(skin::himetricFromTwips(6735), 11880);
        QCOMPARE(skin::himetricFromTwips(375), 661);
        QCOMPARE(skin::himetricFromTwips(6975), 12303);
        QCOMPARE(skin::himetricFromTwips(5175), 9128);
        QCOMPARE(skin::himetricFromTwips(0), 0);
        QCOMPARE(skin::himetricFromTwips(-1815), -3201);
    }

    void labelKeepsItsSettingsAndDrawsItsCaption() {
        const QString caption = QStringLiteral("█");
        skin::SkinLabelSettings settings;
        settings.extentWidth = skin::himetricFromTwips(1815);
        settings.extentHeight = skin::himetricFromTwips(255);
        settings.caption = caption;
        settings.font = {"MS Sans Serif", 8.25, 400, 178};
        settings.fifth = 1;
        settings.sixth = 1;
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        auto *label = new skin::SkinLabel(settings, form.control("Frame1"));
        label->setGeometry(10, 40, 120, 17);
        label->setStyle(const_cast<skin::SkinStyle *>(form.frame()->skinStyle()));
        label->show();

        QCOMPARE(label->settings().first, -1);
        QCOMPARE(label->settings().extentWidth, 3201);
        QCOMPARE(label->settings().extentHeight, 450);
        QCOMPARE(label->settings().caption, caption);
        QCOMPARE(label->settings().font.points, 8.25);
        QCOMPARE(label->settings().fifth, 1);
        QCOMPARE(label->settings().sixth, 1);
        QCOMPARE(label->captionAlignment(), Qt::AlignRight | Qt::AlignVCenter);

        // "Label" draws black text with no fill of its own: the caption's
        // block is black at the right end, the frame's inside shows at the
        // left, as it does beside the label.
        const QImage frame = testing::grabImage(form.control("Frame1"));
        QCOMPARE(QColor(frame.pixel(10 + 120 - 3, 40 + 8)), QColor(Qt::black));
        QCOMPARE(frame.pixel(10 + 2, 40 + 8), frame.pixel(5, 48));
        QVERIFY(QColor(frame.pixel(10 + 2, 40 + 8)) != QColor(Qt::black));
    }

    // A control that leaves the skin's style leaves its look too: the
    // hover that lights a button, a picture box's white.
    void controlsLeavingTheSkinLoseItsLook() {
        testing::SkinTestForm form(testing::MinimisableSpec);
        form.Show();
        auto *skinStyle = const_cast<skin::SkinStyle *>(form.frame()->skinStyle());
        auto *button = form.control<QPushButton>("Command1");
        platform::PictureBox box(form.window());
        box.setStyle(skinStyle);
        box.ensurePolished();
        QVERIFY(button->testAttribute(Qt::WA_Hover));
        QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));

        const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Windows")));
        QVERIFY(plain);
        button->setStyle(plain.get());
        box.setStyle(plain.get());
        QVERIFY(!button->testAttribute(Qt::WA_Hover));
        QVERIFY(!box.testAttribute(Qt::WA_SetPalette));
        QCOMPARE(box.palette().window(), form.window()->palette().window());
        button->setStyle(skinStyle);
        box.setStyle(skinStyle);
    }

    // A caption wider than its label is drawn smaller, whole; one that just
    // fits keeps the stored font. The stored settings never change. Widths
    // are measured, not assumed: without the program's bundled font the
    // caption is drawn in the system's fallback face, whose width differs
    // from one system to another.
    void longCaptionsShrinkToFit() {
        skin::SkinLabelSettings settings;
        settings.caption = QString::fromUtf8(testing::SongLabelCaption);
        settings.font = {"Times New Roman", 12.75, 700, 178};
        skin::SkinLabel label(settings, nullptr);
        const auto advance = [&](const QFont &font) {
            return QFontMetrics(font).horizontalAdvance(settings.caption);
        };
        const int stored = advance(label.font());
        label.resize(stored * 2 / 3, 25);
        const QFont fitted = label.fittedFont();
        QVERIFY(fitted.pointSizeF() < 12.75);
        QVERIFY(fitted.pointSizeF() >= 12.75 * 0.6);
        QVERIFY(advance(fitted) <= label.width());
        QCOMPARE(label.settings().font.points, 12.75);

        label.resize(stored, 25);
        QCOMPARE(label.fittedFont().pointSizeF(), 12.75);
        // Measured again in a new font.
        QFont smaller = label.font();
        smaller.setPointSizeF(10);
        label.setFont(smaller);
        QCOMPARE(label.fittedFont().pointSizeF(), 10.0);
    }
};

QTEST_MAIN(TestSkinControl)
#include "tst_skincontrol.moc"
