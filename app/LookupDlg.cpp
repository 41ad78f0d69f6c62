// CLookupDlg: the lookup dialog, the program's one window.
#include "LookupDlg.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include "AboutText.h"
#include "DialogUnits.h"
#include "FocusMarkStyle.h"
#include "LookupLayout.h"
#include "NumberEdit.h"
#include "ProgramIcon.h"
#include "ShiftJis.h"
#include "kobal/KobalFnc.h"
#include "resources/MenuText.h"
#include "resources/Resource.h"

namespace {

// Names a control after its id, for tools that look for it, and tells screen readers what it is.
void Describe(QWidget* control, const kobal::app::ControlLayout& layout) {
  control->setObjectName(QStringLiteral("control-%1").arg(layout.id));
  control->setAccessibleName(QString::fromUtf8(layout.accessibleName));
  control->setAccessibleDescription(QString::fromUtf8(layout.accessibleDescription));
}

}  // namespace

CLookupDlg::CLookupDlg(QWidget* parent) : QDialog(parent), m_hIcon(kobal::app::LoadProgramIcon()) {
  using namespace kobal::app;
  // A top-level window of its own (so it has a task bar entry): minimise and close, no maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setObjectName(QStringLiteral("dialog-%1").arg(IDD_LOOKUP));
  const QFont dialogFont = ChooseDialogFont(QString::fromUtf8(kLookupFontFace), kLookupFontPoints);
  setFont(dialogFont);
  // The popup menus, the context menus and the About box are windows of their own, which do not
  // inherit the dialog's font: the dialog's font becomes the program's.
  QApplication::setFont(dialogFont);
  const DialogBaseUnits units = DialogBaseUnits::Of(font());

  QMenuBar* menuBar = CreateMenuBar();
  auto* client = new QWidget(this);
  client->setFixedSize(units.ToPixels(kLookupClientArea).size());

  m_editNumber = new NumberEdit(client);
  m_editNumber->setGeometry(units.ToPixels(kNumberField.units));
  Describe(m_editNumber, kNumberField);

  m_btnSearch = new QPushButton(QString::fromUtf8(kSearchButton.caption), client);
  m_btnSearch->setDefault(true);
  auto* focusMarkStyle = new FocusMarkStyle;
  focusMarkStyle->setParent(m_btnSearch);
  m_btnSearch->setStyle(focusMarkStyle);
  m_btnSearch->setGeometry(units.ToPixels(kSearchButton.units));
  Describe(m_btnSearch, kSearchButton);
  connect(m_btnSearch, &QPushButton::clicked, this, &CLookupDlg::OnSearch);

  // A thin sunken edge around a borderless, read-only, centred line.
  auto* edge = new QFrame(client);
  edge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  edge->setLineWidth(1);
  edge->setGeometry(units.ToPixels(kResultLine.units));
  m_editResult = new QLineEdit(edge);
  m_editResult->setFrame(false);
  m_editResult->setReadOnly(true);
  m_editResult->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  m_editResult->setGeometry(edge->contentsRect());
  Describe(m_editResult, kResultLine);

  // F1 asks for help wherever it is pressed: in any control, on the menu bar, in an open menu.
  new QShortcut(QKeySequence(Qt::Key_F1), this, this, &CLookupDlg::OnHelpContents,
                Qt::ApplicationShortcut);

  DoDataExchange(DataExchange::Load);
  m_editNumber->setFocus();
  setWindowIcon(m_hIcon);  // one icon serves as the large and the small one

  auto* frameLayout = new QVBoxLayout(this);
  frameLayout->setContentsMargins(0, 0, 0, 0);
  frameLayout->setSpacing(0);
  frameLayout->setSizeConstraint(QLayout::SetFixedSize);
  frameLayout->setMenuBar(menuBar);
  frameLayout->addWidget(client);
  setWindowTitle(QString::fromUtf8(kLookupCaption));
  adjustSize();  // the fixed size, from the layout, is the size to centre
  CentreOnWorkArea();
}

// Menu 129.
QMenuBar* CLookupDlg::CreateMenuBar() {
  auto* menuBar = new QMenuBar(this);
  menuBar->setObjectName(QStringLiteral("menu-%1").arg(IDR_MAIN_MENU));
  QMenu* fileMenu = menuBar->addMenu(QString::fromUtf8(KOBAL_MENU_FILE));
  QAction* exit =
      fileMenu->addAction(QString::fromUtf8(KOBAL_MENU_EXIT), this, &CLookupDlg::OnExit);
  QMenu* helpMenu = menuBar->addMenu(QString::fromUtf8(KOBAL_MENU_HELP));
  QAction* contents = helpMenu->addAction(QString::fromUtf8(KOBAL_MENU_CONTENTS), this,
                                          &CLookupDlg::OnHelpContents);
  helpMenu->addSeparator();
  QAction* about =
      helpMenu->addAction(QString::fromUtf8(KOBAL_MENU_ABOUT), this, &CLookupDlg::OnAbout);
  exit->setData(ID_MENU_EXIT);
  contents->setData(ID_MENU_CONTENTS);
  about->setData(ID_MENU_ABOUT);
  for (QAction* command : {exit, contents, about}) {
    // A menu opened from the keyboard leaves the focus on the menu bar, where digits and Esc go
    // nowhere; the number field takes it back with its number selected, as after a search.
    connect(command, &QAction::triggered, this, &CLookupDlg::FocusNumber, Qt::QueuedConnection);
  }
  menuBar->installEventFilter(this);
  return menuBar;
}

void CLookupDlg::DoDataExchange(DataExchange direction) {
  if (direction == DataExchange::Load) {
    m_editNumber->setText(kobal::app::DecodeShiftJis(m_strNumber.constData()));
  } else {
    m_strNumber = kobal::app::EncodeShiftJis(m_editNumber->text());
  }
  m_editNumber->setMaxLength(kNumberLimit);
}

void CLookupDlg::CentreOnWorkArea() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  // The whole window, frame included; before the window manager has framed the window the frame
  // is not known yet, and moveEvent() centres it again once it is.
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void CLookupDlg::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  if (m_frameCentred || !isVisible() || frameGeometry() == geometry()) return;
  m_frameCentred = true;
  CentreOnWorkArea();
}

void CLookupDlg::FocusNumber() {
  m_editNumber->setFocus(Qt::OtherFocusReason);
  m_editNumber->selectAll();
}

bool CLookupDlg::eventFilter(QObject* watched, QEvent* event) {
  // Leaving a keyboard-opened menu with Esc can leave the focus on the menu bar with no menu
  // active: the number field takes the focus back, and the key with it.
  const auto* bar = qobject_cast<QMenuBar*>(watched);
  if (bar != nullptr && event->type() == QEvent::KeyPress && bar->hasFocus() &&
      bar->activeAction() == nullptr && QApplication::activePopupWidget() == nullptr &&
      !(static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::ShiftModifier)) {
    FocusNumber();
    QCoreApplication::sendEvent(m_editNumber, event);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CLookupDlg::OnSearch() {
  DoDataExchange(DataExchange::Save);
  char result[kResultBufferSize];
  DetectCarrier(m_strNumber.constData(), result);
  m_editResult->setText(kobal::app::DecodeShiftJis(result));
  m_editResult->setCursorPosition(0);  // a text wider than the line shows its beginning
  FocusNumber();                       // selectAll() leaves the caret at the end, in view
}

void CLookupDlg::OnAbout() {
  const QString path = QCoreApplication::applicationFilePath();
  if (path.isEmpty()) return;
  QMessageBox box(QMessageBox::Information, QFileInfo(path).completeBaseName(),
                  QString::fromUtf8(kobal::app::kAboutText), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  // The box is modal, so the dialog's F1 does not reach it; help is asked for from here as well.
  new QShortcut(QKeySequence(Qt::Key_F1), &box, this, &CLookupDlg::OnHelpContents,
                Qt::ApplicationShortcut);
  box.exec();
}

void CLookupDlg::OnExit() {
  // Queued: the close is handled after this handler returns, like Esc or the close box.
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CLookupDlg::OnHelpContents() {
  // Resolved against the current working directory, not the program's folder.
  QDesktopServices::openUrl(
      QUrl::fromLocalFile(QDir::current().absoluteFilePath(QString::fromLatin1(kHelpFile))));
}
