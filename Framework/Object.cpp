#include "Framework.h"

#include <string.h>

namespace
{
// Head of the class registry. A plain pointer is zero before any start-up code
// runs, so registrations from every translation unit find it ready.
AFX_CLASSINIT* g_pFirstClass = nullptr;

CRuntimeClass* FindClass(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    for (AFX_CLASSINIT* p = g_pFirstClass; p; p = p->m_pNext)
    {
        if (strcmp(p->m_pClass->m_lpszClassName, lpszClassName) == 0)
            return const_cast<CRuntimeClass*>(p->m_pClass);
    }
    return nullptr;
}
}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass) : m_pClass(pNewClass)
{
    m_pNext = g_pFirstClass;
    g_pFirstClass = this;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (!m_pfnCreateObject)
        return nullptr;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (!pBaseClass)
        return FALSE;
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
    {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    return FindClass(lpszClassName);
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    // Class names are plain ASCII identifiers; anything else matches nothing.
    char name[256];
    size_t i = 0;
    for (; lpszClassName[i]; ++i)
    {
        if (i + 1 >= sizeof(name) || lpszClassName[i] > 0x7F)
            return nullptr;
        name[i] = static_cast<char>(lpszClassName[i]);
    }
    name[i] = '\0';
    return FindClass(name);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    const CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass ? pClass->CreateObject() : nullptr;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    const CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass ? pClass->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&)
{
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject && pObject->IsKindOf(pClass))
        return pObject;
    return nullptr;
}

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    char text[512];
    wsprintfA(text, "Assertion failed: %s(%d)\n", lpszFileName ? lpszFileName : "?", nLine);
    OutputDebugStringA(text);
}

void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...)
{
    if (!lpszFormat)
        return;
    wchar_t text[1024];
    va_list args;
    va_start(args, lpszFormat);
    _vsnwprintf(text, _countof(text) - 1, lpszFormat, args);
    va_end(args);
    text[_countof(text) - 1] = L'\0';
    OutputDebugStringW(text);
}
