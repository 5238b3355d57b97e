#pragma once
// Every operation the add-in performs on Outlook and its command bars. The core
// reaches Outlook through nothing else. Each operation either returns its result
// or throws sw::Failure with the number and description the host gave.
//
// Ownership: a returned unique_ptr is the caller's reference, released when it is
// destroyed; a null pointer means "nothing" where the operation may return nothing.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "../datetime.h"

namespace sw::host {

// Outlook's OlObjectClass values the add-in tells apart. Only a mail item is
// checked; meeting requests, cancellations and responses are sent unchecked.
inline constexpr std::int32_t olMail = 43;
inline constexpr std::int32_t olMeetingRequest = 53;
inline constexpr std::int32_t olMeetingCancellation = 54;
inline constexpr std::int32_t olMeetingResponseNegative = 55;
inline constexpr std::int32_t olMeetingResponsePositive = 56;
inline constexpr std::int32_t olMeetingResponseTentative = 57;

// OlMailRecipientType.
inline constexpr std::int32_t olOriginator = 0;
inline constexpr std::int32_t olTo = 1;
inline constexpr std::int32_t olCC = 2;
inline constexpr std::int32_t olBCC = 3;

// OlExchangeConnectionMode: anything but olNoExchange means an Exchange profile.
inline constexpr std::int32_t olNoExchange = 0;
inline constexpr std::int32_t olOffline = 100;
inline constexpr std::int32_t olCachedOffline = 200;
inline constexpr std::int32_t olDisconnected = 300;
inline constexpr std::int32_t olCachedDisconnected = 400;
inline constexpr std::int32_t olCachedConnectedHeaders = 500;
inline constexpr std::int32_t olCachedConnectedDrizzle = 600;
inline constexpr std::int32_t olCachedConnectedFull = 700;
inline constexpr std::int32_t olOnline = 800;

// MsoControlType of a plain command-bar button.
inline constexpr std::int32_t msoControlButton = 1;

// Keeps an event handler connected; disconnects when destroyed.
class EventConnection {
public:
    virtual ~EventConnection() = default;
};

class Recipient {
public:
    virtual ~Recipient() = default;
    virtual std::u16string name() = 0;
    // Internet address, or an Exchange directory name beginning "/o=".
    virtual std::u16string address() = 0;
    virtual std::int32_t type() = 0;  // olTo, olCC, olBCC (olOriginator)
};

class Recipients {
public:
    virtual ~Recipients() = default;
    virtual std::int32_t count() = 0;
    virtual std::unique_ptr<Recipient> item(std::int32_t index) = 0;  // 1-based
};

// Any item the host hands to ItemSend. The mail operations apply to mail items
// (class 43); on other items they fail as the host would.
class Item {
public:
    virtual ~Item() = default;
    virtual std::int32_t itemClass() = 0;
    virtual void save() = 0;
    virtual std::u16string subject() = 0;
    virtual std::u16string body() = 0;  // plain text, CR LF line ends
    virtual std::int32_t attachmentCount() = 0;
    virtual LocalDateTime deferredDeliveryTime() = 0;
    virtual void setDeferredDeliveryTime(const LocalDateTime& time) = 0;
    virtual std::unique_ptr<Recipients> recipients() = 0;
    virtual std::unique_ptr<Recipients> replyRecipients() = 0;
};

class Namespace {
public:
    virtual ~Namespace() = default;
    virtual std::int32_t exchangeConnectionMode() = 0;  // olNoExchange = no Exchange server
};

class Button {
public:
    virtual ~Button() = default;
    virtual void setBeginGroup(bool value) = 0;
    virtual void setTag(const std::u16string& tag) = 0;
    virtual void setCaption(const std::u16string& caption) = 0;
    virtual void setOnAction(const std::u16string& action) = 0;
    virtual std::unique_ptr<EventConnection> onClick(std::function<void()> handler) = 0;
};

class CommandBar {
public:
    virtual ~CommandBar() = default;
    // The first control whose tag is `tag`, or null.
    virtual std::unique_ptr<Button> findControlByTag(const std::u16string& tag) = 0;
    // A new plain button at the end of the bar's controls.
    virtual std::unique_ptr<Button> addButton(bool temporary) = 0;
};

class Explorer {
public:
    virtual ~Explorer() = default;
    // The named bar of the explorer's CommandBars, or null.
    virtual std::unique_ptr<CommandBar> commandBar(const std::u16string& name) = 0;
};

class Application {
public:
    virtual ~Application() = default;
    virtual std::u16string name() = 0;
    virtual std::unique_ptr<Explorer> activeExplorer() = 0;  // null when none
    virtual std::unique_ptr<Namespace> getNamespace(const std::u16string& type) = 0;
    // ItemSend: raised before every send; true in `cancel` stops the send.
    virtual std::unique_ptr<EventConnection> onItemSend(
        std::function<void(Item& item, bool& cancel)> handler) = 0;
};

class AddInInstance {
public:
    virtual ~AddInInstance() = default;
    virtual std::u16string progId() = 0;
};

}  // namespace sw::host
