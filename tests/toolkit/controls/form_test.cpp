// Forms at run time: modal loops ended by a timer or a button, closing, positions and styles.
#include <gtest/gtest.h>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"

namespace {

TEST(Forms, ModalFormWithA300msTimerClosesItselfAndShowModalReturns) {
    auto* form = NewForm<TTestForm1>(nullptr);
    form->SetWindowState(wsMinimized);
    form->Timer1->SetEnabled(true);
    EXPECT_TRUE(form->Timer1->Running());
    DWORD start = GetTickCount();
    TModalResult result = form->ShowModal();
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(form->ticks, 1);
    EXPECT_GE(elapsed, 280u);
    EXPECT_LT(elapsed, 3000u);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Modal());
    delete form;
}

TEST(Forms, ModalLoopDisablesOtherWindowsAndEndsWithTheButtonsResult) {
    auto* other = NewForm<TPlainForm>(nullptr);
    other->Show();
    auto* dialog = NewForm<TPlainForm>(nullptr);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    bool otherDisabled = false;
    auto* timer = new TTimer(dialog);
    timer->SetInterval(50);
    timer->OnTimer = TNotifyEvent([&](TObject*) {
        timer->SetEnabled(false);
        otherDisabled = !IsWindowEnabled(other->Handle());
        SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
    });
    timer->SetEnabled(true);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    delete dialog;
    delete other;
}

TEST(Forms, CloseAsksOnCloseAndHonoursItsAction) {
    auto* form = NewForm<TPlainForm>(nullptr);
    form->Show();
    TCloseAction next = caNone;
    int closes = 0;
    form->OnClose = TCloseEvent([&](TObject*, TCloseAction& action) {
        ++closes;
        action = next;
    });
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0); // the close box
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    next = caHide;
    form->Close();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    bool canClose = false;
    form->OnCloseQuery = TCloseQueryEvent([&](TObject*, bool& ok) { ok = canClose; });
    form->Show();
    form->Close();
    EXPECT_EQ(closes, 2); // vetoed before OnClose
    delete form;
}

TEST(Forms, ReleaseFreesTheFormFromTheMessageLoop) {
    auto* form = NewForm<TPlainForm>(nullptr);
    size_t before = Screen->Forms().size();
    HWND hwnd = form->Handle();
    form->Release();
    EXPECT_TRUE(IsWindow(hwnd));
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Screen->Forms().size(), before - 1);
}

TEST(Forms, PositionBordersAndStyles) {
    auto* form = NewForm<TPlainForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    form->SetClientWidth(193);
    form->SetClientHeight(104);
    EXPECT_EQ(form->ClientWidth(), 193);
    EXPECT_EQ(form->ClientHeight(), 104);
    form->SetPosition(poScreenCenter);
    form->SetFormStyle(fsStayOnTop);
    form->SetBorderStyle(bsSingle);
    form->SetBorderIcons(BorderIconBit(biSystemMenu) | BorderIconBit(biMinimize));
    form->Show();
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, (Screen->Width() - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (Screen->Height() - (r.bottom - r.top)) / 2);
    LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form->SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CAPTION);
    form->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(form->Handle()));
    form->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(form->Handle()));
    delete form;
}

// A skinned caption draws the boxes the style bits name, so a tool window must keep them.
TEST(Forms, ToolWindowsKeepTheBoxesTheirIconsAskForDialogFramesDropThem) {
    constexpr LONG boxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    auto* form = new TPlainForm(nullptr);
    form->SetBorderStyle(bsToolWindow);
    form->SetBorderIcons(BorderIconBit(biSystemMenu) | BorderIconBit(biMinimize));
    form->AfterConstruction();
    const HWND h = form->Handle();
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & boxes, WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    form->SetBorderStyle(bsSizeToolWin);
    form->SetBorderIcons(BorderIconBit(biSystemMenu) | BorderIconBit(biMaximize) | BorderIconBit(biHelp));
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & (boxes | WS_THICKFRAME),
              WS_SYSMENU | WS_MAXIMIZEBOX | WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) << "help shows only without the boxes";

    form->SetBorderStyle(bsDialog);
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & boxes, WS_SYSMENU);
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    delete form;
}

TEST(Forms, FontsFollowTheParentUntilSetOwnFont) {
    auto* form = NewForm<TPlainForm>(nullptr);
    form->Font()->SetName("SimSun");
    form->Font()->SetHeight(-12);
    auto* label = new TLabel(form);
    label->SetParent(form);
    EXPECT_EQ(label->Font()->Name(), "SimSun");
    EXPECT_TRUE(label->ParentFont());
    form->Font()->SetHeight(-20);
    EXPECT_EQ(label->Font()->Height(), -20);
    label->Font()->SetColor(clNavy);
    EXPECT_FALSE(label->ParentFont());
    form->Font()->SetHeight(-11);
    EXPECT_EQ(label->Font()->Height(), -20);
    delete form;
}

TEST(Forms, TabAndEnterGoThroughTheDialogKeys) {
    auto* form = NewForm<TPlainForm>(nullptr);
    auto* first = new TButton(form);
    first->SetParent(form);
    auto* second = new TButton(form);
    second->SetParent(form);
    second->SetBounds(0, 40, 75, 25);
    second->SetDefault(true);
    int clicks = 0;
    second->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    {
        // The spy gives the form its procedure back, so it goes before the form.
        MessageSpy spy(form);
        form->Show();
        first->SetFocus();
        EXPECT_EQ(form->ActiveControl(), first);
        EXPECT_EQ(form->Perform(TKN_DIALOGKEY, VK_TAB, 0), 1);
        EXPECT_EQ(form->ActiveControl(), second);
        EXPECT_TRUE(second->Focused());
        EXPECT_EQ(form->Perform(TKN_DIALOGKEY, VK_RETURN, 0), 1);
        EXPECT_EQ(clicks, 1);
        second->SetCaption("&Go");
        EXPECT_EQ(form->Perform(TKN_DIALOGCHAR, 'g', 0), 1);
        EXPECT_EQ(clicks, 2);
        EXPECT_EQ(form->Perform(TKN_DIALOGCHAR, 'x', 0), 0);
        // Typed keys reach the form as the same notices from the message loop.
        spy.seen.clear();
        PostMessageA(second->Handle(), WM_KEYDOWN, VK_TAB, 0);
        Application->ProcessMessages();
        EXPECT_EQ(spy.Count(TKN_DIALOGKEY), 1);
        EXPECT_EQ(form->ActiveControl(), first);
    }
    delete form;
}

TEST(Forms, FocusNoticesReachTheControls) {
    auto* form = NewForm<TPlainForm>(nullptr);
    auto* a = new TButton(form);
    a->SetParent(form);
    auto* b = new TButton(form);
    b->SetParent(form);
    form->Show();
    a->SetFocus();
    {
        MessageSpy spyA(a), spyB(b);
        b->SetFocus();
        EXPECT_EQ(spyA.Count(TKN_EXIT), 1);
        EXPECT_EQ(spyB.Count(TKN_ENTER), 1);
        EXPECT_EQ(spyA.Count(TKN_FOCUSCHANGED), 1);
        EXPECT_EQ(spyB.Count(TKN_FOCUSCHANGED), 1);
    }
    delete form;
}

TEST(Forms, AFormShownWithoutAFocusedControlFocusesItsFirstTabStop) {
    auto* form = NewForm<TPlainForm>(nullptr);
    auto* label = new TLabel(form);
    label->SetParent(form);
    auto* only = new TButton(form);
    only->SetParent(form);
    only->SetTop(40);
    form->Show();
    SetForegroundWindow(form->Handle());
    Application->ProcessMessages();
    EXPECT_EQ(form->ActiveControl(), only);
    EXPECT_EQ(GetFocus(), only->Handle()) << "Space or Enter reach the button at once";
    delete form;
}

} // namespace
