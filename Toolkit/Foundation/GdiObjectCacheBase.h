// The base of the process-wide font and brush caches: a lock (taken again by
// the same thread when a release removes an entry) and the removal of one
// entry by its key.
#pragma once

#include "Framework.h"
#include "RWCriticalSection.h"

class CLVKGdiObjectCacheBase : public CObject, public CLVKSynchronized
{
public:
    virtual void RemoveKey(const void* pKey) = 0;
};
