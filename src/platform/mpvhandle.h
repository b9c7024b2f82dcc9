// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <optional>

struct mpv_handle;
struct mpv_event;

// One libmpv instance, shared by the player and the surface that draws its film. Each call is
// typed; a request mpv refuses is not fatal to the program, but never passes unseen: it is
// logged with mpv's reason.
class MpvHandle {
public:
    // libmpv refuses to start under a locale whose decimal separator is not a dot.
    MpvHandle();
    ~MpvHandle();
    MpvHandle(const MpvHandle&) = delete;
    MpvHandle& operator=(const MpvHandle&) = delete;

    mpv_handle* raw() const { return m_mpv; }

    // Before initialize(): options, and a configuration file, applied in the order given.
    void setOption(const char* name, const QByteArray& value);
    void loadConfigFile(const QString& path);
    void initialize();

    QByteArray getString(const QByteArray& name) const;
    std::optional<double> getDouble(const QByteArray& name) const;
    std::optional<qint64> getInt(const QByteArray& name) const;
    // Lists and maps (track-list, metadata) as QVariantList and QVariantMap.
    QVariant getNode(const QByteArray& name) const;
    void setString(const char* name, const QByteArray& value);
    void setFlag(const char* name, bool value);
    void command(std::initializer_list<QByteArray> arguments);

    // mpv sends the property's changes as events, as a double or a string (mpv_format).
    void observe(const char* name, int format);
    // mpv waits at the hook until continueHook() is called with its id.
    void addHook(const char* name);
    void continueHook(quint64 id);
    // Called on one of mpv's threads whenever an event waits to be read.
    void setWakeup(void (*wakeup)(void*), void* context);
    // The next event, without waiting; MPV_EVENT_NONE when there is none.
    const mpv_event& nextEvent();

private:
    mpv_handle* m_mpv = nullptr;
};

// An observed property's value as an event carries it, as a double or a QString; an invalid
// QVariant while the property has no value.
QVariant propertyValue(int format, const void* data);

// What an error of mpv's means, in a few Spanish words.
QString mpvErrorInSpanish(int error);
