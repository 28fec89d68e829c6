// SPDX-License-Identifier: GPL-3.0-or-later
// A small window that carries a Skin1 and applies it at load, as the
// program's windows do, and helpers to look at skinned windows.
#pragma once

#include "platform/form.h"
#include "skin/skinart.h"
#include "skin/skincontrol.h"
#include "skin/skinnedframe.h"
#include "skin/storedskin.h"

#include <QImage>
#include <QWidget>

namespace testing {

using enum platform::ControlKind;
using enum platform::MousePointer;

// A 400 × 300 client area: a button at (10, 10, 80, 30), a frame at
// (10, 60, 200, 100) holding a button at (20, 30, 80, 30), and Skin1.
inline const platform::ControlSpec SkinTestControls[] = {
    {"Command1", PushButton, nullptr, 150, 150, 1200, 450, 1, "أ", nullptr, nullptr, Default},
    {"Frame1", Frame, nullptr, 150, 900, 3000, 1500, 0, "", nullptr, nullptr, Default},
    {"Command2", PushButton, "Frame1", 300, 450, 1200, 450, 2, "ب", nullptr, nullptr, Default},
    {"Skin1", Custom, nullptr, 0, 0, 0, 0, -1, nullptr, nullptr, nullptr, Default},
};

inline const platform::FormSpec MinimisableSpec{"نافذة",
                                                6000,
                                                4500,
                                                /*minButton=*/true,
                                                /*maxButton=*/false,
                                                SkinTestControls};
inline const platform::FormSpec CloseOnlySpec{"نافذة",
                                              6000,
                                              4500,
                                              /*minButton=*/false,
                                              /*maxButton=*/false,
                                              SkinTestControls};

// The margins of the stored skin: left, top, right, bottom.
inline const QMargins SkinMargins(3, 24, 3, 24);

class SkinTestForm : public platform::Form {
public:
    explicit SkinTestForm(const platform::FormSpec &layout,
                          QByteArray stream = skin::storedSkinStream(1))
        : platform::Form(layout), stream_(std::move(stream)) {}

    skin::SkinnedFrame *frame() const { return qobject_cast<skin::SkinnedFrame *>(topLevel()); }

protected:
    QWidget *createCustomControl(const platform::ControlSpec &row, QWidget *container) override {
        if (qstrcmp(row.name, "Skin1") == 0)
            return new skin::SkinControl(stream_, container);
        return platform::Form::createCustomControl(row, container);
    }
    void Form_Load() override {
        control<skin::SkinControl>("Skin1")->Invoke(
            skin::SkinControl::DispidApply, platform::InvokeKind::Method,
            {platform::Variant(static_cast<qint32>(hWnd()))});
    }

private:
    QByteArray stream_;
};

// The stored skin, ready to draw with.
inline std::shared_ptr<const skin::SkinArt> storedArt() {
    QString error;
    auto art = skin::SkinArt::read(skin::storedSkinStream(1), &error);
    if (!art)
        qFatal("stored skin: %s", qPrintable(error));
    return art;
}

// The stored skin's artwork, as the stream holds it.
inline QImage webArt() {
    return skin::storedSkin().image(u"web.bmp")->toImage().convertToFormat(QImage::Format_RGB32);
}

inline QImage grabImage(QWidget *widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace testing
