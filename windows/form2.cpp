// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form2.h"

#include "platform/controls.h"
#include "platform/shell.h"
#include "skin/skincontrol.h"
#include "skin/skinlabel.h"
#include "skin/storedskin.h"
#include "windows/author.h"
#include "windows/form2layout.h"

#include <QGroupBox>
#include <algorithm>

namespace windows {
namespace {

// The window's number among the program's windows: its copy of the skin.
constexpr int FormNumber = 2;

const StoredLabel *storedLabel(const char *name) {
    const auto found = std::ranges::find_if(
        Form2Labels, [name](const StoredLabel &label) { return qstrcmp(label.name, name) == 0; });
    return found == Form2Labels.end() ? nullptr : &*found;
}

} // namespace

Form2::Form2(QObject *parent) : platform::Form(Form2Spec, parent) {}

QWidget *Form2::createCustomControl(const platform::ControlSpec &row, QWidget *container) {
    if (qstrcmp(row.name, "Skin1") == 0)
        return new skin::SkinControl(skin::storedSkinStream(FormNumber), container);
    if (const StoredLabel *stored = storedLabel(row.name)) {
        skin::SkinLabelSettings settings;
        settings.first = stored->first;
        settings.extentWidth = stored->extentWidth;
        settings.extentHeight = stored->extentHeight;
        settings.caption = QString::fromUtf8(row.caption);
        settings.font = *row.font;
        settings.fifth = stored->fifth;
        settings.sixth = stored->sixth;
        return new skin::SkinLabel(std::move(settings), container);
    }
    return platform::Form::createCustomControl(row, container);
}

void Form2::setStoredProperties() {
    auto *frame = control<QGroupBox>("Frame2");
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(Frame2Colour));
    frame->setPalette(palette);
    control<platform::PictureBox>("Pictuer1")->setPicture(platform::programIconImage());
}

void Form2::connectHandlers() {
    on(control<platform::PictureBox>("Pictuer1"), &platform::PictureBox::clicked,
       [this] { Pictuer1_Click(); });
}

void Form2::Form_Load() {
    control<skin::SkinControl>("Skin1")->Invoke(skin::SkinControl::DispidApply,
                                                platform::InvokeKind::Method,
                                                {platform::Variant(static_cast<qint32>(hWnd()))});
}

void Form2::Pictuer1_Click() {
    platform::openWebPage(hWnd(), author::PersonalPage);
}

} // namespace windows
