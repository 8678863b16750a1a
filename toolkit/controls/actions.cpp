// TAction and TActionList: state changes reach every linked client at once.
#include "toolkit/controls/actions.h"

#include <algorithm>

#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/image_list.h"

const TClassInfo& TAction::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TAction>("TAction", &TComponent::StaticClass())
                                        .Creatable()
                                        .Str("Caption", &TAction::Caption, &TAction::SetCaption)
                                        .Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled, true)
                                        .Bool("Checked", &TAction::Checked, &TAction::SetChecked, false)
                                        .Bool("Visible", &TAction::Visible, &TAction::SetVisible, true)
                                        .Int("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex, -1)
                                        .Int("ShortCut", &TAction::ShortCut, &TAction::SetShortCut, 0)
                                        .Str("Hint", &TAction::Hint, &TAction::SetHint)
                                        .Event("OnExecute", &TAction::OnExecute)
                                        .Event("OnUpdate", &TAction::OnUpdate)
                                        .Build();
    return info;
}

TAction::TAction(TComponent* AOwner) : TComponent(AOwner) {}

TAction::~TAction() {
    SetStateFlag(csDestroying, true);
    SetActionList(nullptr);
}

void TAction::changed() {
    // A client may unlink itself while it is told.
    for (TActionClient* client : std::vector<TActionClient*>(clients_))
        if (std::find(clients_.begin(), clients_.end(), client) != clients_.end())
            client->ActionChanged(*this);
}

void TAction::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    changed();
}
void TAction::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    changed();
}
void TAction::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    changed();
}
void TAction::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    changed();
}
void TAction::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    changed();
}
void TAction::SetShortCut(uint16_t value) {
    if (value == shortCut_) return;
    shortCut_ = value;
    changed();
}
void TAction::SetHint(const std::string& value) {
    if (value == hint_) return;
    hint_ = value;
    changed();
}

void TAction::SetActionList(TActionList* list) {
    if (list == list_) return;
    if (list_) std::erase(list_->actions_, this);
    list_ = list;
    if (list_) list_->actions_.push_back(this);
}

bool TAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

bool TAction::Execute() {
    Update();
    if (!enabled_ || !OnExecute) return false;
    OnExecute(this);
    return true;
}

void TAction::AddClient(TActionClient* client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TAction::RemoveClient(TActionClient* client) {
    std::erase(clients_, client);
}

const TClassInfo& TActionList::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TActionList>("TActionList", &TComponent::StaticClass())
                                        .Creatable()
                                        .Obj("Images", &TActionList::Images, &TActionList::SetImages)
                                        .Build();
    return info;
}

TActionList::~TActionList() {
    SetStateFlag(csDestroying, true);
    for (TAction* action : std::vector<TAction*>(actions_))
        action->SetActionList(nullptr);
}

void TActionList::SetImages(TImageList* value) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_) images_->FreeNotification(this);
}

void TActionList::UpdateActions() {
    for (TAction* action : std::vector<TAction*>(actions_))
        action->Update();
}

void TActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}
