#pragma once
// Late binding on an Outlook or Office object: members are looked up by name,
// with the number the type library gives as the fallback when the object will not
// name them. Every failure throws sw::Failure with Outlook's number and text.
#include <initializer_list>
#include <string>

#include "host/operations.h"
#include "win32/handles.h"

namespace sw::win {

inline constexpr DISPID noFallback = DISPID_UNKNOWN;

struct Member {
    const wchar_t* name;
    DISPID fallback;               // noFallback: the name must resolve
    host::Operation operation;     // names the member in a failure without text
};

class Dispatch {
public:
    Dispatch() = default;
    explicit Dispatch(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    explicit operator bool() const { return static_cast<bool>(object_); }
    IDispatch* get() const { return object_.get(); }

    // Arguments in the order the member declares them. get() reads a property (or
    // calls a method as a property); call() calls a method.
    Variant get(const Member& member, std::initializer_list<const Variant*> args = {}) const;
    Variant call(const Member& member, std::initializer_list<const Variant*> args = {}) const;
    void put(const Member& member, const Variant& value) const;

    std::int32_t getInt(const Member& member) const;
    std::u16string getText(const Member& member) const;
    // Null when the member returned Nothing.
    Dispatch getObject(const Member& member, std::initializer_list<const Variant*> args = {}) const;
    Dispatch callObject(const Member& member, std::initializer_list<const Variant*> args = {}) const;

private:
    DISPID lookUp(const Member& member) const;
    Variant invoke(const Member& member, WORD flags, std::initializer_list<const Variant*> args,
                   bool namedPut = false) const;

    ComPtr<IDispatch> object_;
};

// Conversions of a result; a value of another type fails as Outlook would.
std::int32_t toInt(const Variant& value, const Member& member);
std::u16string toText(const Variant& value, const Member& member);
double toDate(const Variant& value, const Member& member);
Dispatch toObject(const Variant& value, const Member& member);

}  // namespace sw::win
