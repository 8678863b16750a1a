// TSkinEdit: an edit's border in the skin's shadow colour, and the skin on a spin window inside it.
#include <windows.h>

#include <commctrl.h>

#include "skin/controls/skin_edits.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/object.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinEdit::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinEdit>("TSkinEdit", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// The form skinner asks an edit to paint itself into a DC it gives (wParam), signed in lParam.
constexpr UINT kPaintIntoDC = 0xBC4A;
constexpr LPARAM kSkinSignature = 0x41A2;

void frameIn(HDC dc, const RECT& r, COLORREF colour) {
    win::BrushHandle brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.Get());
}

bool isSpinClass(HWND window) {
    char name[101] = {};
    GetClassNameA(window, name, sizeof name - 1);
    const std::string lower = LowerCase(name);
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
           lower.find("updown") != std::string::npos;
}

} // namespace

bool HasNonClientBorder(HWND window) {
    RECT w{}, c{};
    if (!GetWindowRect(window, &w) || !GetClientRect(window, &c)) return false;
    return RectWidth(w) != c.right && RectHeight(w) != c.bottom;
}

TSkinEdit::~TSkinEdit() {
    FreeWhenIdle(std::move(UpDown));
}

void TSkinEdit::Unskin() {
    if (UpDown) UpDown->Unskin();
    TSkinControl::Unskin();
}

void TSkinEdit::attachSpin() {
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!isSpinClass(child)) continue;
        // A spin that has a skinner of its own keeps it.
        if (SendMessageA(child, SKM_ISSKINNED, 0, 0) == 1) return;
        UpDown = std::make_unique<TSkinUpDown>(nullptr);
        UpDown->InEdit = true;
        // Owned here, not by the form skinner: it goes with this skinner.
        UpDown->AttachToWindow(child, SkinData, nullptr, Canvas);
        return;
    }
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData) return;
    if (!UpDown && InSet(SkinData->SkinControls(), xcSpin)) attachSpin();
    if (!HasNonClientBorder(Handle)) return;
    frameIn(dc, rect, ColorToRGB(SkinData->Colour(scButtonShadow)));
    RECT inner = rect;
    for (int ring = 0; ring < 2; ++ring) {
        InflateRect(&inner, -1, -1);
        frameIn(dc, inner, RGB(255, 255, 255));
    }
}

void TSkinEdit::printBorder(HDC dc) {
    if (!SkinData || !GetWindowRect(Handle, &WindowRect)) return;
    RECT client{};
    GetClientRect(Handle, &client);
    const int w = RectWidth(WindowRect), h = RectHeight(WindowRect);
    if (client.right + 2 >= w || client.bottom + 2 >= h) return;
    const RECT all{0, 0, w, h};
    RECT inner = all;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, HBRUSH(GetCurrentObject(dc, OBJ_BRUSH)));
    frameIn(dc, all, ColorToRGB(SkinData->Colour(scButtonShadow)));
}

void TSkinEdit::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: PaintWindow(HDC(m.WParam)); break;
    case WM_PRINTCLIENT:
        if (m.WParam) {
            printBorder(HDC(m.WParam));
        } else {
            win::WindowDC dc = win::WindowDC::Frame(Handle);
            if (dc.Get()) printBorder(dc.Get());
        }
        break;
    case kPaintIntoDC:
        if (m.LParam != kSkinSignature) {
            TSkinControl::AfterDefault(m);
            break;
        }
        if (m.WParam) {
            TMessage paint{WM_PAINT, m.WParam, 0, 0};
            CallDefault(paint);
        }
        m.Result = kSkinSignature;
        break;
    default: TSkinControl::AfterDefault(m); break;
    }
}
