// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QVariantMap>

class Playback;

// The desktop's media controls, playerctl and phone remotes speak MPRIS on the session bus:
// they see what plays and play, pause, stop, skip and seek it as the remote's keys would.
class MprisService : public QObject {
    Q_OBJECT
public:
    explicit MprisService(Playback& playback, QObject* parent = nullptr);

    // Takes the player's name on the session bus; false without a bus or when taken.
    bool publish();

    Playback& playback() { return m_playback; }
    QString playbackStatus() const;
    QVariantMap metadata() const;

signals:
    // The desktop asks for the program's window, or for the program to end.
    void raiseRequested();
    void quitRequested();

private:
    // Tells listeners what changed since they were last told.
    void announceChanges();

    Playback& m_playback;
    QString m_status;
    QVariantMap m_metadata;
    int m_track = 0;
};

class MprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ uriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ mimeTypes)
public:
    explicit MprisRoot(MprisService& service);
    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Sofavio"); }
    QString desktopEntry() const { return QStringLiteral("org.sofavio.Sofavio"); }
    QStringList uriSchemes() const { return {QStringLiteral("file")}; }
    QStringList mimeTypes() const { return {}; }

public slots:
    void Raise();
    void Quit();

private:
    MprisService& m_service;
};

class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double Rate READ one)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(double Volume READ one)
    Q_PROPERTY(bool CanGoNext READ yes)
    Q_PROPERTY(bool CanGoPrevious READ yes)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanSeek READ yes)
    Q_PROPERTY(bool CanControl READ yes)
public:
    explicit MprisPlayer(MprisService& service);
    QString playbackStatus() const { return m_service.playbackStatus(); }
    QVariantMap metadata() const { return m_service.metadata(); }
    qlonglong position() const;
    double one() const { return 1.0; }
    bool yes() const { return true; }

public slots:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong position);
    void OpenUri(const QString& uri);

signals:
    void Seeked(qlonglong position);

private:
    MprisService& m_service;
};
