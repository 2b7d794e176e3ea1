// Documents, web addresses and programs that the program opens or starts outside itself.
// Nothing here waits for what it starts; a failure is only told by the return value.
#pragma once

#include <QtContainerFwd>

class QString;
class QUrl;

namespace kaleno::platform {

// A web address ("https:", "mailto:", "file:" ...) is kept as it is; anything else is a
// local path, drive-letter paths included.
QUrl DocumentUrl(const QString &pathOrUrl);
// Opens a document or a web address with the desktop's default program.
bool OpenDocument(const QString &pathOrUrl);
// Starts a program detached from this one, in the given working folder (empty: ours).
bool StartProgram(
    const QString &program, const QStringList &arguments, const QString &workingFolder);
// True when the path names an existing file.
bool ProgramExists(const QString &path);
// Shows lisezmoi.txt of the program folder: in Notepad on Windows when Notepad is present,
// elsewhere in the desktop's default viewer when the file exists; otherwise nothing.
void OpenReadMe(const QString &programFolder);
// The Windows folder without a trailing separator; empty on other systems.
QString WindowsFolder();

} // namespace kaleno::platform
