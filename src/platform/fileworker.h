// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

// An answer this quick is taken as if the call had been made in place: the screen shows no
// step in between.
inline constexpr std::chrono::milliseconds kAnswerAtOnce{30};

// Runs calls that may touch a slow or dead file system (a sleeping disc, a share on a NAS
// that is gone) each on a thread of its own, which nobody ever waits for beyond a moment:
// a slow answer costs that thread time and a call that never returns costs the thread, but
// neither ever holds the screen, the keys or the program's exit.
class FileWorker : public QObject {
    Q_OBJECT
public:
    explicit FileWorker(QObject* parent = nullptr);
    // Answers still to come are dropped.
    ~FileWorker() override;

    // Runs `work` on its own thread and hands its result to `done` on this object's thread.
    // An answer that comes within `atOnce` is handed over before run returns, so a quick
    // folder behaves as if read in place; a later one is handed over from the event loop.
    template <class Result>
    void run(std::function<Result()> work, std::function<void(Result)> done,
             std::chrono::milliseconds atOnce = std::chrono::milliseconds(0))
    {
        runErased(
            [work = std::move(work), done = std::move(done)]() -> std::function<void()> {
                return [done, result = work()]() { done(result); };
            },
            atOnce);
    }

    // How many of all workers' threads are still in a call; the program's exit does not wait
    // for them.
    static int threadsAtWork();

    // While on, every call is made in place: tests of the screens, whose folders answer at
    // once, then see no thread's timing. Counted, so each on needs its off.
    static void callInPlace(bool on);

private:
    struct Mailbox;
    using Delivery = std::function<void()>;
    void runErased(std::function<Delivery()> work, std::chrono::milliseconds atOnce);

    std::shared_ptr<Mailbox> m_mailbox;
};
