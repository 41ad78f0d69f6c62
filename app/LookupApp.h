// CLookupApp: the application object; its start-up runs the lookup dialog as the main window.
#pragma once

#include <QApplication>

class CLookupApp : public QApplication {
  Q_OBJECT

 public:
  CLookupApp(int& argc, char** argv);
  ~CLookupApp() override;

  // Runs the lookup dialog modally and returns false: the program ends with the dialog.
  virtual bool InitInstance();
};
