// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinengine.h"

#include "platform/runtimeerror.h"
#include "skin/skinart.h"
#include "skin/skinnedframe.h"

#include <QWidget>

namespace skin {

void applySkin(QWidget *window, const QByteArray &stream) {
    QString error;
    std::shared_ptr<const SkinArt> art = SkinArt::read(stream, &error);
    if (!art)
        platform::raise(platform::errors::InvalidProcedureCall,
                        QStringLiteral("The skin cannot be applied: %1").arg(error));
    QWidget *top = window->window();
    if (auto *frame = qobject_cast<SkinnedFrame *>(top)) {
        frame->setArt(std::move(art));
        return;
    }
    // The frame takes the window in and lives as long as it does.
    new SkinnedFrame(std::move(art), top);
}

} // namespace skin
