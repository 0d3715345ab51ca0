#include "gui/resources/ResourceOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

#include "core/resources/ResourceTarget.h"

namespace varnel {

bool DesktopOpener::OpenFile(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

bool DesktopOpener::StartProgram(const QString& path) {
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

bool DesktopOpener::OpenWebAddress(const QUrl& address) { return QDesktopServices::openUrl(address); }

ResourceOpener& TheDesktopOpener() {
    static DesktopOpener opener;
    return opener;
}

void LaunchResource(ResourceOpener& opener, const QString& fileurl, QWidget* owner) {
    const ResourceTarget target = ClassifyResource(fileurl.toStdString());
    const QString what = QString::fromStdString(target.target);
    switch (target.kind) {
        case ResourceKind::Nothing:
            // A missing file or a mistyped entry: the user is told why nothing opens.
            if (const std::string why = WhyNothingToOpen(fileurl.toStdString()); !why.empty())
                QMessageBox::warning(owner, QStringLiteral("Resource Not Opened"), QString::fromStdString(why));
            return;
        case ResourceKind::Program:
            // A file marked executable may still be a document (files on a
            // Windows-formatted drive often are): then its program opens it.
            if (!opener.StartProgram(what) && !opener.OpenFile(what))
                QMessageBox::warning(owner, QStringLiteral("Application Launch Failed"), QStringLiteral("File Not Opened"));
            return;
        case ResourceKind::File:
            if (!opener.OpenFile(what))
                QMessageBox::warning(owner, QStringLiteral("Application Not Found"),
                                     QStringLiteral("Could not find associated program for the file '") + what +
                                         QStringLiteral("'."));
            return;
        case ResourceKind::WebAddress: {
            const QUrl address(what);
            if (!address.isValid() || address.host().isEmpty())
                QMessageBox::warning(owner, QStringLiteral("URL Failed"), QStringLiteral("Web Page not opened"));
            else if (!opener.OpenWebAddress(address))
                QMessageBox::warning(owner, QStringLiteral("Browser Not Found"),
                                     QStringLiteral("Could not find associated Browser"));
            return;
        }
    }
}

}  // namespace varnel
