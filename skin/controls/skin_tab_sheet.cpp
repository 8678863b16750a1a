// TSkinTabSheet: a page of a page control filled with the skin's face colour.
#include <windows.h>

#include "skin/controls/skin_tabs.h"
#include "skin/core/skin_data.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TSkinTabSheet::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinTabSheet>("TSkinTabSheet", &TSkinControl::StaticClass()).Build();
    return info;
}

bool TSkinTabSheet::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    RECT client{};
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        GetClientRect(Handle, &client);
        paintMessage(HDC(m.WParam), client);
        m.Result = 0;
        return false;
    case WM_ERASEBKGND:
        GetClientRect(Handle, &client);
        if (SkinData) FillRect(HDC(m.WParam), &client, SkinData->FaceBrush());
        m.Result = 1;
        return false;
    default: return true;
    }
}

void TSkinTabSheet::DrawSkin(HDC dc, const RECT& rect) {
    FillFace(dc, rect);
    PaintWindowlessChildren(Control, dc, rect);
}
