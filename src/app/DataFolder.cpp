#include "app/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
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

// The shipped data files of an installed program: beside bin/ first, so that a
// moved prefix still finds its own data, then the prefix the build was made for.
QString InstalledDataFolder(const QString& exeFolder) {
    QStringList candidates{exeFolder + "/../share/varnel"};
#ifdef VARNEL_INSTALL_DATADIR
    candidates << QStringLiteral(VARNEL_INSTALL_DATADIR);
#endif
    for (const QString& candidate : candidates) {
        const QString folder = QDir(candidate).canonicalPath();
        if (!folder.isEmpty() && HoldsHolyDays(folder)) return folder;
    }
    return {};
}

// ~/.local/share/Varnel (XDG_DATA_HOME honoured). AppDataLocation would add the
// organisation as well (Varnel/Varnel), so the folder is built from the generic one.
QString UserDataFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
    return base + "/Varnel";
}

// Copies one shipped file into the user's folder unless a file (or a link, even a
// dangling one) of that name is already there. The copy is made under a temporary
// name and renamed, and rename never replaces a file: a user's file is never
// overwritten, and an interrupted start leaves no torn data file.
void SeedFile(const QString& source, const QString& target) {
    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink()) return;
    QDir().mkpath(existing.absolutePath());
    const QString partial = target + ".seeding";
    QFile::remove(partial);
    if (!QFile::copy(source, partial)) return;
    QFile copy(partial);
    copy.setPermissions(copy.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!QFile::rename(partial, target)) QFile::remove(partial);
}

// Seeds the user's folder with every installed file it lacks, sub-folders
// (the pictures) included.
void SeedUserFolder(const QString& installed, const QString& userFolder) {
    const QDir from(installed);
    QDirIterator it(installed, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        SeedFile(source, userFolder + "/" + from.relativeFilePath(source));
    }
}

}  // namespace

std::string ResolveDataFolder(const std::string& given) {
    if (!given.empty()) return given;
    const QString exeFolder = ExecutableFolder();
    if (HoldsHolyDays(exeFolder)) return exeFolder.toStdString();

    const QString userFolder = UserDataFolder();
    const QString installed = InstalledDataFolder(exeFolder);
    if (installed.isEmpty()) {
        QDir().mkpath(userFolder);
        return userFolder.toStdString();
    }
    if (QDir().mkpath(userFolder)) SeedUserFolder(installed, userFolder);
    // A home that cannot be written (full, read-only) must not hide the calendar:
    // the installed files are read in place then.
    if (!HoldsHolyDays(userFolder)) return installed.toStdString();
    return userFolder.toStdString();
}

}  // namespace varnel
