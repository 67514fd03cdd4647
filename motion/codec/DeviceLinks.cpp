#include "motion/codec/DeviceLinks.h"

DeviceLinks::DeviceLinks(HANDLE abortEvent)
{
    for (CMCCGISerial& link : m_links)
        link.SetAbortEvent(abortEvent);
}

DeviceLinks::~DeviceLinks()
{
    Close();
}

void DeviceLinks::Close()
{
    InterlockedExchange(&m_closeAsked, 1);
    CriticalSectionLock lock(m_lock);
    CloseIfAsked();
}

bool DeviceLinks::CloseWithoutWaiting()
{
    InterlockedExchange(&m_closeAsked, 1);
    if (!m_lock.TryEnter())
        return false;
    CloseIfAsked();
    m_lock.Leave();
    return true;
}

void DeviceLinks::CloseAbandoned()
{
    if (CloseWithoutWaiting())
        return;
    if (!m_closed)
        CloseAll();
}

bool DeviceLinks::CloseIfAsked()
{
    if (!m_closed && InterlockedCompareExchange(&m_closeAsked, 0, 0) != 0)
        CloseAll();
    return m_closed;
}

void DeviceLinks::CloseAll()
{
    for (CMCCGISerial& link : m_links)
        link.Close();
    m_closed = true;
}
