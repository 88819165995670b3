#pragma once

#include <QLocale>

class QCoreApplication;

namespace zantor {

// Qt's own texts (the file chooser, the standard buttons, the text boxes' menu) speak
// the program's language: Portuguese, in the user's own variant where the user's
// locale is Portuguese, else in Brazil's.
QLocale qtTextsLocale(const QLocale& system);
// Loads Qt's translations for that locale into `app`, and makes it the default locale
// of what Qt formats (dates and sizes in the chooser). False where Debian's
// qt6-translations-l10n is missing: Qt then speaks English.
bool installQtTranslations(QCoreApplication& app);

} // namespace zantor
