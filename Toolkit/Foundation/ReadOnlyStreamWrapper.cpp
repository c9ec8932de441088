#include "Foundation/ReadOnlyStreamWrapper.h"

HRESULT AFX_CDECL CReadOnlyStreamWrapper::CreateFromLocation(const LVKStreamLocation& location,
                                                             CReadOnlyStreamWrapper** ppWrapper)
{
    if (!ppWrapper)
        return E_POINTER;
    *ppWrapper = nullptr;
    IStream* pStream = nullptr;
    HRESULT hr = E_INVALIDARG;
    if (location.nKind == LVKStreamLocation::kindFile)
        hr = LVKReadFileToStream(location.szPath, &pStream);
    else if (location.nKind == LVKStreamLocation::kindResource)
        hr = LVKReadResourceToStream(location, &pStream);
    if (SUCCEEDED(hr) && pStream)
    {
        *ppWrapper = new (std::nothrow) CReadOnlyStreamWrapper(pStream);
        if (!*ppWrapper)
            pStream->Release();
    }
    return hr;
}

STDMETHODIMP CReadOnlyStreamWrapper::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    // Handing out the wrapped stream would hand out write access: the
    // stream interfaces answer with the wrapper itself.
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) || IsEqualIID(riid, IID_IStream))
    {
        *ppv = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

CReadOnlyStreamWrapper::~CReadOnlyStreamWrapper()
{
    if (m_pStream)
        m_pStream->Release();
}

STDMETHODIMP_(ULONG) CReadOnlyStreamWrapper::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CReadOnlyStreamWrapper::Release()
{
    const LONG nCount = ::InterlockedDecrement(&m_nRefs);
    if (nCount == 0)
        delete this;
    return static_cast<ULONG>(nCount);
}

STDMETHODIMP CReadOnlyStreamWrapper::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    return m_pStream->Read(pv, cb, pcbRead);
}

STDMETHODIMP CReadOnlyStreamWrapper::Write(const void*, ULONG, ULONG*)
{
    return E_ACCESSDENIED;
}

STDMETHODIMP CReadOnlyStreamWrapper::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    return m_pStream->Seek(dlibMove, dwOrigin, plibNewPosition);
}

STDMETHODIMP CReadOnlyStreamWrapper::SetSize(ULARGE_INTEGER)
{
    return E_ACCESSDENIED;
}

STDMETHODIMP CReadOnlyStreamWrapper::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                            ULARGE_INTEGER* pcbWritten)
{
    return m_pStream->CopyTo(pstm, cb, pcbRead, pcbWritten);
}

STDMETHODIMP CReadOnlyStreamWrapper::Commit(DWORD)
{
    return E_ACCESSDENIED;
}

STDMETHODIMP CReadOnlyStreamWrapper::Revert()
{
    return E_ACCESSDENIED;
}

STDMETHODIMP CReadOnlyStreamWrapper::LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType)
{
    return m_pStream->LockRegion(libOffset, cb, dwLockType);
}

STDMETHODIMP CReadOnlyStreamWrapper::UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType)
{
    return m_pStream->UnlockRegion(libOffset, cb, dwLockType);
}

STDMETHODIMP CReadOnlyStreamWrapper::Stat(STATSTG* pstatstg, DWORD grfStatFlag)
{
    return m_pStream->Stat(pstatstg, grfStatFlag);
}

STDMETHODIMP CReadOnlyStreamWrapper::Clone(IStream** ppstm)
{
    if (!ppstm)
        return E_POINTER;
    *ppstm = nullptr;
    IStream* pClone = nullptr;
    const HRESULT hr = m_pStream->Clone(&pClone);
    if (FAILED(hr))
        return hr;
    if (!pClone)
        return E_POINTER;
    CReadOnlyStreamWrapper* pWrapper = new (std::nothrow) CReadOnlyStreamWrapper(pClone);
    if (!pWrapper)
    {
        pClone->Release();
        return E_OUTOFMEMORY;
    }
    *ppstm = pWrapper;
    return S_OK;
}
