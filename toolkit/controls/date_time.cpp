// TDateTimePicker.
#include "toolkit/controls/date_time.h"

#include <commctrl.h>

#include <cstdio>

#include "toolkit/core/class_builder.h"

const TEnumInfo& DateTimeKindInfo() {
    static const TEnumInfo info{"TDateTimeKind", {"dtkDate", "dtkTime"}};
    return info;
}
const TEnumInfo& DTDateModeInfo() {
    static const TEnumInfo info{"TDTDateMode", {"dmComboBox", "dmUpDown"}};
    return info;
}

namespace {

bool leapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysIn(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

// The day of the week (0 Sunday) the picker expects in a SYSTEMTIME it is given.
WORD dayOfWeek(int y, int m, int d) {
    static const int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3) --y;
    return WORD((y + y / 4 - y / 100 + y / 400 + offsets[m - 1] + d) % 7);
}

} // namespace

const TClassInfo& TDateTimePicker::StaticClass() {
    using P = TDateTimePicker;
    static const TClassInfo& info =
        TClassBuilder<P>("TDateTimePicker", &TWinControl::StaticClass())
            .Creatable()
            .Enum("Kind", DateTimeKindInfo(), &P::Kind, &P::SetKind, dtkDate)
            .Enum("DateMode", DTDateModeInfo(), &P::DateMode, &P::SetDateMode, dmComboBox)
            .Str("Date", &P::Date, &P::SetDate)
            .Str("Time", &P::Time, &P::SetTime)
            .Bool("TabStop", &P::TabStop, &P::SetTabStop, true)
            .Event("OnChange", &P::OnChange)
            .Build();
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 186;
    height_ = 21;
    color_ = clWindow;
    SetTabStop(true);
    GetLocalTime(&value_);
    value_.wMilliseconds = 0;
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    p.SysClassName = DATETIMEPICK_CLASSA;
    if (kind_ == dtkTime) p.Style |= DTS_TIMEFORMAT;
    if (dateMode_ == dmUpDown) p.Style |= DTS_UPDOWN;
}

void TDateTimePicker::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
    if (value == kind_) return;
    kind_ = value;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode value) {
    if (value == dateMode_) return;
    dateMode_ = value;
    RecreateWnd();
}

SYSTEMTIME TDateTimePicker::DateTime() const {
    return value_;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
    value_ = value;
    value_.wMilliseconds = 0;
    value_.wDayOfWeek = dayOfWeek(value_.wYear, value_.wMonth, value_.wDay);
    if (HandleAllocated())
        SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
    if (!IsLoading() && OnChange) OnChange(this);
}

std::string TDateTimePicker::Date() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", value_.wYear, value_.wMonth, value_.wDay);
    return text;
}

void TDateTimePicker::SetDate(const std::string& value) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(value.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3) return;
    // The picker's calendar starts in 1601 and ends with 30827.
    if (y < 1601 || y > 30827 || m < 1 || m > 12 || d < 1 || d > daysIn(y, m)) return;
    SYSTEMTIME t = value_;
    t.wYear = WORD(y);
    t.wMonth = WORD(m);
    t.wDay = WORD(d);
    SetDateTime(t);
}

std::string TDateTimePicker::Time() const {
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", value_.wHour, value_.wMinute, value_.wSecond);
    return text;
}

void TDateTimePicker::SetTime(const std::string& value) {
    int h = 0, m = 0, s = 0;
    char tail = 0;
    if (std::sscanf(value.c_str(), "%d:%d:%d%c", &h, &m, &s, &tail) != 3) return;
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return;
    SYSTEMTIME t = value_;
    t.wHour = WORD(h);
    t.wMinute = WORD(m);
    t.wSecond = WORD(s);
    SetDateTime(t);
}

void TDateTimePicker::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        if (header->code == DTN_DATETIMECHANGE) {
            const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
            if (change->dwFlags == GDT_VALID) {
                value_ = change->st;
                value_.wMilliseconds = 0;
                if (OnChange) OnChange(this);
            }
        }
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}
