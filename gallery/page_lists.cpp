// The gallery's "Lists" page: everything it holds comes from its form text.
#include "gallery/page_lists.h"

#include <algorithm>

#include "toolkit/core/class_builder.h"
#include "toolkit/handles.h"

const TClassInfo& TWideListBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TWideListBox>("TWideListBox", &TListBox::StaticClass()).Creatable().Build();
    return info;
}

void TWideListBox::CreateParams(TCreateParams& params) {
    TListBox::CreateParams(params);
    params.Style |= WS_HSCROLL;
}

void TWideListBox::InitializeWnd() {
    TListBox::InitializeWnd();
    HWND h = Handle();
    win::WindowDC dc = win::WindowDC::Client(h);
    win::SelectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int i = 0; i < Items()->Count(); ++i) {
        const std::string& line = Items()->Strings(i);
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), line.c_str(), int(line.size()), &size);
        widest = std::max(widest, int(size.cx));
    }
    // A little room after the text, as the list box leaves before it.
    SendMessageA(h, LB_SETHORIZONTALEXTENT, WPARAM(widest + 6), 0);
}

const TClassInfo& TListsPage::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TListsPage>("TListsPage", &TForm::StaticClass()).Creatable().Build();
    return info;
}
