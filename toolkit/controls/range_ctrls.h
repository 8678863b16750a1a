// The comctl32 range controls: TTrackBar (a slider), TUpDown (spin arrows that can keep another
// control's text as their number) and TProgressBar.
#pragma once

#include "toolkit/controls/win_control.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
const TEnumInfo& TrackBarOrientationInfo();
enum TTickStyle { tsNone, tsAuto, tsManual };
const TEnumInfo& TickStyleInfo();
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
const TEnumInfo& TickMarkInfo();

class TTrackBar : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TTrackBar(TComponent* AOwner);

    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    int Min() const { return min_; }
    void SetMin(int value) { SetParams(position_, value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetParams(position_, min_, value); }
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    void SetParams(int position, int min, int max);
    // A tick every Frequency positions (with tsAuto).
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle value);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark value);

    // After Position changed, by the user or in code.
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

  private:
    TTrackBarOrientation orientation_ = trHorizontal;
    int min_ = 0, max_ = 10, position_ = 0;
    int frequency_ = 1, lineSize_ = 1, pageSize_ = 2;
    TTickStyle tickStyle_ = tsAuto;
    TTickMark tickMarks_ = tmBottomRight;
};

enum TUDOrientation { udHorizontal, udVertical };
const TEnumInfo& UDOrientationInfo();
// Which arrow was clicked: btNext raises Position (up, or right), btPrev lowers it.
enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = TEvent<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TUpDown(TComponent* AOwner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    // Positions moved per click.
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    // Past one end the next click goes on from the other.
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    // The control whose text shows Position; the arrows move to its right edge.
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* value);

    // After a click moved Position.
    TUDClickEvent OnClick;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

  private:
    void applyRange();
    void showInAssociate();
    void placeBesideAssociate();

    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    TUDOrientation orientation_ = udVertical;
    bool wrap_ = false;
    TWinControl* associate_ = nullptr;
    TUDBtnType lastButton_ = btNext;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };
const TEnumInfo& ProgressBarOrientationInfo();

class TProgressBar : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TProgressBar(TComponent* AOwner);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);
    // One continuous bar rather than blocks.
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    int Step() const { return step_; }
    void SetStep(int value) { step_ = value; }
    // Advances by Step; past Max it starts over from Min with what was left over.
    void StepIt();
    void StepBy(int delta);

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void Loaded() override;

  private:
    void applyToWindow();

    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    TProgressBarOrientation orientation_ = pbHorizontal;
    bool smooth_ = false;
};
