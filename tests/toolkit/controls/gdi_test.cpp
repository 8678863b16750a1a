// GDI and USER hygiene: creating and destroying a populated form many times leaks nothing.
#include <gtest/gtest.h>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"

namespace {

void cycle() {
    auto* form = NewForm<TPlainForm>(nullptr);
    form->SetBounds(10, 10, 300, 200);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(5, 5, 200, 100);
    panel->SetColor(clTeal);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    label->SetCaption("Label");
    label->Font()->SetName("SimSun");
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetCaption("OK");
    button->Font()->SetHeight(-14);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->Canvas().Rectangle(0, 0, 10, 10);
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("Item");
    popup->Items()->Add(item);
    popup->Handle();
    form->SetPopupMenu(popup);
    form->Show();
    form->Update();
    delete form;
}

TEST(GdiHygiene, TwoHundredFormCyclesLeaveNoObjectsBehind) {
    cycle(); // first use creates what lives for the process (classes, stock objects, menu font)
    Application->ProcessMessages();
    DWORD gdi = qs::test::GdiObjectCount(), user = qs::test::UserObjectCount();
    for (int i = 0; i < 200; ++i)
        cycle();
    Application->ProcessMessages();
    EXPECT_LE(qs::test::GdiObjectCount(), gdi + 2) << "GDI before: " << gdi;
    EXPECT_LE(qs::test::UserObjectCount(), user + 2) << "USER before: " << user;
}

} // namespace
