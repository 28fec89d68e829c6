#include "picture.h"

#include "paths.h"
#include "runtimeerror.h"

#include <QFileInfo>
#include <QImageReader>

namespace platform {
namespace {

class QtPictureLoader final : public PictureLoader {
public:
    Picture load(const QString &fileName) override {
        const QString path = nativePath(fileName);
        const QFileInfo file(path);
        if (!file.exists() || !file.isFile())
            raiseForFile(errors::FileNotFound, fileName);

        // The content decides, not the name: a JPEG stored as ".bmp" loads.
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        const QByteArray format = reader.format();
        if (format != "bmp" && format != "jpeg")
            raiseForFile(errors::InvalidPicture, fileName);
        QImage image = reader.read();
        if (image.isNull())
            raiseForFile(errors::InvalidPicture, fileName, reader.errorString());
        return Picture(std::move(image));
    }
};

} // namespace

PictureLoader &PictureLoader::real() {
    static QtPictureLoader loader;
    return loader;
}

} // namespace platform

platform::Picture LoadPicture(const QString &fileName) {
    return platform::Service<platform::PictureLoader>::get().load(fileName);
}
