// CLookupApp: the application object; its start-up runs the lookup dialog as the main window.
#include "LookupApp.h"

#include <QLocale>

#include "LookupDlg.h"
#include "QtTranslations.h"

CLookupApp::CLookupApp(int& argc, char** argv) : QApplication(argc, argv) {
  kobal::app::InstallQtTranslations(QLocale::system());
}

CLookupApp::~CLookupApp() = default;

bool CLookupApp::InitInstance() {
  // Qt's styles already give dialog controls their three-dimensional look.
  CLookupDlg dlg(nullptr);
  dlg.exec();  // the result (cancel, as a rule) does not matter
  return false;
}
