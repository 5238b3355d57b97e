#pragma once
// A substitute Outlook item: plain state that tests set up and inspect, and the
// host::Item view of it that the add-in works on.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "datetime.h"
#include "sim/outlook/fault_plan.h"

namespace sw::sim {

struct RecipientState {
    std::u16string name, address;
    std::int32_t type = 1;  // 1 To, 2 Cc, 3 Bcc; reply recipients carry 0 (the add-in ignores it)

    friend bool operator==(const RecipientState&, const RecipientState&) = default;
};

struct MailState {
    std::int32_t itemClass = host::olMail;
    std::u16string subject, body;           // body: CR LF line ends
    std::int32_t attachmentCount = 0;
    LocalDateTime deferredDeliveryTime = notDeferred;
    std::vector<RecipientState> recipients, replyRecipients;
    int saveCount = 0;

    friend bool operator==(const MailState&, const MailState&) = default;
};

// Works on the state whatever the item class: a meeting request has a subject and
// a body as well. Every operation counts in the fault plan first.
class SimItem : public host::Item {
public:
    SimItem(std::shared_ptr<MailState> state, std::shared_ptr<FaultPlan> faults);
    SimItem(MailState state, std::shared_ptr<FaultPlan> faults);

    std::int32_t itemClass() override;
    void save() override;
    std::u16string subject() override;
    std::u16string body() override;
    std::int32_t attachmentCount() override;
    LocalDateTime deferredDeliveryTime() override;
    void setDeferredDeliveryTime(const LocalDateTime& time) override;
    std::unique_ptr<host::Recipients> recipients() override;
    std::unique_ptr<host::Recipients> replyRecipients() override;

    MailState& state() { return *state_; }
    const std::shared_ptr<MailState>& sharedState() const { return state_; }

private:
    std::shared_ptr<MailState> state_;
    std::shared_ptr<FaultPlan> faults_;
};

// Outlook's failure for Recipients.Item outside 1..Count (DISP_E_BADINDEX).
Failure badIndexFailure();

}  // namespace sw::sim
