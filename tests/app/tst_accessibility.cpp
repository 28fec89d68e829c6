// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology finds in the three windows, and the main window
// driven by the keyboard alone.
#include "app/form1.h"
#include "app/letters.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "platform/media/mediaplayer.h"
#include "platform/media/videosurface.h"
#include "tests/support/fakes.h"
#include "tests/support/programtexts.h"
#include "tests/support/programwindows.h"
#include "tests/support/shellfakes.h"
#include "windows/form2.h"
#include "windows/form3.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text kind) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QString();
}
QString nameOf(QWidget *widget) {
    return accessibleText(widget, QAccessible::Name);
}
QString descriptionOf(QWidget *widget) {
    return accessibleText(widget, QAccessible::Description);
}

// Every name in the accessible tree under an interface.
void collectNames(QAccessibleInterface *face, QStringList &names) {
    if (!face)
        return;
    names.append(face->text(QAccessible::Name));
    for (int i = 0; i < face->childCount(); ++i)
        collectNames(face->child(i), names);
}

struct LetterName {
    const char *button;
    const char *name;
};

// Each letter button's name, in alphabet order.
const LetterName LetterNames[] = {
    {"Command15", "ألف"}, {"Command16", "باء"}, {"Command17", "تاء"}, {"Command1", "ثاء"},
    {"Command2", "جيم"},  {"Command3", "حاء"},  {"Command4", "خاء"},  {"Command5", "دال"},
    {"Command6", "ذال"},  {"Command7", "راء"},  {"Command8", "زاي"},  {"Command27", "سين"},
    {"Command26", "شين"}, {"Command25", "صاد"}, {"Command24", "ضاد"}, {"Command23", "طاء"},
    {"Command22", "ظاء"}, {"Command20", "عين"}, {"Command19", "غين"}, {"Command18", "فاء"},
    {"Command9", "قاف"},  {"Command31", "كاف"}, {"Command30", "لام"}, {"Command29", "ميم"},
    {"Command28", "نون"}, {"Command32", "هاء"}, {"Command33", "واو"}, {"Command21", "ياء"},
};

using testing::Effect;

// What a key on a focused control of the main window does.
Effect effectOf(const char *control) {
    if (app::letterForButton(control))
        return Effect::Sound;
    const testing::Command *command = testing::commandNamed(control);
    return command ? command->effect : Effect::Nothing;
}

// The platform services a key press may reach, all recording, for one test.
struct RecordingServices : testing::LessonServices {
    RecordingServices() : LessonServices(QStringLiteral(SNOMEL_PROGRAM_DIR)) {}
    testing::RecordingShell shell;
    testing::RecordingTray tray;
    platform::Service<platform::Shell>::Fake shellFake{shell};
    platform::Service<platform::NotificationArea>::Fake trayFake{tray};
};

template <class Window> Window *secondaryWindow(const app::Form1 &form) {
    return form.findChild<Window *>(QString(), Qt::FindDirectChildrenOnly);
}

template <class Window> bool isShowing(const app::Form1 &form) {
    const Window *window = secondaryWindow<Window>(form);
    return window && window->isLoaded() && window->topLevel()->isVisible();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { app::prepareApplication(*qApp); }

    void letterButtonsSayTheLetterName() {
        app::Form1 form;
        form.Show();
        QCOMPARE(std::size(LetterNames), app::Letters.size());
        for (const LetterName &letter : LetterNames) {
            QWidget *button = form.control(letter.button);
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(button);
            QVERIFY(face);
            QCOMPARE(face->role(), QAccessible::Button);
            QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(letter.name));
            // The description tells what the button does, with the name.
            const QString description = face->text(QAccessible::Description);
            QVERIFY2(description.contains(QString::fromUtf8(letter.name)), letter.button);
            QVERIFY(description.size() > face->text(QAccessible::Name).size());
        }
    }

    void commandButtonsSayCaptionAndTooltip() {
        app::Form1 form;
        form.Show();
        for (const testing::Command &command : testing::Commands) {
            QWidget *button = form.control(command.name);
            QCOMPARE(nameOf(button), QString::fromUtf8(command.caption));
            QCOMPARE(descriptionOf(button), QString::fromUtf8(command.description));
        }
    }

    void pictureAreaIsNamed() {
        app::Form1 form;
        form.Show();
        QCOMPARE(nameOf(form.control("Pic1")), QStringLiteral("صورة الحرف"));
        QVERIFY(!descriptionOf(form.control("Pic1")).isEmpty());
        QVERIFY(!nameOf(form.control("Img1")).isEmpty());
        // A letter shown changes nothing of it.
        RecordingServices services;
        QTest::mouseClick(form.control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(services.sound.calls.size(), 1);
        QCOMPARE(nameOf(form.control("Pic1")), QStringLiteral("صورة الحرف"));
    }

    // In each window every control but the invisible skin control has a
    // name of its own, and every one the user acts on a description; all
    // of them are found in the window's accessible tree.
    void everyControlOfEveryWindowIsDescribed_data() { testing::addWindowRows(); }
    void everyControlOfEveryWindowIsDescribed() {
        QFETCH(QByteArray, window);
        app::Form1 main;
        main.Show();
        const std::unique_ptr<platform::Form> other =
            window == "Form1" ? nullptr : testing::makeWindow(window);
        platform::Form &form = other ? *other : main;
        form.Show();

        // The window itself: a window named by its caption (atspi_windows
        // reads the same through a real client).
        QAccessibleInterface *top = QAccessible::queryAccessibleInterface(form.topLevel());
        QCOMPARE(top->role(), QAccessible::Window);
        QCOMPARE(top->text(QAccessible::Name), QString::fromUtf8(form.layout().caption));
        QStringList treeNames;
        collectNames(top, treeNames);
        QStringList names;
        for (const platform::ControlSpec &row : form.layout().controls) {
            if (row.kind == platform::ControlKind::Custom && row.width == 0)
                continue; // the skin control: no size, nothing shown
            QWidget *control = form.control(row.name);
            const QString name = nameOf(control);
            QVERIFY2(!name.isEmpty(), row.name);
            QVERIFY2(!names.contains(name), qPrintable(name));
            QVERIFY2(treeNames.contains(name), qPrintable(name));
            names.append(name);
            const bool actedOn = row.kind == platform::ControlKind::PushButton ||
                                 row.kind == platform::ControlKind::PictureBox ||
                                 qobject_cast<platform::MediaPlayer *>(control);
            if (actedOn)
                QVERIFY2(!descriptionOf(control).isEmpty(), row.name);
        }
    }

    void playerControlsAreDescribed() {
        windows::Form3 form;
        form.Show();
        auto *player = form.control<platform::MediaPlayer>("MediaPlayer1");
        QCOMPARE(nameOf(player), QStringLiteral("مشغل نشيد الحروف"));
        // Its tooltip, which tells the child to double-click.
        QCOMPARE(descriptionOf(player), player->toolTip());
        QVERIFY(!player->toolTip().isEmpty());

        QVERIFY(!nameOf(player->surface()).isEmpty());
        QVERIFY(!descriptionOf(player->surface()).isEmpty());
        const QList<QToolButton *> buttons = player->controlBar()->findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 3);
        for (QToolButton *button : buttons) {
            // Called by what the button does now.
            QCOMPARE(nameOf(button), button->defaultAction()->text());
            QVERIFY(!descriptionOf(button).isEmpty());
            QVERIFY(descriptionOf(button) != nameOf(button));
        }
        const QList<QSlider *> sliders = player->controlBar()->findChildren<QSlider *>();
        QCOMPARE(sliders.size(), 2);
        for (QSlider *slider : sliders) {
            QVERIFY(!nameOf(slider).isEmpty());
            QVERIFY(!descriptionOf(slider).isEmpty());
        }
        for (QLabel *label : player->controlBar()->findChildren<QLabel *>())
            QVERIFY(!descriptionOf(label).isEmpty());
        // The state label reads out the state as it changes.
        auto *state = player->controlBar()->findChild<QLabel *>(QStringLiteral("stateText"));
        QCOMPARE(nameOf(state), player->stateText());

        // The mute button's name is its action's; muting keeps it a button
        // that says so.
        QToolButton *mute = *std::find_if(buttons.begin(), buttons.end(), [player](auto *b) {
            return b->defaultAction() == player->muteAction();
        });
        player->muteAction()->trigger();
        QVERIFY(player->isMuted());
        QCOMPARE(nameOf(mute), player->muteAction()->text());
    }

    // Shift+Tab walks the tab indexes backwards, from 1 round to 35.
    void shiftTabWalksBackwards() {
        RecordingServices services;
        app::Form1 form;
        form.Show();
        form.topLevel()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.topLevel()));
        QCOMPARE(QApplication::focusWidget(), form.control("Command1"));
        const int stops = static_cast<int>(std::size(testing::TabOrder));
        for (int step = 1; step <= stops; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            const char *expected = testing::TabOrder[(stops - step) % stops];
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(expected));
        }
        QVERIFY(services.sound.calls.isEmpty());
    }

    // Each control is reached by Tab alone, in its place of the tab order,
    // and Space or Enter on it runs its handler.
    void keyboardReachesAndOperatesEveryCommand_data() {
        QTest::addColumn<int>("tabIndex");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const struct {
            const char *name;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
        } keys[] = {{"Space", Qt::Key_Space, Qt::NoModifier},
                    {"Return", Qt::Key_Return, Qt::NoModifier}};
        for (const auto &key : keys)
            for (int index = 1; index <= static_cast<int>(std::size(testing::TabOrder)); ++index)
                QTest::addRow("%s %s", testing::TabOrder[index - 1], key.name)
                    << index << int(key.key) << int(key.modifiers);
        QTest::addRow("Command1 keypad Enter")
            << 1 << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void keyboardReachesAndOperatesEveryCommand() {
        QFETCH(int, tabIndex);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const char *control = testing::TabOrder[tabIndex - 1];
        const Effect effect = effectOf(control);
        RecordingServices services;
        app::Form1 form;
        form.Show();
        form.topLevel()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.topLevel()));

        for (int step = 1; step < tabIndex; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        QCOMPARE(focused->objectName(), QString::fromLatin1(control));

        QTest::keyClick(focused, static_cast<Qt::Key>(key),
                        static_cast<Qt::KeyboardModifiers>(modifiers));

        const qsizetype sounds = services.sound.calls.size();
        const qsizetype pages = services.shell.calls.size();
        const qsizetype boxes = services.box.calls.size();
        switch (effect) {
        case Effect::Sound: {
            const app::Letter *letter = app::letterForButton(control);
            QCOMPARE(sounds, 1);
            QVERIFY(services.sound.calls[0].name.endsWith(QByteArray(letter->stem) + ".wav"));
            // The picture came first, from the same lesson.
            QVERIFY(!form.control<platform::ImageControl>("Img1")->picture().isNull());
            break;
        }
        case Effect::Page:
            QCOMPARE(pages, 1);
            QCOMPARE(services.shell.calls[0].file,
                     QByteArray(testing::commandNamed(control)->page));
            break;
        case Effect::About:
            QVERIFY(isShowing<windows::Form2>(form));
            break;
        case Effect::Song:
            QVERIFY(isShowing<windows::Form3>(form));
            break;
        case Effect::Farewell:
            QCOMPARE(boxes, 1);
            QVERIFY(!form.topLevel()->isVisible()); // the program ended
            break;
        case Effect::Nothing:
            QVERIFY(!isShowing<windows::Form2>(form) && !isShowing<windows::Form3>(form));
            break;
        }
        QCOMPARE(sounds, effect == Effect::Sound ? 1 : 0);
        QCOMPARE(pages, effect == Effect::Page ? 1 : 0);
        QCOMPARE(boxes, effect == Effect::Farewell ? 1 : 0);
        if (effect != Effect::About)
            QVERIFY(!isShowing<windows::Form2>(form));
        if (effect != Effect::Song)
            QVERIFY(!isShowing<windows::Form3>(form));
    }

    // After a secondary window closes, the keyboard carries on in the main
    // window from the command that opened it.
    void focusComesBackAfterAWindowCloses() {
        RecordingServices services;
        app::Form1 form;
        form.Show();
        form.topLevel()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.topLevel()));
        for (int step = 1; step < 10; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.control("Command10"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(isShowing<windows::Form2>(form));
        secondaryWindow<windows::Form2>(form)->topLevel()->close();
        form.topLevel()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.topLevel()));
        QCOMPARE(QApplication::focusWidget(), form.control("Command10"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(services.shell.calls.size(), 1);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
