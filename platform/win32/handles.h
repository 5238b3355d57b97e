#pragma once
// One move-only owner per Windows handle kind, so that business code never calls
// Release, SysFreeString, VariantClear, RegCloseKey or CloseHandle itself.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace sw::win {

// wchar_t is 16 bits on Windows: the core's text passes through unchanged.
inline const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::u16string fromWide(const wchar_t* text, std::size_t length) {
    return {reinterpret_cast<const char16_t*>(text), length};
}
inline std::u16string fromWide(const wchar_t* text) {
    return text ? fromWide(text, wcslen(text)) : std::u16string();
}

// A counted COM reference. put() releases what it holds and hands out the slot.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* owned) : p_(owned) {}  // takes over a reference
    static ComPtr addRef(T* borrowed) {
        if (borrowed) borrowed->AddRef();
        return ComPtr(borrowed);
    }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* detach() { return std::exchange(p_, nullptr); }

    template <class U>
    ComPtr<U> query(REFIID iid) const {
        ComPtr<U> result;
        if (p_) p_->QueryInterface(iid, result.putVoid());
        return result;
    }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::u16string& text)
        : b_(SysAllocStringLen(wide(text), static_cast<UINT>(text.size()))) {}
    Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(b_, other.b_);
        return *this;
    }
    Bstr(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b_); }

    BSTR get() const { return b_; }
    BSTR* put() {
        SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }
    BSTR detach() { return std::exchange(b_, nullptr); }
    std::u16string text() const { return b_ ? fromWide(b_, SysStringLen(b_)) : std::u16string(); }

private:
    BSTR b_ = nullptr;
};

class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    Variant& operator=(Variant&& other) noexcept {
        std::swap(v_, other.v_);
        return *this;
    }
    Variant(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }

    static Variant fromInt(std::int32_t value) {
        Variant r;
        r.v_.vt = VT_I4;
        r.v_.lVal = value;
        return r;
    }
    static Variant fromBool(bool value) {
        Variant r;
        r.v_.vt = VT_BOOL;
        r.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return r;
    }
    static Variant fromText(const std::u16string& text) {
        Variant r;
        r.v_.vt = VT_BSTR;
        r.v_.bstrVal = Bstr(text).detach();
        return r;
    }
    static Variant fromDate(double date) {
        Variant r;
        r.v_.vt = VT_DATE;
        r.v_.date = date;
        return r;
    }
    static Variant fromDispatch(IDispatch* borrowed) {
        Variant r;
        r.v_.vt = VT_DISPATCH;
        r.v_.pdispVal = borrowed;
        if (borrowed) borrowed->AddRef();
        return r;
    }
    // An optional argument left out.
    static Variant missing() {
        Variant r;
        r.v_.vt = VT_ERROR;
        r.v_.scode = DISP_E_PARAMNOTFOUND;
        return r;
    }

    VARIANT* get() { return &v_; }
    const VARIANT& ref() const { return v_; }
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }

private:
    VARIANT v_;
};

class RegKey {
public:
    RegKey() = default;
    RegKey(RegKey&& other) noexcept : k_(std::exchange(other.k_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        std::swap(k_, other.k_);
        return *this;
    }
    RegKey(const RegKey&) = delete;
    ~RegKey() {
        if (k_) RegCloseKey(k_);
    }
    HKEY get() const { return k_; }
    HKEY* put() {
        if (k_) RegCloseKey(std::exchange(k_, nullptr));
        return &k_;
    }

private:
    HKEY k_ = nullptr;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    FileHandle(FileHandle&& other) noexcept : h_(std::exchange(other.h_, INVALID_HANDLE_VALUE)) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }

    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    // Closes now; false when the close itself failed (a write may be lost).
    bool close() { return !valid() || CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)); }

private:
    HANDLE h_;
};

// A window this code created; destroyed with its owner object.
class Window {
public:
    explicit Window(HWND h = nullptr) : h_(h) {}
    Window(Window&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() {
        if (h_ && IsWindow(h_)) DestroyWindow(h_);
    }
    HWND get() const { return h_; }

private:
    HWND h_;
};

}  // namespace sw::win
