// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileworker.h"

#include <QMetaObject>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
std::atomic<int> g_threadsAtWork{0};
std::atomic<int> g_callsInPlace{0};
} // namespace

// Where finished calls leave their answers: shared with the threads, which may outlive the
// worker; once it is gone, answers are dropped.
struct FileWorker::Mailbox {
    std::mutex mutex;
    FileWorker* receiver = nullptr;
};

namespace {

// One call: the answer is either taken by the caller still waiting for it, or posted.
struct Call {
    std::mutex mutex;
    std::condition_variable answered;
    std::function<void()> delivery;
    bool callerWaits = true;
};

} // namespace

FileWorker::FileWorker(QObject* parent) : QObject(parent), m_mailbox(std::make_shared<Mailbox>())
{
    m_mailbox->receiver = this;
}

FileWorker::~FileWorker()
{
    // Under the lock, so no answer is being posted to this object while it goes.
    const std::lock_guard lock(m_mailbox->mutex);
    m_mailbox->receiver = nullptr;
}

int FileWorker::threadsAtWork()
{
    return g_threadsAtWork.load();
}

void FileWorker::callInPlace(bool on)
{
    g_callsInPlace += on ? 1 : -1;
}

void FileWorker::runErased(std::function<Delivery()> work, std::chrono::milliseconds atOnce)
{
    if (g_callsInPlace > 0) {
        work()();
        return;
    }
    auto call = std::make_shared<Call>();
    ++g_threadsAtWork;
    std::thread([call, work = std::move(work), mailbox = m_mailbox]() mutable {
        Delivery delivery = work();
        work = nullptr; // what the call captured goes with the call, not with the thread
        {
            std::unique_lock lock(call->mutex);
            if (call->callerWaits) {
                call->delivery = std::move(delivery);
                call->answered.notify_one();
            } else {
                lock.unlock();
                const std::lock_guard post(mailbox->mutex);
                if (mailbox->receiver)
                    QMetaObject::invokeMethod(mailbox->receiver, std::move(delivery),
                                              Qt::QueuedConnection);
            }
        }
        // Whatever the call leaves behind goes before the thread counts as done.
        delivery = nullptr;
        call.reset();
        mailbox.reset();
        --g_threadsAtWork;
    }).detach();

    std::unique_lock lock(call->mutex);
    if (call->answered.wait_for(lock, atOnce, [&] { return bool(call->delivery); })) {
        Delivery delivery = std::move(call->delivery);
        lock.unlock();
        delivery();
        return;
    }
    call->callerWaits = false;
}
