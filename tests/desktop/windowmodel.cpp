// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/desktop/windowmodel.h"

#include "app/form1.h"
#include "app/form1layout.h"
#include "app/letters.h"
#include "platform/media/mediaplayer.h"
#include "platform/media/videosurface.h"
#include "skin/skinnedframe.h"
#include "tests/support/programtexts.h"
#include "windows/form2.h"
#include "windows/form2layout.h"
#include "windows/form3.h"
#include "windows/form3layout.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMap>
#include <QMessageBox>
#include <QSlider>
#include <QToolButton>
#include <cstring>

namespace monkey {
namespace {

using skin::CaptionButton;
using skin::SkinnedFrame;

// The monkey's role of a main window command, by what the command does.
Role roleOfCommand(testing::Effect effect) {
    using testing::Effect;
    return effect == Effect::About      ? Role::About
           : effect == Effect::Song     ? Role::Song
           : effect == Effect::Page     ? Role::WebPage
           : effect == Effect::Farewell ? Role::Exit
                                        : Role::Inert;
}

Role roleOfControl(WindowKind kind, const char *control) {
    if (kind == WindowKind::Main) {
        if (app::letterForButton(control))
            return Role::Letter;
        if (const testing::Command *command = testing::commandNamed(control))
            return roleOfCommand(command->effect);
    }
    if (kind == WindowKind::About && std::strcmp(control, "Pictuer1") == 0)
        return Role::WebPage; // the picture opens the author's page
    return Role::Inert;
}

QRect rectIn(const QWidget *widget, const QWidget *window) {
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

QString describe(const QWidget *widget) {
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    return QString::fromLatin1(widget->metaObject()->className());
}

// The caption and the borders: every third pixel of the frame's margins
// whose hit-test code moves or resizes the window.
void addFrameTargets(const SkinnedFrame &frame, QList<Target> &targets) {
    static const std::pair<CaptionButton, Role> buttons[] = {
        {CaptionButton::Close, Role::Close},
        {CaptionButton::Minimise, Role::Minimise},
        {CaptionButton::SystemMenu, Role::SystemMenu},
    };
    for (const auto &[button, role] : buttons)
        if (const QRect rect = frame.buttonRect(button); !rect.isNull())
            targets.append({QStringLiteral("caption button %1").arg(int(button)), role, rect});
    const QRect client = frame.client()->geometry();
    for (int y = 0; y < frame.height(); y += 3)
        for (int x = 0; x < frame.width(); x += 3) {
            const QPoint point(x, y);
            if (client.contains(point))
                continue;
            const int hit = frame.hitTest(point);
            if (hit == skin::HtCaption)
                targets.append(
                    {QStringLiteral("caption"), Role::Caption, QRect(point, QSize(1, 1))});
            else if (hit >= skin::HtLeft && hit <= skin::HtBottomRight)
                targets.append({QStringLiteral("border %1").arg(hit), Role::Border,
                                QRect(point, QSize(1, 1))});
        }
}

} // namespace

struct WindowModel::Private {
    app::Form1 form1;
    windows::Form2 form2;
    windows::Form3 form3;
    QMessageBox box;
    QMap<std::pair<int, std::pair<int, int>>, QList<Target>> cache;

    platform::Form *formOf(WindowKind kind) {
        switch (kind) {
        case WindowKind::Main:
            return &form1;
        case WindowKind::About:
            return &form2;
        case WindowKind::Song:
            return &form3;
        default:
            return nullptr;
        }
    }

    QList<Target> build(WindowKind kind, QSize size) {
        QList<Target> targets;
        if (kind == WindowKind::MessageBox) {
            // A box takes the size of its text; its button keeps its place
            // from the bottom corner on the side its buttons lean to.
            const QPoint shift(box.isRightToLeft() ? 0 : size.width() - box.width(),
                               size.height() - box.height());
            const auto *buttons = box.findChild<QDialogButtonBox *>();
            for (const QAbstractButton *button : buttons->buttons())
                targets.append(
                    {QStringLiteral("OK"), Role::OkButton, rectIn(button, &box).translated(shift)});
            return targets;
        }
        platform::Form *form = formOf(kind);
        if (!form)
            return targets;
        auto *frame = qobject_cast<SkinnedFrame *>(form->topLevel());
        frame->resize(size);
        // The player's own controls before the player they lie on.
        if (kind == WindowKind::Song) {
            auto *player = form->control<platform::MediaPlayer>("MediaPlayer1");
            for (const QSlider *slider : player->findChildren<QSlider *>())
                targets.append({describe(slider), Role::Slider, rectIn(slider, frame)});
            for (const QToolButton *button : player->findChildren<QToolButton *>())
                targets.append({describe(button), Role::PlayerButton, rectIn(button, frame)});
            targets.append(
                {QStringLiteral("video"), Role::Player, rectIn(player->surface(), frame)});
        }
        for (const platform::ControlSpec &row : form->layout().controls) {
            const QWidget *control = form->control(row.name);
            if (!control || row.kind == platform::ControlKind::Custom ||
                row.kind == platform::ControlKind::Frame)
                continue;
            QString name = QString::fromLatin1(row.name);
            if (row.caption && *row.caption)
                name += u' ' + QString::fromUtf8(row.caption);
            targets.append({name, roleOfControl(kind, row.name), rectIn(control, frame)});
        }
        addFrameTargets(*frame, targets);
        return targets;
    }
};

WindowModel::WindowModel() : d(std::make_unique<Private>()) {
    for (platform::Form *form :
         {static_cast<platform::Form *>(&d->form1), static_cast<platform::Form *>(&d->form2),
          static_cast<platform::Form *>(&d->form3)})
        form->Show(); // lays the player's bar out
    // The program's boxes read right to left, buttons and all.
    d->box.setLayoutDirection(Qt::RightToLeft);
    d->box.setWindowTitle(QStringLiteral("-"));
    d->box.setText(QStringLiteral("-"));
    d->box.setStandardButtons(QMessageBox::Ok);
    d->box.show();
}

WindowModel::~WindowModel() = default;

QHash<QString, WindowKind> WindowModel::titles() {
    // The tray icon's window bears the application's name.
    return {{QString::fromUtf8(app::Form1Spec.caption), WindowKind::Main},
            {QString::fromUtf8(windows::Form2Spec.caption), WindowKind::About},
            {QString::fromUtf8(windows::Form3Spec.caption), WindowKind::Song},
            {QCoreApplication::applicationName(), WindowKind::Tray}};
}

const QList<Target> &WindowModel::targets(WindowKind kind, QSize size) {
    const auto key = std::pair(int(kind), std::pair(size.width(), size.height()));
    auto it = d->cache.find(key);
    if (it == d->cache.end())
        it = d->cache.insert(key, d->build(kind, size));
    return it.value();
}

Target WindowModel::at(WindowKind kind, QSize size, QPoint point) {
    for (const Target &target : targets(kind, size))
        if (target.rect.contains(point) && target.rect.width() > 1)
            return target;
    if (platform::Form *form = d->formOf(kind)) {
        auto *frame = qobject_cast<SkinnedFrame *>(form->topLevel());
        const int hit = frame->hitTest(point);
        if (hit == skin::HtCaption)
            return {QStringLiteral("caption"), Role::Caption, QRect(point, QSize(1, 1))};
        if (hit >= skin::HtLeft && hit <= skin::HtBottomRight)
            return {QStringLiteral("border %1").arg(hit), Role::Border, QRect(point, QSize(1, 1))};
        if (const QWidget *child = frame->childAt(point))
            return {describe(child), Role::Inert, QRect(point, QSize(1, 1))};
    }
    return {kindName(kind), Role::Inert, QRect(point, QSize(1, 1))};
}

} // namespace monkey
