// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a film full screen in Sofavio (the real program, the film chosen with X keys) and
// with the mpv command, taking turns on the same X server, and prints for each the frames
// dropped and the processor time spent while it played, read through mpv's IPC socket
// (each run's own mpv.conf or command line opens one). Median of the rounds.
// usage: bench_film SOFAVIO FILM LABEL [SECONDS] [ROUNDS]
#include "measure.h"
#include "report.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

// Processor time of a process and all its threads so far, in seconds.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The fields after the command's name, which is in brackets and may hold spaces.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

class Ipc {
public:
    bool connectTo(const QString& path, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            m_socket.connectToServer(path);
            if (m_socket.waitForConnected(200))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    std::optional<double> number(const char* property)
    {
        const QJsonObject request{{"command", QJsonArray{"get_property", property}}};
        m_socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
        while (m_socket.waitForReadyRead(2000)) {
            while (m_socket.canReadLine()) {
                const QJsonObject reply = QJsonDocument::fromJson(m_socket.readLine()).object();
                if (reply.contains(QStringLiteral("error"))) // events carry no "error"
                    return reply.value("error") == "success"
                               ? std::optional(reply.value("data").toDouble())
                               : std::nullopt;
            }
        }
        return std::nullopt;
    }

    void quit()
    {
        m_socket.write("{\"command\":[\"quit\"]}\n");
        m_socket.flush();
    }

private:
    QLocalSocket m_socket;
};

struct Playing {
    double dropped = -1;
    double shown = 0;
    double cpuPercent = -1;
};

// Waits for the film to be a second in, then counts for SECONDS.
std::optional<Playing> measure(QProcess& process, const QString& socket, int seconds)
{
    Ipc ipc;
    if (!ipc.connectTo(socket, 20000))
        return std::nullopt;
    QElapsedTimer clock;
    clock.start();
    while (ipc.number("time-pos").value_or(0) < 1.0) {
        if (clock.elapsed() > 30000)
            return std::nullopt;
        QThread::msleep(50);
    }
    const double cpu = cpuSeconds(process.processId());
    const auto dropped = ipc.number("frame-drop-count");
    const auto frame = ipc.number("estimated-frame-number");
    clock.restart();
    QThread::msleep(seconds * 1000);
    const double wall = double(clock.nsecsElapsed()) / 1e9;
    Playing playing;
    playing.cpuPercent = (cpuSeconds(process.processId()) - cpu) / wall * 100;
    playing.dropped = ipc.number("frame-drop-count").value_or(-1) - dropped.value_or(0);
    playing.shown = ipc.number("estimated-frame-number").value_or(0) - frame.value_or(0);
    ipc.quit();
    return playing;
}

void xdotool(const QStringList& keys)
{
    QProcess::execute(QStringLiteral("xdotool"), QStringList{"key", "--delay", "150"} + keys);
}

std::optional<Playing> inSofavio(const QString& program, const QString& film, int seconds)
{
    // A program folder of its own: the program, its folders.ini with the film's folder as the
    // video library, and an mpv.conf without sound that opens the IPC socket.
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("sofavio"));
    const QString socket = folder.filePath(QStringLiteral("mpv.socket"));
    const QString films = folder.filePath(QStringLiteral("Videos"));
    QDir().mkpath(films);
    QFile::link(film, films + '/' + QFileInfo(film).fileName());
    QFile::copy(program, copy);
    for (const auto& [name, text] :
         {std::pair{QStringLiteral("folders.ini"), films + "\n\n\n\n"},
          {QStringLiteral("mpv.conf"), "ao=null\ninput-ipc-server=" + socket + '\n'}}) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
            return std::nullopt;
    }
    QProcess sofavio;
    sofavio.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sofavio.start(copy, {});
    if (!sofavio.waitForStarted())
        return std::nullopt;
    QThread::msleep(2000);       // the window on screen
    xdotool({"Down", "Return"}); // Mi Cine
    QThread::msleep(500);
    xdotool({"Return"}); // the film, highlighted first
    const auto playing = measure(sofavio, socket, seconds);
    sofavio.terminate();
    sofavio.waitForFinished(5000);
    return playing;
}

std::optional<Playing> inMpv(const QString& film, int seconds)
{
    QTemporaryDir folder;
    const QString socket = folder.filePath(QStringLiteral("mpv.socket"));
    QProcess mpv;
    mpv.start(QStringLiteral("mpv"), {"--no-config", "--vo=gpu", "--gpu-sw", "--fs", "--ao=null",
                                      "--really-quiet", "--input-ipc-server=" + socket, film});
    if (!mpv.waitForStarted())
        return std::nullopt;
    const auto playing = measure(mpv, socket, seconds);
    mpv.waitForFinished(5000);
    return playing;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_film SOFAVIO FILM LABEL [SECONDS] [ROUNDS]\n");
        return 2;
    }
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString film = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    const QByteArray label = argv[3];
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 8;
    const int rounds = argc > 5 ? std::atoi(argv[5]) : 2;

    std::vector<double> ourDrops, theirDrops, ourCpu, theirCpu, shown;
    for (int round = 0; round < rounds; ++round) {
        const auto ours = inSofavio(program, film, seconds);
        const auto theirs = inMpv(film, seconds);
        if (!ours || !theirs) {
            std::fprintf(stderr, "bench_film: a film did not play (round %d)\n", round + 1);
            return 1;
        }
        std::fprintf(stderr,
                     "round %d: Sofavio %.0f dropped of %.0f, %.0f %%; mpv %.0f of %.0f, %.0f %%\n",
                     round + 1, ours->dropped, ours->shown, ours->cpuPercent, theirs->dropped,
                     theirs->shown, theirs->cpuPercent);
        ourDrops.push_back(ours->dropped);
        theirDrops.push_back(theirs->dropped);
        ourCpu.push_back(ours->cpuPercent);
        theirCpu.push_back(theirs->cpuPercent);
        shown.push_back(ours->shown);
    }
    const QByteArray drops = label + ": frames dropped in " + QByteArray::number(seconds) + " s";
    const QByteArray allowance =
        "<= mpv + " + QByteArray::number(median(shown) / 100, 'f', 1) + " (1 %)";
    reportRow(drops.constData(), median(ourDrops), "frames", allowance.constData(),
              "mpv --vo=gpu --fs", median(theirDrops));
    const QByteArray cpu = label + ": CPU while playing";
    reportRow(cpu.constData(), median(ourCpu), "% (2 cores = 200)", "<= 1.15 x mpv",
              "mpv --vo=gpu --fs", median(theirCpu));
    return 0;
}
