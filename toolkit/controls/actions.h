// Actions: one command (its caption, state, image, shortcut and handlers) that several menu items
// show and run. TAction lives in a TActionList; items link to it through their Action property.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"

class TAction;
class TActionList;
class TImageList;

// What shows an action (a menu item): told each time one of the action's properties changes.
class TActionClient {
  public:
    virtual void ActionChanged(const TAction& action) = 0;

  protected:
    ~TActionClient() = default;
};

class TAction : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TAction(TComponent* AOwner);
    ~TAction() override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // A TShortCut (menus.h): the virtual key plus scShift, scCtrl, scAlt.
    uint16_t ShortCut() const { return shortCut_; }
    void SetShortCut(uint16_t value);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& value);

    TActionList* ActionList() const { return list_; }
    void SetActionList(TActionList* list);

    // Runs OnUpdate, which sets the action's state for the moment; false without a handler.
    bool Update();
    // Brings the state up to date, then runs OnExecute when the action is enabled; false when
    // nothing ran.
    bool Execute();

    void AddClient(TActionClient* client);
    void RemoveClient(TActionClient* client);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

  private:
    void changed();

    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    int imageIndex_ = -1;
    uint16_t shortCut_ = 0;
    std::string hint_;
    TActionList* list_ = nullptr;
    std::vector<TActionClient*> clients_;
};

// The actions of a form, in order, and the images their ImageIndex refers to.
class TActionList : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    ~TActionList() override;

    int ActionCount() const { return int(actions_.size()); }
    TAction* Actions(int index) const { return actions_.at(size_t(index)); }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    // Runs every action's OnUpdate.
    void UpdateActions();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TAction;
    std::vector<TAction*> actions_;
    TImageList* images_ = nullptr;
};
