#include "app/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace varnel {
namespace {

QString ExecutableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

bool HoldsHolyDays(const QString& folder) {
    return QFileInfo::exists(folder + "/holydays.dat") || QFileInfo::exists(folder + "/holydays.bak");
}

}  // namespace

std::string ResolveDataFolder(const std::string& given) {
    if (!given.empty()) return given;
    const QString exeFolder = ExecutableFolder();
    if (HoldsHolyDays(exeFolder)) return exeFolder.toStdString();

    QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (userFolder.isEmpty()) userFolder = QDir::homePath() + "/.local/share/Varnel";
    QDir().mkpath(userFolder);
    const QString installed = QDir(exeFolder + "/../share/varnel").canonicalPath();
    if (!installed.isEmpty()) {
        for (const QFileInfo& file : QDir(installed).entryInfoList(QDir::Files)) {
            const QString target = userFolder + "/" + file.fileName();
            if (!QFileInfo::exists(target)) QFile::copy(file.absoluteFilePath(), target);
        }
    }
    return userFolder.toStdString();
}

}  // namespace varnel
