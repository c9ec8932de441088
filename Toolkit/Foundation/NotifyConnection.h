// The source side of toolkit event notification: sinks advise on a connection
// for an event id and are called, in advise order, when the owner sends that
// event. The connection is reference counted; the owner holds one reference,
// every advise of a sink one more, and every running send one for its length.
#pragma once

#include "Framework.h"
#include "CmdTarget.h"

// Sent by the resource-image store after it has loaded a theme.
#ifndef LVK_NOTIFY_RESOURCE_IMAGES_CHANGED
#define LVK_NOTIFY_RESOURCE_IMAGES_CHANGED 10575
#endif

// The window message "LVKNotificationSinkMTOnEvent", registered while the
// process initialises its statics. Nothing posts or handles it: connections
// deliver on the calling thread only.
extern const UINT LVK_WM_NOTIFICATION_SINK_MT_ONEVENT;

class CLVKNotifySinkBase;

class CLVKNotifyConnection : public CLVKCmdTarget
{
public:
    struct CONNECTION_DESCRIPTOR
    {
        UINT nEvent = 0;
        CLVKNotifySinkBase* pSink = nullptr;
        // The descriptor's own address: unique among the live descriptors.
        DWORD dwCookie = 0;
    };

    // The lock of a connection that is used on one thread only: every
    // operation succeeds at once and guards nothing.
    class CEmptySyncObject : public CSyncObject
    {
    public:
        CEmptySyncObject() : CSyncObject(L"LVKEmptySyncObject") {}
        BOOL Lock(DWORD /*dwTimeout*/ = INFINITE) override { return TRUE; }
        BOOL Unlock() override { return TRUE; }
        BOOL Unlock(LONG /*lCount*/, LPLONG /*lpPrevCount*/ = NULL) override { return TRUE; }
    };

    CLVKNotifyConnection() = default;
    ~CLVKNotifyConnection() override;

    // Returns the cookie of the new advise, 0 when it could not be recorded.
    DWORD Advise(UINT nEvent, CLVKNotifySinkBase* pSink);
    // Nothing happens for a cookie that is not advised.
    void Unadvise(DWORD dwCookie);
    // Index of the descriptor with the cookie, or -1.
    int FindConnection(DWORD dwCookie);
    // Calls every sink advised for the event when the send starts; TRUE when
    // there was at least one.
    BOOL SendEvent(UINT nEvent, DWORD dwParam1 = 0, DWORD dwParam2 = 0, DWORD dwParam3 = 0);
    void RemoveAllConnections();

    INT_PTR GetConnectionCount() const { return m_arrConnections.GetSize(); }
    // Number of send-queue entries in use by the sends that are running.
    int GetSendQueueTop() const { return m_nSendQueueTop; }

protected:
    // Guards the connections and the send queue.
    virtual CSyncObject* GetLock();

private:
    // Frees the descriptor, or keeps it until the outermost send has ended so
    // that its address (the cookie) cannot be handed to a new advise while a
    // send still holds the old cookie in its queue.
    void RetireDescriptor(CONNECTION_DESCRIPTOR* pDescriptor);
    void FreeRetiredDescriptors();

    CArray<CONNECTION_DESCRIPTOR*, CONNECTION_DESCRIPTOR*> m_arrConnections;
    // A stack of the matching descriptors copied by each running send.
    CArray<CONNECTION_DESCRIPTOR, const CONNECTION_DESCRIPTOR&> m_arrSendQueue;
    int m_nSendQueueTop = 0;
    CArray<CONNECTION_DESCRIPTOR*, CONNECTION_DESCRIPTOR*> m_arrRetired;
    CEmptySyncObject m_lock;
};
