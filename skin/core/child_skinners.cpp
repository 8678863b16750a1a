// The form skinner's list of child control skinners.
#include <algorithm>

#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_control.h"

TFormSkinner::~TFormSkinner() {
    FreeChildSkinners();
}

void TFormSkinner::RegisterChildSkinner(TSkinControl* skinner) {
    if (skinner && std::find(ChildSkinners.begin(), ChildSkinners.end(), skinner) == ChildSkinners.end())
        ChildSkinners.push_back(skinner);
}

void TFormSkinner::UnregisterChildSkinner(TSkinControl* skinner) {
    ChildSkinners.erase(std::remove(ChildSkinners.begin(), ChildSkinners.end(), skinner),
                        ChildSkinners.end());
}

TSkinControl* TFormSkinner::ChildSkinnerOf(HWND window) const {
    if (!window) return nullptr;
    for (TSkinControl* s : ChildSkinners)
        if (s->Handle == window) return s;
    return nullptr;
}

TSkinControl* TFormSkinner::ChildSkinnerOf(const TComponent* control) const {
    if (!control) return nullptr;
    for (TSkinControl* s : ChildSkinners)
        if (s->Control == control || s->RepaintTarget == control) return s;
    return nullptr;
}

void TFormSkinner::PurgeChildSkinners() {
    std::vector<TSkinControl*> gone;
    for (TSkinControl* s : ChildSkinners)
        if (s->State == ctWindowGone) gone.push_back(s);
    for (TSkinControl* s : gone)
        s->Release();
}

void TFormSkinner::FreeChildSkinners(bool unskinFirst) {
    // In the reverse of the order they attached.
    while (!ChildSkinners.empty()) {
        TSkinControl* s = ChildSkinners.back();
        ChildSkinners.pop_back();
        s->SkinForm = nullptr;
        if (unskinFirst && s->State != ctWindowGone) s->Unskin();
        // A skinner inside one of its own messages (a dialog closed from its own button) goes
        // when that message returns.
        s->Release();
    }
}
