// Which skinner a child control or a plain child window gets: the decision only, as a list of
// actions the form skinner then carries out (skin/form/child_attach.cpp). Kept apart so the
// whole table can be checked for controls whose painters do not exist yet.
//
// Toolkit controls: a Skin3rd entry for the class decides alone; otherwise the first matching row
// of the class table, each row gated by a member of the skin's SkinControls (a row whose gate is
// missing falls through to the next). Plain windows: by window class name and style.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/core/control_skinners.h"
#include "skin/core/skin_types.h"

class TControl;

enum class TAttachStep {
    Skinner,           // the control gets Plan
    EachChild,         // every child control gets Plan (the buttons of a radio group)
    EachChildEmbedded, // every child: an embedded-scroll control or one with scroll bars
    Children,          // every child control goes through attachment itself
    Components,        // every component the control owns goes through attachment
    MenuOwnerDraw,     // the items of the menu in property Property become owner-drawn
    ColourBands,       // a cool bar's bands take the skin's face colour
    ToolbarSetup,      // Flat := True and the tool-bar custom-draw handlers
    Transparent,       // "Transparent" := True, before the skinner
    WindowEdit,        // an edit skinner on the control's window, as for a plain window
    ChildWindows,      // plain windows: every child window goes through attachment
    FirstChildWindow,  // plain windows: the first child window gets Plan
    ColourRegistered,  // plain windows: the toolkit control registered for it takes the face colour
};

struct TAttachAction {
    TAttachStep Step = TAttachStep::Skinner;
    TSkinnerPlan Plan{};
    const char* Property = "";
};

struct TAttachDecision {
    // Which rule decided: "skin3rd", "row 10", "button", ... ; empty when none did.
    std::string Rule;
    std::vector<TAttachAction> Actions;

    // The skinner the control itself gets (None when it gets none).
    TSkinnerKind SkinnerKind() const;
};

// What the decision reads of the skin and the form.
struct TAttachFacts {
    TSkinControlTypes Controls = 0;
    bool HasTabs = false;
    bool FrameSkinned = false;
    const std::vector<std::string>* Skin3rd = nullptr;
};

// The Skin3rd kind for a class ("panel"), lower-cased; empty without an entry.
std::string Skin3rdKind(const std::vector<std::string>& table, const std::string& className);

// A windowed control with WS_VSCROLL or WS_HSCROLL, or one of the scrollable families.
bool HasScrollBars(const TControl& control);

TAttachDecision DecideControl(const TControl& control, const TAttachFacts& facts);
// `className` as GetClassName gives it; `style` the window style.
TAttachDecision DecideWindow(const std::string& className, DWORD style, TSkinControlTypes controls);
