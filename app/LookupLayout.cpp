// Dialog layout 102: the lookup dialog's caption, font and controls in dialog units.
#include "LookupLayout.h"

#include "resources/Resource.h"

namespace kobal::app {

const DialogLayout& LookupDialogLayout() {
  static const DialogLayout layout{
      IDD_LOOKUP,
      "Kobal",
      "ＭＳ Ｐゴシック",
      14,
      QSize(139, 37),
      {{
          {IDC_NUMBER, ControlKind::NumberField, QRect(3, 4, 63, 12), nullptr},
          {IDC_SEARCH, ControlKind::DefaultButton, QRect(71, 4, 35, 12), "検索(&S)"},
          {IDC_RESULT, ControlKind::ResultLine, QRect(3, 21, 132, 12), nullptr},
      }}};
  return layout;
}

}  // namespace kobal::app
