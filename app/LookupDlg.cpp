// CLookupDlg: the lookup dialog, the program's one window.
#include "LookupDlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "AboutText.h"
#include "DialogUnits.h"
#include "FocusMarkStyle.h"
#include "LookupLayout.h"
#include "MainMenu.h"
#include "NumberEdit.h"
#include "ProgramIcon.h"
#include "ShiftJis.h"
#include "kobal/KobalFnc.h"
#include "resources/Resource.h"
#include "resources/VersionRecord.h"

namespace {

constexpr const char* kControlIdProperty = "controlId";

template <typename Control>
Control* FindControl(const QWidget* dialog, int id) {
  for (Control* control : dialog->findChildren<Control*>()) {
    if (control->property(kControlIdProperty).toInt() == id) return control;
  }
  return nullptr;
}

// Binds a control member on the first exchange; later exchanges find it bound.
template <typename Control>
void BindControl(const QWidget* dialog, int id, Control*& member) {
  if (member == nullptr) member = FindControl<Control>(dialog, id);
}

}  // namespace

const CLookupDlg::MessageEntry CLookupDlg::kMessageMap[] = {
    {Message::Paint, 0, &CLookupDlg::OnPaint},
    {Message::QueryDragIcon, 0, &CLookupDlg::OnQueryDragIcon},
    {Message::Command, IDC_SEARCH, &CLookupDlg::OnSearch},
    {Message::Command, ID_MENU_ABOUT, &CLookupDlg::OnAbout},
    {Message::Command, ID_MENU_EXIT, &CLookupDlg::OnExit},
    {Message::Command, ID_MENU_CONTENTS, &CLookupDlg::OnHelpContents},
    {Message::HelpRequest, 0, &CLookupDlg::OnHelpInfo},
};

CLookupDlg::CLookupDlg(QWidget* parent) : QDialog(parent), m_hIcon(kobal::app::LoadProgramIcon()) {
  CreateFromLayout();
  // F1 reaches the dialog from every control and from its open menus.
  qApp->installEventFilter(this);
}

CLookupDlg::~CLookupDlg() { qApp->removeEventFilter(this); }

void CLookupDlg::CreateFromLayout() {
  using namespace kobal::app;
  const DialogLayout& layout = LookupDialogLayout();
  setObjectName(QStringLiteral("dialog-%1").arg(layout.id));
  setWindowTitle(QString::fromUtf8(layout.caption));
  // A top-level window of its own (so it has a task bar entry): minimise and close, no maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  const QFont dialogFont = ChooseDialogFont(QString::fromUtf8(layout.fontFace), layout.pointSize);
  setFont(dialogFont);
  // The popup menus, the context menus and the About box are windows of their own, which do not
  // inherit the dialog's font: the dialog's font becomes the program's.
  QApplication::setFont(dialogFont);
  const DialogBaseUnits units = DialogBaseUnits::Of(font());

  auto* frameLayout = new QVBoxLayout(this);
  frameLayout->setContentsMargins(0, 0, 0, 0);
  frameLayout->setSpacing(0);
  frameLayout->setSizeConstraint(QLayout::SetFixedSize);
  frameLayout->setMenuBar(CreateMainMenu(this, [this](int id) { OnMenuCommand(id); }));
  auto* client = new QWidget(this);
  client->setFixedSize(units.ToPixels(layout.clientUnits));
  frameLayout->addWidget(client);

  for (const ControlLayout& control : layout.controls) {
    const QRect rect = units.ToPixels(control.units);
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::NumberField:
        widget = new NumberEdit(client);
        break;
      case ControlKind::DefaultButton: {
        auto* button = new QPushButton(QString::fromUtf8(control.caption), client);
        button->setDefault(true);
        auto* style = new FocusMarkStyle;
        style->setParent(button);
        button->setStyle(style);
        const int id = control.id;
        connect(button, &QPushButton::clicked, this,
                [this, id] { Dispatch(Message::Command, id); });
        widget = button;
        break;
      }
      case ControlKind::ResultLine: {
        // A thin sunken edge around a borderless, read-only, centred line.
        auto* edge = new QFrame(client);
        edge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        edge->setLineWidth(1);
        edge->setGeometry(rect);
        auto* line = new QLineEdit(edge);
        line->setFrame(false);
        line->setReadOnly(true);
        line->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        line->setFocusPolicy(Qt::StrongFocus);
        line->setGeometry(edge->contentsRect());
        widget = line;
        break;
      }
    }
    widget->setProperty(kControlIdProperty, control.id);
    widget->setObjectName(QStringLiteral("control-%1").arg(control.id));
    widget->setAccessibleName(QString::fromUtf8(control.accessibleName));
    widget->setAccessibleDescription(QString::fromUtf8(control.accessibleDescription));
    if (control.kind != ControlKind::ResultLine) widget->setGeometry(rect);
  }
}

std::optional<QVariant> CLookupDlg::Dispatch(Message message, int id, const HelpInfo& info) {
  for (const MessageEntry& entry : kMessageMap) {
    if (entry.message != message || entry.id != id) continue;
    return std::visit(
        [this, &info](auto handler) -> QVariant {
          using Pointer = decltype(handler);
          if constexpr (std::is_same_v<Pointer, void (CLookupDlg::*)()>) {
            (this->*handler)();
            return QVariant(true);
          } else if constexpr (std::is_same_v<Pointer, QIcon (CLookupDlg::*)()>) {
            return QVariant::fromValue((this->*handler)());
          } else {
            return QVariant((this->*handler)(info));
          }
        },
        entry.handler);
  }
  return std::nullopt;
}

void CLookupDlg::setVisible(bool visible) {
  if (visible && !m_initialised) {
    m_initialised = true;
    const bool focusFirst = OnInitDialog();
    if (focusFirst && m_editNumber != nullptr) m_editNumber->setFocus(Qt::OtherFocusReason);
    adjustSize();
    CentreOnWorkArea();
  }
  QDialog::setVisible(visible);
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

void CLookupDlg::OnMenuCommand(int id) {
  Dispatch(Message::Command, id);
  // A menu opened from the keyboard leaves the focus on the menu bar, where digits and Esc go
  // nowhere; the number field takes it back with its number selected, as after a search.
  QMetaObject::invokeMethod(this, &CLookupDlg::FocusNumber, Qt::QueuedConnection);
}

void CLookupDlg::FocusNumber() {
  if (m_editNumber == nullptr) return;
  m_editNumber->setFocus(Qt::OtherFocusReason);
  m_editNumber->selectAll();
}

bool CLookupDlg::OnInitDialog() {
  DoDataExchange(DataExchange::Load);
  setWindowIcon(m_hIcon);  // one icon serves as the large and the small one
  return true;
}

void CLookupDlg::DoDataExchange(DataExchange direction) {
  BindControl(this, IDC_RESULT, m_editResult);
  BindControl(this, IDC_SEARCH, m_btnSearch);
  BindControl(this, IDC_NUMBER, m_editNumber);
  if (m_editNumber == nullptr) return;
  if (direction == DataExchange::Load) {
    m_editNumber->setText(kobal::app::DecodeShiftJis(m_strNumber.constData()));
  } else {
    m_strNumber = kobal::app::EncodeShiftJis(m_editNumber->text());
  }
  m_editNumber->setMaxLength(kNumberLimit);
}

void CLookupDlg::paintEvent(QPaintEvent* event) {
  if (!Dispatch(Message::Paint)) QDialog::paintEvent(event);
}

bool CLookupDlg::OwnsWidget(const QObject* object) const {
  for (const QObject* o = object; o != nullptr; o = o->parent()) {
    if (o == this) return true;
  }
  return false;
}

bool CLookupDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() && OwnsWidget(watched)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
      Dispatch(Message::HelpRequest, 0, HelpInfo{watched});
      return true;
    }
    if (IsIdleMenuBarWithFocus(watched) && !(key->modifiers() & ~Qt::ShiftModifier)) {
      // Leaving a keyboard-opened menu with Esc can leave the focus on the menu bar with no
      // menu active: the number field takes the focus back, and the key with it.
      FocusNumber();
      QCoreApplication::sendEvent(m_editNumber, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool CLookupDlg::IsIdleMenuBarWithFocus(const QObject* object) const {
  const auto* bar = qobject_cast<const QMenuBar*>(object);
  return bar != nullptr && m_editNumber != nullptr && bar->hasFocus() &&
         bar->activeAction() == nullptr && QApplication::activePopupWidget() == nullptr;
}

void CLookupDlg::OnPaint() {
  // Qt draws the dialog itself; only a window minimised into an icon is ours to paint.
  if (!isMinimized()) return;
  QPainter painter(this);
  painter.eraseRect(rect());
  const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
  const int x = (width() - iconSize + 1) / 2;
  const int y = (height() - iconSize + 1) / 2;
  m_hIcon.paint(&painter, QRect(x, y, iconSize, iconSize));
}

QIcon CLookupDlg::OnQueryDragIcon() { return m_hIcon; }

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
  const kobal::app::VersionRecord& record = kobal::app::kProgramVersion;
  QMessageBox box(QMessageBox::Information, QFileInfo(path).completeBaseName(),
                  QString::fromStdString(kobal::app::ComposeAboutText(record.productVersionMS,
                                                                      record.productVersionLS)),
                  QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void CLookupDlg::OnExit() {
  // Queued: the close is handled after this handler returns, like Esc or the close box.
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CLookupDlg::OpenHelpFile() {
  // Resolved against the current working directory, not the program's folder.
  QDesktopServices::openUrl(
      QUrl::fromLocalFile(QDir::current().absoluteFilePath(QString::fromLatin1(kHelpFile))));
}

void CLookupDlg::OnHelpContents() { OpenHelpFile(); }

bool CLookupDlg::OnHelpInfo(const HelpInfo&) {
  OpenHelpFile();
  return true;
}
