// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skincontrol.h"

#include "platform/windowhandles.h"
#include "skin/skinengine.h"

namespace skin {

SkinControl::SkinControl(QByteArray stream, QWidget *parent)
    : QWidget(parent), stream_(std::move(stream)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    QWidget::setVisible(false);
}

void SkinControl::setVisible(bool) {
    QWidget::setVisible(false);
}

platform::Variant SkinControl::Invoke(platform::DISPID dispid, platform::InvokeKind kind,
                                      const QList<platform::Variant> &arguments) {
    if (dispid != DispidApply || kind != platform::InvokeKind::Method)
        platform::raiseUnknownMember(dispid);
    platform::expectArguments(arguments, 1);
    const auto handle = static_cast<HWND>(arguments.first().toI4());
    apply(platform::windowFromHandle(handle));
    return {};
}

void SkinControl::apply(QWidget *window) {
    applySkin(window, stream_);
}

} // namespace skin
