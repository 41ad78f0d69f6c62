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
          {IDC_NUMBER, ControlKind::NumberField, QRect(3, 4, 63, 12), nullptr, "電話番号",
           "調べる電話番号を数字で入力します（11桁まで）"},
          {IDC_SEARCH, ControlKind::DefaultButton, QRect(71, 4, 35, 12), "検索(&S)", "検索",
           "入力した電話番号が何の番号かを調べます"},
          {IDC_RESULT, ControlKind::ResultLine, QRect(3, 21, 132, 12), nullptr, "検索結果",
           "番号の種類と、固定電話の地域または携帯電話・PHSの事業者"},
      }}};
  return layout;
}

}  // namespace kobal::app
