// SPDX-License-Identifier: GPL-3.0-or-later
// The skin control: each window carries one, named Skin1, holding that
// window's own copy of the skin stream. It shows nothing of its own and has
// no size; its one operation, apply, is reached late-bound:
//
//     Invoke(SkinControl::DispidApply, InvokeKind::Method, {Variant(qint32(hWnd))})
//
// From the moment apply returns, the window is drawn in the skin: a skinned
// frame (caption strip, caption buttons, borders) around its client area and
// the skin's style for the controls inside it.
//
// How a window uses it:
//  - its control table holds the row
//      {"Skin1", platform::ControlKind::Custom, <container or nullptr>, 0, 0, 0, 0, -1,
//       nullptr, nullptr, nullptr, platform::MousePointer::Default}
//  - its createCustomControl() makes the control for that row:
//      return new skin::SkinControl(skin::storedSkinStream(<window number>), container);
//  - its Form_Load() applies the skin before anything else:
//      control<skin::SkinControl>("Skin1")->Invoke(
//          skin::SkinControl::DispidApply, platform::InvokeKind::Method,
//          {platform::Variant(static_cast<qint32>(hWnd()))});
//
// Failures are runtime errors: an unknown dispatch identifier (438), a wrong
// argument count (450) or type (13), a handle that names no live window
// (1400), a stream that cannot be read (the error names the offset). The
// window stays as it was, unskinned and working.
#pragma once

#include "platform/dispatch.h"

#include <QByteArray>
#include <QWidget>

namespace skin {

class SkinControl : public QWidget, public platform::Dispatch {
    Q_OBJECT
public:
    static constexpr platform::DISPID DispidApply = 0x60020006;

    explicit SkinControl(QByteArray stream, QWidget *parent);

    platform::Variant Invoke(platform::DISPID dispid, platform::InvokeKind kind,
                             const QList<platform::Variant> &arguments) override;

    const QByteArray &stream() const { return stream_; }

    // Invisible at run time, whatever its container asks.
    void setVisible(bool visible) override;

private:
    void apply(QWidget *window);

    QByteArray stream_;
};

} // namespace skin
