#pragma once

#include "Framework.h"

// A kernel handle closed at the end of its scope, so that every early return
// of the engine's platform code is safe.
class CScopedHandle
{
public:
    CScopedHandle() = default;
    explicit CScopedHandle(HANDLE handle) : m_handle(handle) {}
    ~CScopedHandle() { Close(); }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    operator HANDLE() const { return m_handle; }
    // For functions that hand out a handle through a pointer.
    HANDLE* Receive()
    {
        Close();
        return &m_handle;
    }
    void Reset(HANDLE handle = nullptr)
    {
        Close();
        m_handle = handle;
    }
    HANDLE Release()
    {
        const HANDLE handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

private:
    void Close()
    {
        if (m_handle && m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
        m_handle = nullptr;
    }

    HANDLE m_handle = nullptr;
};
