#include "skinengine.h"

#include "runtimeerror.h"
#include "skinreader.h"

#include <QWidget>

namespace skin {

void applySkin(QWidget *window, const QByteArray &stream) {
    ReadError error;
    const std::optional<Skin> skin = readSkinStream(stream, &error);
    if (!skin)
        platform::raise(platform::errors::InvalidProcedureCall,
                        QStringLiteral("The skin cannot be applied: %1").arg(error.message()));
    Q_UNUSED(window);
}

} // namespace skin
