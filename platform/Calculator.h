// The system calculator, started or brought to the front from the Edition menu and the
// calculator buttons of the modules.
#pragma once

class QString;

namespace kaleno::platform {

// Raises a running calculator or starts one; does nothing when the system has none.
void ShowCalculator();
// Outside Windows: the full path of the first desktop calculator found on the search path,
// or an empty string. Always empty on Windows, where the calculator is asked of the shell.
QString FindCalculatorProgram();

} // namespace kaleno::platform
