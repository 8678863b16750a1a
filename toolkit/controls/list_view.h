// TListView: a comctl32 list view ("SysListView32"). In report view (vsReport) it shows Columns
// (a caption and a width each) over Items, each a caption with its SubItems in the further columns.
#pragma once

#include <string>

#include "toolkit/controls/win_control.h"
#include "toolkit/core/collection.h"
#include "toolkit/core/strings.h"

class TCustomListView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const TEnumInfo& ViewStyleInfo();

class TListColumn : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    explicit TListColumn(TCollection* collection);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);

    void Assign(const TPersistent* source) override;

  private:
    friend class TCustomListView;
    void changed();

    std::string caption_;
    int width_ = 50;
};

class TListItem : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    explicit TListItem(TCollection* collection);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // The texts of the second and further columns.
    TStrings* SubItems() const { return &subItems_; }
    void SetSubItems(TStrings* value) { subItems_.Assign(value); }

    void Assign(const TPersistent* source) override;

  private:
    friend class TCustomListView;
    void changed();

    std::string caption_;
    mutable TStrings subItems_;
};

// Columns and items of a list view; added and removed through them, so the window follows.
class TListColumns : public TCollection {
    QS_DECLARE_CLASS()
  public:
    explicit TListColumns(TCustomListView* view);
    TCustomListView* View() const { return view_; }
    TListColumn* Add();
    TListColumn* Items(int index) const { return static_cast<TListColumn*>(Item(index)); }
    void Delete(int index);
    void Clear();

  private:
    TCustomListView* view_;
};

class TListItems : public TCollection {
    QS_DECLARE_CLASS()
  public:
    explicit TListItems(TCustomListView* view);
    TCustomListView* View() const { return view_; }
    TListItem* Add();
    TListItem* Items(int index) const { return static_cast<TListItem*>(Item(index)); }
    void Delete(int index);
    void Clear();

  private:
    TCustomListView* view_;
};

using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;

class TCustomListView : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TListColumns* Columns() const { return &columns_; }
    void SetColumns(TListColumns* value) { columns_.Assign(value); }
    TListItems* Items() const { return &items_; }
    void SetItems(TListItems* value) { items_.Assign(value); }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    // The user cannot edit item captions in place.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // A selected item is highlighted across all its columns, not only its caption.
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    // The selected item (the first, when more are), -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int value);

    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void Loaded() override;
    void WndProc(TMessage& message) override;

  private:
    friend class TListColumn;
    friend class TListItem;
    friend class TListColumns;
    friend class TListItems;
    void updateColumns();
    void updateItems();
    void applyExtendedStyle();
    // A notice the view answers itself; result is its answer.
    bool notified(const NMHDR& header, LRESULT& result);

    mutable TListColumns columns_;
    mutable TListItems items_;
    TViewStyle viewStyle_ = vsIcon;
    bool readOnly_ = false;
    bool rowSelect_ = false;
    // The selection the window does not hold yet (before it exists, or while loading).
    int pendingIndex_ = -1;
    // The window is being given the items again: its notices are not the user's.
    bool rebuilding_ = false;
};

class TListView : public TCustomListView {
    QS_DECLARE_CLASS()
  public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
