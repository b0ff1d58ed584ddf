#pragma once
// Move-only owners of Win32 handles, one type per handle kind.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace toolkit {

template <typename Handle, typename Traits> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) {
        if (Traits::IsValid(handle_)) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<HANDLE, FileTraits>;

template <typename H, BOOL(WINAPI* CloseFn)(H)> struct GdiTraits {
    static H Invalid() { return nullptr; }
    static bool IsValid(H h) { return h != nullptr; }
    static void Close(H h) { CloseFn(h); }
};
inline BOOL WINAPI DeleteFontObject(HFONT font) {
    return DeleteObject(font);
}
using FontHandle = UniqueHandle<HFONT, GdiTraits<HFONT, DeleteFontObject>>;
using IconHandle = UniqueHandle<HICON, GdiTraits<HICON, DestroyIcon>>;
using AcceleratorHandle = UniqueHandle<HACCEL, GdiTraits<HACCEL, DestroyAcceleratorTable>>;
using MenuHandle = UniqueHandle<HMENU, GdiTraits<HMENU, DestroyMenu>>;
using WindowHandle = UniqueHandle<HWND, GdiTraits<HWND, DestroyWindow>>;
using ImageListHandle = UniqueHandle<HIMAGELIST, GdiTraits<HIMAGELIST, ImageList_Destroy>>;

} // namespace toolkit
