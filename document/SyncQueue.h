// CSyncQueue: the people added, changed or removed, handed to the online session or kept for it.
#pragma once

#include <deque>

#include "document/IRpcSession.h"
#include "document/xml/IDataManager.h"
#include "foundation/EString.h"

// Neither the session nor the data layer is owned. Pending changes are kept
// for the life of the queue; nothing hands them over later.
class CSyncQueue {
public:
    CSyncQueue(IRpcSession& sink, IDataManager& converter) : m_sink(&sink), m_converter(&converter) {}
    CSyncQueue(const CSyncQueue&) = delete;
    CSyncQueue& operator=(const CSyncQueue&) = delete;
    virtual ~CSyncQueue() = default;

    void SetSink(IRpcSession& sink) { m_sink = &sink; }

    // After a person was added or updated. Raises the data layer's error when
    // the person cannot be read.
    void PersonChanged(int id);
    // Before a person is deleted, while it can still be read.
    void PersonRemoved(int id);

    const std::deque<int>& GetPendingIds() const { return m_pendingIds; }
    const std::deque<EString>& GetPendingNames() const { return m_pendingNames; }

private:
    IRpcSession* m_sink;
    IDataManager* m_converter;
    std::deque<int> m_pendingIds;
    std::deque<EString> m_pendingNames;
};
