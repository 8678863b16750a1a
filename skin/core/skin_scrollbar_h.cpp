// TSkinScrollbarH: overlays over a plain window's scroll bars (the list of a simple combo box).
#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_scrollbar.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TSkinScrollbarH::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinScrollbarH>("TSkinScrollbarH", &TSkinControl::StaticClass()).Build();
    return info;
}

TSkinScrollbarH::~TSkinScrollbarH() = default;

void TSkinScrollbarH::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) {
    TSkinControl::AttachToWindow(window, skin, skinForm, canvas);
    if (!Attached) return;
    HorzBar = std::make_unique<TWScrollbar>();
    VertBar = std::make_unique<TWScrollbar>();
    HorzBar->AttachToWindow(this, window, 0);
    VertBar->AttachToWindow(this, window, 1);
}

void TSkinScrollbarH::Unskin() {
    if (!SkinEnabled) return;
    TSkinControl::Unskin();
    if (State != ctWindowGone) {
        HorzBar.reset();
        VertBar.reset();
    } else {
        if (HorzBar) HorzBar->HideBar();
        if (VertBar) VertBar->HideBar();
    }
}

void TSkinScrollbarH::AfterDefault(TMessage& m) {
    if (VertBar && !IsWindowVisible(Handle)) VertBar->HideBar();
    switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        // The system has drawn its bars again, under the overlays or over them.
        for (TWScrollbar* bar : {HorzBar.get(), VertBar.get()})
            if (bar) {
                bar->UpdatePosition();
                bar->Repaint();
            }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        TWScrollbar* bar = m.Msg == WM_HSCROLL ? HorzBar.get() : VertBar.get();
        if (bar) {
            bar->HotPart = LOWORD(m.WParam);
            bar->Repaint();
        }
        break;
    }
    default: TSkinControl::AfterDefault(m); break;
    }
}

void TSkinScrollbarH::DrawSkin(HDC dc, const RECT&) {
    for (TWScrollbar* bar : {VertBar.get(), HorzBar.get()})
        if (bar && bar->Shown) bar->Repaint();
    if (VertBar && HorzBar && VertBar->Shown && HorzBar->Shown)
        FillColour(dc, ScrollCorner(Handle, *VertBar, *HorzBar),
                   SkinData ? SkinData->Colour(scButtonFace) : clBtnFace);
}
