// Saves or loads a collection of report objects as numbered sections, each
// naming the runtime class of its object, so that loading recreates derived
// kinds (item kinds, item controls, records).
#pragma once

#include "Foundation/PropExchange.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeSection.h"

// T is the collection's base class and pClass its runtime class. GetAt(index)
// gives the object to save at that position; Add(object) takes
// a loaded object's reference. An object whose class is unknown, or whose own
// exchange fails, stops the load with an exception; what was read before it
// stays.
template <class T, class TGetAt, class TAdd>
void LVKReportExchangeObjects(CLVKPropExchange* pPX, LPCWSTR lpszSection, CRuntimeClass* pClass, int nCount,
                              TGetAt GetAt, TAdd Add)
{
    CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(lpszSection));
    DWORD_PTR pos = pEnumerator->StartWalk(static_cast<DWORD>(nCount));
    int nIndex = 0;
    while (pos)
    {
        CLVKPropExchangeSection section(pEnumerator->NextSection(pos));
        if (!section.Get())
            break;
        if (pPX->IsLoading())
        {
            CObject* pObject = nullptr;
            if (!section->ExchangeObjectClass(pObject, pClass) || !pObject)
                AfxThrowArchiveException(CArchiveException::badClass);
            T* pLoaded = static_cast<T*>(pObject);
            try
            {
                pLoaded->DoPropExchange(section);
            }
            catch (...)
            {
                pLoaded->InternalRelease();
                throw;
            }
            Add(pLoaded);
        }
        else
        {
            CObject* pObject = GetAt(nIndex++);
            if (!pObject)
                AfxThrowArchiveException(CArchiveException::badClass);
            section->ExchangeObjectClass(pObject, pClass);
            static_cast<T*>(pObject)->DoPropExchange(section);
        }
    }
}
