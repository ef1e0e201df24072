// What the desktop program sets up once its QApplication exists: numbers in the C locale
// whatever the user's, the font substitutes, the program's icon and name.
#pragma once

namespace qalix::qt {

// Call right after the QApplication is made: QApplication sets the C library's locale from
// the environment, after which strtod("0.05") reads 0 under a German locale and printf
// writes "0,05".
void initialiseApplication();

}  // namespace qalix::qt
