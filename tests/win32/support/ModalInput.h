#pragma once
// Driving a modal form as a user would: keys posted once its own loop runs, and the text of
// its controls read back.
#include <windows.h>

#include <functional>
#include <string>
#include <type_traits>

inline std::wstring TextOf(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), int(text.size() + 1));
    return text;
}

// Shows the form and, once its own loop runs, calls `input`, which posts what the user would.
template <typename Form>
auto Answer(Form& form, const std::type_identity_t<std::function<void(Form&)>>& input) {
    static const std::function<void(Form&)>* pending = nullptr;
    static Form* target = nullptr;
    pending = &input;
    target = &form;
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        (*pending)(*target);
    });
    return form.ShowModal();
}

inline void Key(HWND target, UINT key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}
