// Worker threads and critical sections as the class library offers them, on
// std::thread and a recursive mutex.
//
// Suspension is cooperative: SuspendThread raises the thread's suspend count and
// the thread stops at its next suspension point, which every platform call that
// may block is: CCriticalSection::Lock, Sleep, and the serial reads and writes.
// So a suspended thread never stops while it holds a critical section it took
// through this layer, and a thread that has ended ignores suspension.
#pragma once

#include "platform/base/WinTypes.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define CREATE_SUSPENDED 0x00000004

typedef UINT (*AFX_THREADPROC)(LPVOID);

// A re-entrant lock: the thread that holds it may take it again, and must
// release it as often as it took it. Waiting threads get it in the order they
// came: a thread that releases it and takes it again at once queues behind
// them, so a lock held for every blocking read keeps nobody out for longer
// than the reads under way when they came.
class CCriticalSection {
public:
    CCriticalSection() = default;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock();
    BOOL Unlock();
    // Whether the calling thread holds the lock (a thread must not wait for
    // another that needs a lock it holds itself).
    BOOL IsLockedByCurrentThread() const;

private:
    std::mutex m_mutex;                 // guards the tickets
    std::condition_variable m_turn;
    unsigned long long m_nextTicket = 0;
    unsigned long long m_serving = 0;   // the ticket whose turn it is
    std::atomic<std::thread::id> m_owner{};
    int m_depth = 0;   // touched by the holder only
};

// Holds a critical section for a scope.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* section, BOOL initialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    BOOL Lock();
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked; }

private:
    CCriticalSection* m_section;
    BOOL m_locked = FALSE;
};

// One worker thread. Its owner keeps the object for as long as it may suspend,
// resume or wait for the thread, including after the thread has ended; the
// destructor waits for the thread to end (resuming it first).
class CWorkerThread {
public:
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // The previous suspend count; (DWORD)-1 for a thread that has ended.
    DWORD SuspendThread();
    DWORD ResumeThread();
    // Recorded only: an ordinary Linux process may not raise a thread's priority.
    BOOL SetThreadPriority(int priority);
    int GetThreadPriority() const { return m_priority; }
    // Whether the thread procedure has returned.
    BOOL HasEnded() const { return m_ended.load(); }
    // Waits until the thread procedure has returned (resuming it first). Not
    // from the thread itself.
    void Join();
    UINT GetExitCode() const { return m_exitCode; }

private:
    friend std::unique_ptr<CWorkerThread> AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD);
    friend void AfxThreadSuspensionPoint();
    CWorkerThread() = default;
    void WaitWhileSuspended();

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_resumed;
    DWORD m_suspendCount = 0;   // guarded by m_mutex
    std::atomic<bool> m_ended{false};
    int m_priority = THREAD_PRIORITY_NORMAL;
    UINT m_exitCode = 0;
};

// Starts `proc(param)` on a new thread; with CREATE_SUSPENDED it waits for a
// ResumeThread before running. The caller owns the thread object.
std::unique_ptr<CWorkerThread> AfxBeginThread(AFX_THREADPROC proc, LPVOID param,
                                              int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                                              DWORD createFlags = 0);

// Stops the calling worker thread here while it is suspended; nothing on any
// other thread.
void AfxThreadSuspensionPoint();

// How often, since the process began, a worker thread reached a point where it
// may block (a sleep, a serial read or write, a wait for a lock it does not
// hold) while it held a critical section. Tests read it to show that a worker
// never keeps the user-interface thread waiting on a lock through such a wait.
unsigned long long AfxWorkerWaitsUnderLock();
