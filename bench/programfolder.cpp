#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "runtime/services.h"

namespace bench {

bool writeScript(const QString& path, const QByteArray& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(text);
    f.close();
    return f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

ProgramFolder::ProgramFolder(const std::function<bool(const QString& adb)>& placeAdb) {
    ready_ = dir_.isValid() && placeAdb(file(QStringLiteral("adb"))) &&
             writeScript(file(QStringLiteral("fastboot")), "#!/bin/sh\nexit 0\n") &&
             writeScript(file(QStringLiteral("noterm")), "#!/bin/sh\nexit 0\n") &&
             QFile::link(QCoreApplication::applicationDirPath() + QStringLiteral("/cmd"),
                         file(QStringLiteral("cmd")));
    if (!ready_) {
        std::fprintf(stderr, "cannot lay out %s\n", qPrintable(dir_.path()));
        return;
    }
    qputenv("TERMINAL", file(QStringLiteral("noterm")).toUtf8());
    rt::App::setPath(dir_.path());
    QDir::setCurrent(dir_.path());
}

QString ProgramFolder::file(const QString& name) const {
    return dir_.path() + u'/' + name;
}

}  // namespace bench
