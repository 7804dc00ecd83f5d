// Worker threads with cooperative suspension, and the re-entrant critical section.
#include "platform/base/Threads.h"

namespace {
// The worker object of the calling thread; null on threads this layer did not start.
thread_local CWorkerThread* t_worker = nullptr;
// The critical sections the calling thread holds (each counted once, however deep).
thread_local int t_heldSections = 0;
std::atomic<unsigned long long> g_workerWaitsUnderLock{0};
}

// ---------------------------------------------------------------- critical section
BOOL CCriticalSection::Lock()
{
    // Taking a section again never waits, so it is no suspension point: a
    // thread is never stopped while it holds a section.
    if (IsLockedByCurrentThread()) {
        ++m_depth;
        return TRUE;
    }
    AfxThreadSuspensionPoint();
    std::unique_lock lock(m_mutex);
    const unsigned long long ticket = m_nextTicket++;
    m_turn.wait(lock, [&] { return m_serving == ticket; });
    m_owner.store(std::this_thread::get_id());
    m_depth = 1;
    ++t_heldSections;
    return TRUE;
}

BOOL CCriticalSection::Unlock()
{
    if (!IsLockedByCurrentThread())
        return FALSE;
    if (--m_depth > 0)
        return TRUE;
    {
        std::lock_guard lock(m_mutex);
        m_owner.store(std::thread::id());
        ++m_serving;
    }
    --t_heldSections;
    m_turn.notify_all();
    return TRUE;
}

BOOL CCriticalSection::IsLockedByCurrentThread() const
{
    return m_owner.load() == std::this_thread::get_id();
}

CSingleLock::CSingleLock(CCriticalSection* section, BOOL initialLock) : m_section(section)
{
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock()
{
    if (!m_section || m_locked)
        return m_locked;
    m_locked = m_section->Lock();
    return m_locked;
}

BOOL CSingleLock::Unlock()
{
    if (!m_section || !m_locked)
        return FALSE;
    m_locked = FALSE;
    return m_section->Unlock();
}

// ---------------------------------------------------------------- worker threads
CWorkerThread::~CWorkerThread()
{
    Join();
}

DWORD CWorkerThread::SuspendThread()
{
    std::lock_guard lock(m_mutex);
    if (m_ended.load())
        return (DWORD)-1;
    return m_suspendCount++;
}

DWORD CWorkerThread::ResumeThread()
{
    std::lock_guard lock(m_mutex);
    const DWORD previous = m_suspendCount;
    if (m_suspendCount > 0 && --m_suspendCount == 0)
        m_resumed.notify_all();
    return m_ended.load() ? (DWORD)-1 : previous;
}

BOOL CWorkerThread::SetThreadPriority(int priority)
{
    m_priority = priority;
    return TRUE;
}

void CWorkerThread::Join()
{
    if (!m_thread.joinable() || m_thread.get_id() == std::this_thread::get_id())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_suspendCount = 0;
        m_resumed.notify_all();
    }
    m_thread.join();
}

void CWorkerThread::WaitWhileSuspended()
{
    std::unique_lock lock(m_mutex);
    m_resumed.wait(lock, [this] { return m_suspendCount == 0; });
}

void AfxThreadSuspensionPoint()
{
    if (!t_worker)
        return;
    if (t_heldSections > 0)
        ++g_workerWaitsUnderLock;
    t_worker->WaitWhileSuspended();
}

unsigned long long AfxWorkerWaitsUnderLock()
{
    return g_workerWaitsUnderLock.load();
}

std::unique_ptr<CWorkerThread> AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT, DWORD createFlags)
{
    std::unique_ptr<CWorkerThread> thread(new CWorkerThread);
    thread->m_priority = priority;
    if (createFlags & CREATE_SUSPENDED)
        thread->m_suspendCount = 1;
    CWorkerThread* self = thread.get();
    thread->m_thread = std::thread([self, proc, param] {
        t_worker = self;
        self->WaitWhileSuspended();
        self->m_exitCode = proc(param);
        t_worker = nullptr;
        self->m_ended.store(true);
    });
    return thread;
}
