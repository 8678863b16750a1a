// THeaderControl: a comctl32 header ("SysHeader32"), a row of sections with a text, a width and
// an alignment each, that reports clicks on a section and takes the widths the user drags.
#pragma once

#include <string>

#include "toolkit/controls/std_ctrls.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/collection.h"

class TCustomHeaderControl;

class THeaderSection : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    explicit THeaderSection(TCollection* collection);

    std::string Text() const { return text_; }
    void SetText(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // The section's left edge: the widths of the sections before it.
    int Left() const;

    void Assign(const TPersistent* source) override;
    std::string DisplayName() const override { return text_.empty() ? ClassName() : text_; }

  private:
    friend class TCustomHeaderControl;
    void changed();

    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

// The sections of a header; added and removed through it, so the window follows.
class THeaderSections : public TCollection {
    QS_DECLARE_CLASS()
  public:
    explicit THeaderSections(TCustomHeaderControl* header);

    TCustomHeaderControl* Header() const { return header_; }
    THeaderSection* Add();
    THeaderSection* Items(int index) const { return static_cast<THeaderSection*>(Item(index)); }
    void Delete(int index);
    void Clear();

  private:
    TCustomHeaderControl* header_;
};

using TSectionNotifyEvent = TEvent<void(TCustomHeaderControl* HeaderControl, THeaderSection* Section)>;

class TCustomHeaderControl : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomHeaderControl(TComponent* AOwner);
    ~TCustomHeaderControl() override;

    THeaderSections* Sections() const { return &sections_; }
    void SetSections(THeaderSections* value) { sections_.Assign(value); }

    // A section was clicked (the header has HDS_BUTTONS).
    TSectionNotifyEvent OnSectionClick;
    // The user dragged a section to another width.
    TSectionNotifyEvent OnSectionResize;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void Loaded() override;
    void WndProc(TMessage& message) override;

  private:
    friend class THeaderSection;
    friend class THeaderSections;
    // Gives the window the sections again.
    void updateSections();
    bool notified(const NMHDR& header);

    mutable THeaderSections sections_;
};

class THeaderControl : public TCustomHeaderControl {
    QS_DECLARE_CLASS()
  public:
    explicit THeaderControl(TComponent* AOwner) : TCustomHeaderControl(AOwner) {}
};
