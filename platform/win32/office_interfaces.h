#pragma once
// The Office and Outlook interfaces and identifiers the add-in uses, declared by
// hand: no type library is imported.
#include <windows.h>
#include <oaidl.h>

namespace sw::win {

// Add-in Designer's connection interface. Dual: Office may call the vtable.
struct IDTExtensibility2 : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode, IDispatch* addInInst,
                                                   SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

inline constexpr IID IID_IDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
inline constexpr DISPID dispidOnConnection = 1, dispidOnDisconnection = 2, dispidOnAddInsUpdate = 3,
                        dispidOnStartupComplete = 4, dispidOnBeginShutdown = 5;

// Outlook's ApplicationEvents_11, the default source of the Application.
inline constexpr IID DIID_ApplicationEvents_11 = {
    0x0006302C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr DISPID dispidItemSend = 0xF002;

inline constexpr IID DIID_CommandBarButtonEvents = {
    0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr DISPID dispidClick = 1;

// The add-in's own class, fixed for good: Outlook finds it by this number.
inline constexpr CLSID CLSID_dsrOutlook2003 = {
    0x2C4F5F84, 0x9B1A, 0x4BCE, {0xB3, 0x58, 0xA1, 0xBE, 0xF0, 0x48, 0x1E, 0x50}};
inline constexpr wchar_t clsidText[] = L"{2C4F5F84-9B1A-4BCE-B358-A1BEF0481E50}";
inline constexpr wchar_t progId[] = L"Sendwarden.dsrOutlook2003";

}  // namespace sw::win
