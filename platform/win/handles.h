// Owning wrappers for Windows handles: each is released exactly once, when
// its owner goes away.
#pragma once

#include <windows.h>

#include <utility>

namespace tavrel::win {

template <typename Handle, typename Traits>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

struct IconTraits {
    static void close(HICON icon) { DestroyIcon(icon); }
};
struct MenuTraits {
    static void close(HMENU menu) { DestroyMenu(menu); }
};
struct HookTraits {
    static void close(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
struct KernelTraits {
    static void close(HANDLE handle) { CloseHandle(handle); }
};
template <typename Object>
struct GdiTraits {
    static void close(Object object) { DeleteObject(object); }
};

using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;
template <typename Object>
using UniqueGdi = UniqueHandle<Object, GdiTraits<Object>>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBitmap = UniqueGdi<HBITMAP>;

// Selects an object into a device context for the length of a scope.
class SelectObjectScope {
  public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectObjectScope() { SelectObject(dc_, previous_); }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tavrel::win
