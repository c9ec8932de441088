// The base of the toolkit's font and brush holders. A holder either shares
// one object of a process-wide cache (one count of its reference) or owns a
// GDI object attached to its embedded framework object.
#pragma once

#include "Framework.h"

class CLVKCachedGdiObjectReferenceBase;

class CLVKGdiObject : public CObject
{
public:
    ~CLVKGdiObject() override;

    // Lets go of the shared object, then deletes an object of its own.
    // Returns the deletion's result, else the release's (1).
    int ReleaseObject();
    // Releases what is held, then holds the reference (its count is taken
    // over from the caller).
    void SetReference(CLVKCachedGdiObjectReferenceBase* pReference);
    CLVKCachedGdiObjectReferenceBase* GetReference() const { return m_pReference; }

    // The shared object when one is held, else the holder's own.
    CGdiObject* GetGdiObject() const;
    // Safe on a null holder.
    HGDIOBJ GetHandleOrNull() const;

    CLVKGdiObject(const CLVKGdiObject&) = delete;
    CLVKGdiObject& operator=(const CLVKGdiObject&) = delete;

protected:
    explicit CLVKGdiObject(CGdiObject* pOwnObject) : m_pOwnObject(pOwnObject) {}

private:
    CLVKCachedGdiObjectReferenceBase* m_pReference = nullptr;
    CGdiObject* m_pOwnObject;
};

// The nearest integer, halves away from zero.
int AFX_CDECL LVKRoundToInt(double dValue);
