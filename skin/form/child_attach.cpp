// Child control attachment: walking a form's controls (or a plain window's children), choosing
// each one's skinner (attach_rules) and carrying the choice out.
#include <algorithm>

#include "skin/core/control_skinners.h"
#include "skin/core/skin_control.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/attach_rules.h"
#include "skin/form/control_families.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/core/collection.h"
#include "toolkit/core/prop_access.h"

namespace {

// Class names of window classes are at most this long for attachment.
constexpr int kClassNameLength = 100;

bool answersSkinned(TControl& control) {
    return control.Perform(SKM_ISSKINNED) == 1;
}

// The buttons of radio and check groups go with their group when it is excluded.
bool isChoiceGroup(const TControl& control) {
    const std::string name = LowerCase(control.ClassName());
    return name.find("radiogroup") != std::string::npos || name.find("checkgroup") != std::string::npos;
}

// Left to the system: the control carries DisableTag, or it is a button of a group that does.
bool excluded(const TControl& control, int disableTag) {
    if (control.Tag() == disableTag) return true;
    const TControl* group = control.Parent();
    return group && group->Tag() == disableTag && isChoiceGroup(*group);
}

std::vector<TControl*> childControls(TControl& control) {
    auto* win = dynamic_cast<TWinControl*>(&control);
    return win ? win->Controls() : std::vector<TControl*>{};
}

} // namespace

TAttachFacts TWinSkinForm::attachFacts() const {
    TAttachFacts facts;
    facts.Controls = SkinData->SkinControls();
    facts.HasTabs = SkinData->Tabs != nullptr;
    facts.FrameSkinned = FrameSkinned;
    facts.Skin3rd = &SkinData->Skin3rd();
    return facts;
}

void TWinSkinForm::attachAllControls() {
    if (!SkinData || !Form) return;
    PurgeChildSkinners();
    AttachComponents(Form);
    std::vector<TWinControl*> tabOrder;
    Form->GetTabOrderList(tabOrder);
    for (TWinControl* c : tabOrder) {
        if (!c->HandleAllocated() || excluded(*c, SkinData->DisableTag())) continue;
        if (SendMessageA(c->Handle(), SKM_ISSKINNED, 0, 0) == 1) continue;
        AttachControl(c, Form);
    }
}

void TWinSkinForm::AttachComponents(TComponent* owner) {
    // Attaching can create skinners owned by these very components; walk a copy.
    const std::vector<TComponent*> components = owner->Components();
    for (TComponent* c : components)
        if (auto* control = dynamic_cast<TControl*>(c))
            AttachControl(control, dynamic_cast<TControl*>(owner));
}

void TWinSkinForm::AttachChildren(TControl* control) {
    for (TControl* child : childControls(*control))
        AttachControl(child, control);
}

void TWinSkinForm::AttachControl(TControl* control, TControl* parent) {
    if (!control || !SkinData) return;
    const int disableTag = SkinData->DisableTag();
    if (control->Tag() == disableTag && isChoiceGroup(*control))
        for (TControl* child : childControls(*control))
            child->SetTag(disableTag);
    if (excluded(*control, disableTag)) return;
    if (!control->Parent() || ChildSkinnerOf(control) || answersSkinned(*control)) return;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        try {
            win->HandleNeeded();
        } catch (...) {
            return; // a control that cannot have a window keeps its look
        }
    }
    if (SkinData->OnSkinControl) {
        TComponent* result = nullptr;
        SkinData->OnSkinControl(this->Control, SkinData, parent, control, UpperCase(control->ClassName()),
                                result);
        if (result) {
            adoptSkinner(result, *control);
            return;
        }
    }
    carryOut(DecideControl(*control, attachFacts()), *control);
}

void TWinSkinForm::adoptSkinner(TComponent* result, TControl& control) {
    auto* skinner = dynamic_cast<TSkinControl*>(result);
    if (skinner && std::find(ChildSkinners.begin(), ChildSkinners.end(), skinner) == ChildSkinners.end()) {
        RegisterChildSkinner(skinner);
        skinner->AttachToControl(this, SkinData, skinner->SetColour, nullptr);
    }
    if (control.InheritsFrom("TCustomPanel")) AttachChildren(&control);
}

void TWinSkinForm::carryOut(const TAttachDecision& decision, TControl& control) {
    for (const TAttachAction& action : decision.Actions) {
        switch (action.Step) {
        case TAttachStep::Skinner: makeSkinner(control, action.Plan); break;
        case TAttachStep::EachChild:
            for (TControl* child : childControls(control))
                if (!ChildSkinnerOf(child) && !excluded(*child, SkinData->DisableTag()))
                    makeSkinner(*child, action.Plan);
            break;
        case TAttachStep::EachChildEmbedded:
            for (TControl* child : childControls(control)) {
                if (ChildSkinnerOf(child) || excluded(*child, SkinData->DisableTag())) continue;
                if (InFamily(*child, TControlFamily::EmbeddedScroll))
                    makeSkinner(*child, PlanOf(TSkinnerKind::ScrollControl));
                else if (HasScrollBars(*child))
                    makeSkinner(*child, PlanOf(TSkinnerKind::Scrollbar));
            }
            break;
        case TAttachStep::Children: AttachChildren(&control); break;
        case TAttachStep::Components: AttachComponents(&control); break;
        case TAttachStep::MenuOwnerDraw: {
            auto* menu = dynamic_cast<TMenu*>(GetObjectProp(&control, action.Property));
            if (menu) SetItemTreeOwnerDraw(menu->Items(), true);
            break;
        }
        case TAttachStep::ColourBands:
            if (auto* bands = dynamic_cast<TCollection*>(GetObjectProp(&control, "Bands")))
                for (TCollectionItem* band : bands->Items())
                    SetOrdProp(band, "Color", SkinData->Colour(scButtonFace));
            break;
        case TAttachStep::ToolbarSetup: installToolbarHandlers(control); break;
        case TAttachStep::Transparent: SetPropFromText(&control, "Transparent", "True"); break;
        case TAttachStep::WindowEdit:
            if (auto* win = dynamic_cast<TWinControl*>(&control))
                makeWindowSkinner(win->Handle(), PlanOf(TSkinnerKind::Edit));
            break;
        case TAttachStep::ChildWindows:
        case TAttachStep::FirstChildWindow:
        case TAttachStep::ColourRegistered: break; // plain windows only
        }
    }
}

TSkinControl* TWinSkinForm::makeSkinner(TControl& control, const TSkinnerPlan& plan) {
    TSkinControl* skinner = MakeControlSkinner(plan, &control);
    if (!skinner) return nullptr;
    skinner->AttachToControl(this, SkinData, plan.WithColour, nullptr);
    if (!skinner->Attached) {
        delete skinner;
        return nullptr;
    }
    return skinner;
}

TSkinControl* TWinSkinForm::makeWindowSkinner(HWND window, const TSkinnerPlan& plan) {
    if (!window || ChildSkinnerOf(window)) return nullptr;
    TSkinControl* skinner = MakeControlSkinner(plan, nullptr);
    if (!skinner) return nullptr;
    skinner->AttachToWindow(window, SkinData, this, nullptr);
    if (!skinner->Attached) {
        delete skinner;
        return nullptr;
    }
    return skinner;
}

void TWinSkinForm::attachChildWindows() {
    AttachChildWindows(Handle);
}

void TWinSkinForm::AttachChildWindows(HWND window) {
    // Attaching may create windows (a size grip); collect the children first.
    std::vector<HWND> children;
    for (HWND c = GetTopWindow(window); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLongA(c, GWL_STYLE) & WS_CHILD) children.push_back(c);
    for (HWND c : children)
        AttachWindow(c);
}

void TWinSkinForm::AttachWindow(HWND window) {
    if (!window || !SkinData || ChildSkinnerOf(window)) return;
    char name[kClassNameLength + 1] = {};
    GetClassNameA(window, name, kClassNameLength + 1);
    const DWORD style = DWORD(GetWindowLongA(window, GWL_STYLE));
    const TAttachDecision decision = DecideWindow(name, style, SkinData->SkinControls());
    for (const TAttachAction& action : decision.Actions) {
        switch (action.Step) {
        case TAttachStep::ChildWindows: AttachChildWindows(window); break;
        case TAttachStep::Skinner: makeWindowSkinner(window, action.Plan); break;
        case TAttachStep::FirstChildWindow: makeWindowSkinner(GetTopWindow(window), action.Plan); break;
        case TAttachStep::ColourRegistered:
            if (TControl* control = FindToolkitControl(window))
                control->SetColor(SkinData->Colour(scButtonFace));
            break;
        default: break;
        }
    }
}

void TWinSkinForm::RecreateScrollSkinner(HWND window) {
    for (auto it = ChildSkinners.rbegin(); it != ChildSkinners.rend(); ++it) {
        TSkinControl* old = *it;
        if (old->Handle != window) continue;
        const bool listView = old->InheritsFrom("TSkinListView");
        TControl* control = old->Control;
        old->Release();
        if (control)
            makeSkinner(*control, PlanOf(listView ? TSkinnerKind::ListView : TSkinnerKind::Scrollbar));
        return;
    }
}

void TWinSkinForm::freeChildSkinners() {
    removeToolbarHandlers();
    // Unskinning gives the controls their colours back; a window going away has nothing to give.
    FreeChildSkinners(State != fsUnskinning);
}
