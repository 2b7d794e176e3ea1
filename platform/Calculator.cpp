#include "platform/Calculator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#ifdef _MSC_VER
#pragma comment(lib, "user32.lib")
#pragma comment(lib, "shell32.lib")
#endif
#endif

namespace kaleno::platform {

QString FindCalculatorProgram()
{
#ifdef Q_OS_WIN
    return QString();
#else
    // In order of preference: the calculators of the common desktops, then the oldest one.
    static const char *const kCandidates[] = {"gnome-calculator", "kcalc", "galculator", "xcalc"};
    for (const char *name : kCandidates) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
#endif
}

void ShowCalculator()
{
#ifdef Q_OS_WIN
    // The scientific calculator's window class; a running one is raised, not doubled.
    if (HWND window = FindWindowW(L"SciCalc", nullptr)) {
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        return;
    }
    ShellExecuteW(nullptr, L"open", L"Calc.exe", nullptr, nullptr, SW_SHOWNORMAL);
#else
    const QString program = FindCalculatorProgram();
    if (!program.isEmpty())
        QProcess::startDetached(program, {});
#endif
}

} // namespace kaleno::platform
