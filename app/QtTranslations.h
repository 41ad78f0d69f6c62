// Qt's own texts (the context menus of the fields, the OK button) in the user's language.
#pragma once

#include <QLocale>

namespace kobal::app {

// Installs Qt's translations of its standard texts for `locale` from Qt's translations folder
// (Debian: qt6-translations-l10n). Returns false when there are none for that language; Qt's
// English texts then stay.
bool InstallQtTranslations(const QLocale& locale);

}  // namespace kobal::app
