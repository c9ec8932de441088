#include "Framework.h"

UINT AFXAPI HashKey(LPCWSTR key)
{
    UINT nHash = 0;
    if (key)
    {
        while (*key)
            nHash = (nHash << 5) + nHash + *key++;
    }
    return nHash;
}

UINT AFXAPI HashKey(LPCSTR key)
{
    UINT nHash = 0;
    if (key)
    {
        while (*key)
            nHash = (nHash << 5) + nHash + static_cast<BYTE>(*key++);
    }
    return nHash;
}

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
