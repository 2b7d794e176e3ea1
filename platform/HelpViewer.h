// The program's own help: one window for the whole run that shows the page of a window's
// help keyword. The pages are HTML files compiled into the program under :/help.
#pragma once

class QString;
class QWidget;

namespace kaleno::platform {

// Opens the help window (or raises it) on the page of the keyword. Keywords are
// case-sensitive ("ILLUSIONS" and "Illusions" are two pages); an unknown one opens the
// table of contents, "Sommaire".
void ShowHelpTopic(const QString &keyword);
// Closes and destroys the help window; the next ShowHelpTopic opens a new one.
void QuitHelp();

// The resource path (":/help/....html") of the keyword's page; the table of contents
// for an unknown keyword.
QString HelpPagePath(const QString &keyword);
// The help window, or nullptr when it is not open.
QWidget *HelpViewerWindow();
// The keyword of the page shown, links followed included; empty when no window is open.
QString CurrentHelpKeyword();

} // namespace kaleno::platform
