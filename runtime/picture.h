#pragma once
// A picture object, held and passed by reference as the runtime does. An
// empty picture has handle 0; every picture with content has a handle of its
// own, which the controls compare to tell which picture is shown.
#include <QImage>
#include <QMetaType>
#include <QPixmap>
#include <memory>

namespace rt {

class Picture {
public:
    Picture() = default;
    explicit Picture(const QImage& image);
    quintptr Handle() const { return handle_; }
    bool isEmpty() const { return handle_ == 0; }
    const QImage& image() const { return image_; }
    int widthPx() const { return image_.width(); }
    int heightPx() const { return image_.height(); }

private:
    QImage image_;
    quintptr handle_ = 0;
};

using PicturePtr = std::shared_ptr<Picture>;

inline PicturePtr emptyPicture() {
    return std::make_shared<Picture>();
}
// A picture from a file or resource; empty when the file cannot be read.
PicturePtr LoadPicture(const QString& path);
inline quintptr handleOf(const PicturePtr& p) {
    return p ? p->Handle() : 0;
}

}  // namespace rt

Q_DECLARE_METATYPE(rt::PicturePtr)
