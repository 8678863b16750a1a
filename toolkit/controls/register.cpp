// Class registration of every creatable toolkit class (idempotent).
#include "toolkit/controls/register.h"

#include "toolkit/controls/actions.h"
#include "toolkit/controls/bit_btn.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/date_time.h"
#include "toolkit/controls/edit_ctrls.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/header_ctrl.h"
#include "toolkit/controls/list_box.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/media_player.h"
#include "toolkit/controls/memo.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/radio_group.h"
#include "toolkit/controls/range_ctrls.h"
#include "toolkit/controls/scroll_ctrls.h"
#include "toolkit/controls/speed_button.h"
#include "toolkit/controls/status_bar.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/controls/tab_ctrls.h"
#include "toolkit/controls/tab_set.h"
#include "toolkit/controls/timer.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/graphics/image_list.h"

void RegisterControlClasses() {
    static const bool done = [] {
        TForm::StaticClass();
        TLabel::StaticClass();
        TButton::StaticClass();
        TBitBtn::StaticClass();
        TSpeedButton::StaticClass();
        TCheckBox::StaticClass();
        TRadioButton::StaticClass();
        TGroupBox::StaticClass();
        TRadioGroup::StaticClass();
        TPanel::StaticClass();
        TShape::StaticClass();
        TImage::StaticClass();
        TBevel::StaticClass();
        TToolBar::StaticClass();
        TToolButton::StaticClass();
        TScrollBar::StaticClass();
        TScrollBox::StaticClass();
        TMemo::StaticClass();
        TListBox::StaticClass();
        TTrackBar::StaticClass();
        TUpDown::StaticClass();
        TProgressBar::StaticClass();
        TTabControl::StaticClass();
        TPageControl::StaticClass();
        TTabSheet::StaticClass();
        TTabSet::StaticClass();
        TTimer::StaticClass();
        TMenuItem::StaticClass();
        TMainMenu::StaticClass();
        TPopupMenu::StaticClass();
        TAction::StaticClass();
        TActionList::StaticClass();
        TImageList::StaticClass();
        TEdit::StaticClass();
        TComboBox::StaticClass();
        TComboBoxEx::StaticClass();
        TDateTimePicker::StaticClass();
        TStatusBar::StaticClass();
        THeaderControl::StaticClass();
        TListView::StaticClass();
        TMediaPlayer::StaticClass();
        return true;
    }();
    (void)done;
}
