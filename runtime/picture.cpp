#include "picture.h"

#include <atomic>

namespace rt {

Picture::Picture(const QImage& image) : image_(image) {
    static std::atomic<quintptr> next{0x1000};
    if (!image_.isNull()) handle_ = next.fetch_add(4);
}

PicturePtr LoadPicture(const QString& path) {
    if (path.isEmpty()) return emptyPicture();
    QImage img(path);
    return std::make_shared<Picture>(img);
}

}  // namespace rt
