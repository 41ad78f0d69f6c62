// CLookupDlg: the lookup dialog, the program's one window.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QVariant>
#include <optional>
#include <variant>

class CLookupDlg : public QDialog {
  Q_OBJECT

 public:
  enum class DataExchange { Load, Save };

  // The messages the dialog binds to handlers; everything else is QDialog's standard handling.
  enum class Message { Paint, QueryDragIcon, Command, HelpRequest };

  // Where help was asked for; the handler does not look at it.
  struct HelpInfo {
    QObject* target;
  };

  using Handler = std::variant<void (CLookupDlg::*)(), QIcon (CLookupDlg::*)(),
                               bool (CLookupDlg::*)(const HelpInfo&)>;

  struct MessageEntry {
    Message message;
    int id;  // command id; 0 for the other messages
    Handler handler;
  };

  static constexpr int kNumberLimit = 11;
  static constexpr int kResultBufferSize = 52;
  static constexpr const char* kHelpFile = "kobal.hlp";

  explicit CLookupDlg(QWidget* parent = nullptr);
  ~CLookupDlg() override;

  // Routes a message through the dispatch table; empty when no entry binds it.
  std::optional<QVariant> Dispatch(Message message, int id = 0, const HelpInfo& info = {nullptr});

  void setVisible(bool visible) override;

 protected:
  virtual bool OnInitDialog();
  virtual void DoDataExchange(DataExchange direction);

  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static const MessageEntry kMessageMap[];

  void CreateFromLayout();
  bool OwnsWidget(const QObject* object) const;
  void OpenHelpFile();
  void CentreOnWorkArea();
  void FocusNumber();
  bool IsIdleMenuBarWithFocus(const QObject* object) const;
  void OnMenuCommand(int id);

  void OnPaint();
  QIcon OnQueryDragIcon();
  void OnSearch();
  void OnAbout();
  void OnExit();
  void OnHelpContents();
  bool OnHelpInfo(const HelpInfo& info);

 public:
  QLineEdit* m_editResult = nullptr;
  QPushButton* m_btnSearch = nullptr;
  QLineEdit* m_editNumber = nullptr;
  QByteArray m_strNumber;
  QIcon m_hIcon;

 private:
  bool m_initialised = false;
  bool m_frameCentred = false;
};
