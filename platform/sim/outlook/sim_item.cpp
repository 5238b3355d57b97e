#include "diagnostics/hresult.h"
#include "sim/outlook/sim_item.h"

#include <utility>

namespace sw::sim {
namespace {

class SimRecipient : public host::Recipient {
public:
    SimRecipient(RecipientState state, std::shared_ptr<FaultPlan> faults)
        : state_(std::move(state)), faults_(std::move(faults)) {}

    std::u16string name() override {
        faults_->hit(host::Operation::recipientName);
        return state_.name;
    }
    std::u16string address() override {
        faults_->hit(host::Operation::recipientAddress);
        return state_.address;
    }
    std::int32_t type() override {
        faults_->hit(host::Operation::recipientType);
        return state_.type;
    }

private:
    RecipientState state_;
    std::shared_ptr<FaultPlan> faults_;
};

using RecipientList = std::vector<RecipientState> MailState::*;

// Reads the item's list when asked, as Outlook's live collection does.
class SimRecipients : public host::Recipients {
public:
    SimRecipients(std::shared_ptr<MailState> state, RecipientList list, std::shared_ptr<FaultPlan> faults)
        : state_(std::move(state)), list_(list), faults_(std::move(faults)) {}

    std::int32_t count() override {
        faults_->hit(host::Operation::recipientsCount);
        return static_cast<std::int32_t>(((*state_).*list_).size());
    }

    std::unique_ptr<host::Recipient> item(std::int32_t index) override {
        faults_->hit(host::Operation::recipientsItem);
        const auto& list = (*state_).*list_;
        if (index < 1 || static_cast<std::size_t>(index) > list.size()) throw badIndexFailure();
        return std::make_unique<SimRecipient>(list[index - 1], faults_);
    }

private:
    std::shared_ptr<MailState> state_;
    RecipientList list_;
    std::shared_ptr<FaultPlan> faults_;
};

}  // namespace

Failure badIndexFailure() { return {hresult::dispEBadIndex, u"Array index out of bounds."}; }

SimItem::SimItem(std::shared_ptr<MailState> state, std::shared_ptr<FaultPlan> faults)
    : state_(std::move(state)), faults_(std::move(faults)) {}

SimItem::SimItem(MailState state, std::shared_ptr<FaultPlan> faults)
    : SimItem(std::make_shared<MailState>(std::move(state)), std::move(faults)) {}

std::int32_t SimItem::itemClass() {
    faults_->hit(host::Operation::itemClass);
    return state_->itemClass;
}

void SimItem::save() {
    faults_->hit(host::Operation::itemSave);
    ++state_->saveCount;
}

std::u16string SimItem::subject() {
    faults_->hit(host::Operation::itemSubject);
    return state_->subject;
}

std::u16string SimItem::body() {
    faults_->hit(host::Operation::itemBody);
    return state_->body;
}

std::int32_t SimItem::attachmentCount() {
    faults_->hit(host::Operation::itemAttachmentsCount);
    return state_->attachmentCount;
}

LocalDateTime SimItem::deferredDeliveryTime() {
    faults_->hit(host::Operation::itemDeferredDeliveryTimeGet);
    return state_->deferredDeliveryTime;
}

void SimItem::setDeferredDeliveryTime(const LocalDateTime& time) {
    faults_->hit(host::Operation::itemDeferredDeliveryTimeSet);
    state_->deferredDeliveryTime = time;
}

std::unique_ptr<host::Recipients> SimItem::recipients() {
    faults_->hit(host::Operation::itemRecipients);
    return std::make_unique<SimRecipients>(state_, &MailState::recipients, faults_);
}

std::unique_ptr<host::Recipients> SimItem::replyRecipients() {
    faults_->hit(host::Operation::itemReplyRecipients);
    return std::make_unique<SimRecipients>(state_, &MailState::replyRecipients, faults_);
}

}  // namespace sw::sim
