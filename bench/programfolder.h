#pragma once
// A program folder of a benchmark's own for tessadrel's windows on the real
// host: the built interpreter, a fake adb, a fastboot for the tool check and
// a terminal that opens nothing for the main window's start-up console. Once
// laid out, the program's folder, the current folder and TERMINAL point into
// it.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace bench {

bool writeScript(const QString& path, const QByteArray& text);

class ProgramFolder {
public:
    // placeAdb puts the fake adb at the path it is given.
    explicit ProgramFolder(const std::function<bool(const QString& adb)>& placeAdb);

    // False (with a message on stderr) when the folder could not be laid out.
    bool ready() const { return ready_; }
    QString file(const QString& name) const;

private:
    QTemporaryDir dir_;
    bool ready_ = false;
};

}  // namespace bench
