#pragma once
// Opening resource entries with the desktop: files with their associated
// programs, executables started directly, web addresses in the browser. The
// window reaches the desktop only through a ResourceOpener, so tests record
// what would open instead of launching anything.
#include <QString>
#include <QUrl>

class QWidget;

namespace varnel {

class ResourceOpener {
public:
    virtual ~ResourceOpener() = default;
    // Each returns false when nothing could open the entry.
    virtual bool OpenFile(const QString& path) = 0;
    virtual bool StartProgram(const QString& path) = 0;
    virtual bool OpenWebAddress(const QUrl& address) = 0;
};

// QDesktopServices for files and web addresses, QProcess for programs.
class DesktopOpener : public ResourceOpener {
public:
    bool OpenFile(const QString& path) override;
    bool StartProgram(const QString& path) override;
    bool OpenWebAddress(const QUrl& address) override;
};
ResourceOpener& TheDesktopOpener();

// Opens one entry's file or address; when nothing can open it (no program
// for it, a missing file, text that is neither a file nor a web address), says
// why in a message box owned by `owner`. An empty entry does nothing.
void LaunchResource(ResourceOpener& opener, const QString& fileurl, QWidget* owner);

}  // namespace varnel
