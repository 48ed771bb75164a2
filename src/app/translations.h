// Qt's own texts (standard buttons, file dialogs) in Japanese, the language
// of the whole window, whatever locale the system runs in.
#pragma once

#include <QCoreApplication>

namespace qy::app {

// Loads Qt's Japanese translation into `app`. False when the translation
// files are not installed; the standard texts then stay English.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace qy::app
