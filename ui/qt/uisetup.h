// What every window needs before the first one opens: the design fonts
// mapped to installed ones, and Qt's own dialogs and buttons in Chinese.
#pragma once

class QApplication;

namespace corvel {

// Maps 宋体 and 楷体_GB2312 (and their Latin names) to the installed
// AR PL fonts and makes 宋体 9 pt the default window font.
void installDesignFonts(QApplication& app);

// Installs the application's widget style (see dialogstyle.h) and loads
// the message boxes' icons once the event loop runs.
void installDialogStyle(QApplication& app);

// Loads Qt's zh_CN translations (standard buttons, the file chooser).
// Returns false when they are not installed; the dialogs then stay English.
bool installChineseTranslations(QApplication& app);

}  // namespace corvel
