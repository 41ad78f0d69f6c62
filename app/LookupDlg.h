// CLookupDlg: the lookup dialog, the program's one window.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>

#include "resources/DialogLayout.h"

class QMenuBar;

class CLookupDlg : public QDialog {
  Q_OBJECT

 public:
  enum class DataExchange { Load, Save };

  static constexpr int kNumberLimit = KOBAL_NUMBER_LIMIT;
  static constexpr int kResultBufferSize = 52;
  static constexpr const char* kHelpFile = "kobal.hlp";

  explicit CLookupDlg(QWidget* parent = nullptr);

  QLineEdit* m_editResult;
  QPushButton* m_btnSearch;
  QLineEdit* m_editNumber;
  QByteArray m_strNumber;
  QIcon m_hIcon;

 protected:
  // Moves the number between m_strNumber and the number field, and (re)sets its input limit.
  void DoDataExchange(DataExchange direction);

  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMenuBar* CreateMenuBar();
  void CentreOnWorkArea();
  void FocusNumber();

  void OnSearch();
  void OnAbout();
  void OnExit();
  void OnHelpContents();

  bool m_frameCentred = false;
};
