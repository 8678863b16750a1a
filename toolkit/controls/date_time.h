// TDateTimePicker: a SysDateTimePick32 that edits a date or a time of day, with a drop-down
// calendar or with spin arrows.
#pragma once

#include "toolkit/controls/win_control.h"

enum TDateTimeKind { dtkDate, dtkTime };
const TEnumInfo& DateTimeKindInfo();
enum TDTDateMode { dmComboBox, dmUpDown };
const TEnumInfo& DTDateModeInfo();

class TDateTimePicker : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode value);
    // The value, read back from the window when there is one.
    SYSTEMTIME DateTime() const;
    void SetDateTime(const SYSTEMTIME& value);
    // The date part as "yyyy-mm-dd" and the time of day as "hh:mm:ss", as form texts store
    // them; a text that is no valid date or time is ignored.
    std::string Date() const;
    void SetDate(const std::string& value);
    std::string Time() const;
    void SetTime(const std::string& value);

    // After the user or the program changed the value.
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;

  private:
    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    SYSTEMTIME value_{};
};
