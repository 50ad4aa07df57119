#pragma once

class QCoreApplication;

// Qt's own Chinese texts (message-box buttons, file, colour and font
// dialogs, the context menus of text fields), so that no English shows in
// a Chinese program. Installs them on the application; false when the
// translation files are not installed, in which case Qt keeps English.
bool InstallQtTranslations(QCoreApplication &app);
