#include "platform/ShellLaunch.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace kaleno::platform {

namespace {

const char *const kReadMeName = "lisezmoi.txt";

} // namespace

QUrl DocumentUrl(const QString &pathOrUrl)
{
    // A one-letter scheme is a drive letter ("C:\..."), never a web address.
    const QUrl url(pathOrUrl);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QDir::fromNativeSeparators(pathOrUrl));
}

bool OpenDocument(const QString &pathOrUrl)
{
    if (pathOrUrl.isEmpty())
        return false;
    return QDesktopServices::openUrl(DocumentUrl(pathOrUrl));
}

bool StartProgram(
    const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool ProgramExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

void OpenReadMe(const QString &programFolder)
{
    const QString readMe = QDir(programFolder).filePath(QString::fromLatin1(kReadMeName));
#ifdef Q_OS_WIN
    // Notepad is asked for by name: the desktop's default viewer of .txt files may be
    // anything, and the read-me is laid out for a plain-text window.
    const QString notepad = WindowsFolder() + QStringLiteral("\\notepad.exe");
    if (ProgramExists(notepad))
        StartProgram(notepad, {QDir::toNativeSeparators(readMe)}, programFolder);
#else
    if (QFileInfo::exists(readMe))
        OpenDocument(readMe);
#endif
}

QString WindowsFolder()
{
#ifdef Q_OS_WIN
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return QString();
    QString folder = QString::fromWCharArray(buffer, static_cast<int>(length));
    while (folder.endsWith(QLatin1Char('\\')))
        folder.chop(1);
    return folder;
#else
    return QString();
#endif
}

} // namespace kaleno::platform
