// CLookupApp: the application object; its start-up runs the lookup dialog as the main window.
#include "LookupApp.h"

#include "LookupDlg.h"

CLookupApp::CLookupApp(int& argc, char** argv) : QApplication(argc, argv) {}

CLookupApp::~CLookupApp() = default;

bool CLookupApp::InitInstance() {
  // Qt's styles already give dialog controls their three-dimensional look.
  CLookupDlg dlg(nullptr);
  dlg.exec();  // the result (cancel, as a rule) does not matter
  return false;
}
