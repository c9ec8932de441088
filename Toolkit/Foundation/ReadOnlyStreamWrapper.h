// A stream that can only be read: writing, resizing, committing and
// reverting are refused, everything else goes to the wrapped stream. The
// wrapper counts its own references and holds one on the wrapped stream.
#pragma once

#include "Foundation/StreamLocation.h"

class CReadOnlyStreamWrapper final : public IStream
{
public:
    // Takes over one reference of the stream.
    explicit CReadOnlyStreamWrapper(IStream* pStream) : m_pStream(pStream) {}

    // Opens the location and wraps the stream; the open's result.
    static HRESULT AFX_CDECL CreateFromLocation(const LVKStreamLocation& location, CReadOnlyStreamWrapper** ppWrapper);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    STDMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    STDMETHODIMP Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER libNewSize) override;
    STDMETHODIMP CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) override;
    STDMETHODIMP Commit(DWORD grfCommitFlags) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    STDMETHODIMP Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
    STDMETHODIMP Clone(IStream** ppstm) override;

private:
    ~CReadOnlyStreamWrapper();

    volatile LONG m_nRefs = 1;
    IStream* m_pStream;
};
