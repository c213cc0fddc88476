#pragma once
// The frame, a surface that holds other controls and takes drops, and the
// data a drop brings.
#include <QString>
#include <vector>

#include "control.h"

class QMimeData;

namespace rt {

// The data of a drop. It offers the file-list format (15) only when files
// came, the first at 1. A file is either a path on this computer or the
// address of a file elsewhere (a network share the desktop has not mounted),
// which nothing here can open by a path.
class DataObject {
public:
    static constexpr int vbCFFiles = 15;
    struct File {
        QString path;
        bool here = true;
    };
    explicit DataObject(std::vector<File> files) : files_(std::move(files)) {}
    // What a drop from another program carries: local file addresses become
    // paths, addresses of shared files stay addresses, anything else (text,
    // a web address) is no file.
    static DataObject fromMime(const QMimeData& mime);

    bool GetFormat(int format) const { return format == vbCFFiles && !files_.empty(); }
    // Path (or address) at a 1-based index; error 9 outside the list.
    QString Files(int index) const;
    // Whether the file at a 1-based index lies on this computer; error 9 outside.
    bool FileIsHere(int index) const;
    int FileCount() const { return static_cast<int>(files_.size()); }

private:
    const File& at(int index) const;
    std::vector<File> files_;
};

class Frame : public MouseControl {
    Q_OBJECT
public:
    explicit Frame(QWidget* container);
    QString Caption() const { return caption_; }
    void setCaption(const QString& c);
    // 0 none; 1 manual: the frame takes every drop (files, text, a web
    // address) and raises OLEDragDrop with it, also for drops over the
    // controls it contains.
    void setOLEDropMode(int mode);
    void setBackColor(Long c);
    void setForeColor(Long c);
    // 0 none (neither border nor caption is drawn), 1 fixed single.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

    Event<DataObject&, Long&, Integer&, Integer&, Single&, Single&> OLEDragDrop;

protected:
    void paintEvent(QPaintEvent*) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Raises OLEDragDrop for a drop at a point of the frame (pixels).
    void drop(DataObject data, QPointF localPx, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods);

    QString caption_;
    Long backColor_;
    Long foreColor_;
    int borderStyle_ = 1;
};

}  // namespace rt
