// The owner of one icon handle, destroyed with the holder (animation frames of
// the tray icon keep their icons this way).
#pragma once

#include "Framework.h"

class CLVKIconHandle
{
public:
    CLVKIconHandle() = default;
    explicit CLVKIconHandle(HICON hIcon) : m_hIcon(hIcon) {}
    virtual ~CLVKIconHandle();

    // Destroys the icon held so far and keeps the new one.
    void SetIcon(HICON hIcon);
    HICON GetIcon() const { return m_hIcon; }
    operator HICON() const { return m_hIcon; }

    CLVKIconHandle(const CLVKIconHandle&) = delete;
    CLVKIconHandle& operator=(const CLVKIconHandle&) = delete;

private:
    HICON m_hIcon = nullptr;
};
