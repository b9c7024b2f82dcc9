// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mpvhandle.h"

#include "platform/logging.h"

#include <QFile>
#include <clocale>
#include <mpv/client.h>
#include <vector>

namespace {

int logged(int result, const char* call, const QByteArray& what)
{
    if (result < 0)
        qCWarning(lcPlatform, "%s %s: %s", call, what.constData(), mpv_error_string(result));
    return result;
}

QVariant nodeValue(const mpv_node& node)
{
    switch (node.format) {
    case MPV_FORMAT_STRING:
        return QString::fromUtf8(node.u.string);
    case MPV_FORMAT_FLAG:
        return node.u.flag != 0;
    case MPV_FORMAT_INT64:
        return qint64(node.u.int64);
    case MPV_FORMAT_DOUBLE:
        return node.u.double_;
    case MPV_FORMAT_NODE_ARRAY: {
        QVariantList list;
        for (int i = 0; i < node.u.list->num; ++i)
            list << nodeValue(node.u.list->values[i]);
        return list;
    }
    case MPV_FORMAT_NODE_MAP: {
        QVariantMap map;
        for (int i = 0; i < node.u.list->num; ++i)
            map.insert(QString::fromUtf8(node.u.list->keys[i]), nodeValue(node.u.list->values[i]));
        return map;
    }
    default:
        return {};
    }
}

} // namespace

QVariant propertyValue(int format, const void* data)
{
    switch (format) {
    case MPV_FORMAT_STRING:
        return QString::fromUtf8(*static_cast<char* const*>(data));
    case MPV_FORMAT_DOUBLE:
        return *static_cast<const double*>(data);
    default:
        return {};
    }
}

MpvHandle::MpvHandle()
{
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    if (!m_mpv)
        qFatal("libmpv could not be created");
}

MpvHandle::~MpvHandle()
{
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    mpv_terminate_destroy(m_mpv);
}

void MpvHandle::setOption(const char* name, const QByteArray& value)
{
    logged(mpv_set_option_string(m_mpv, name, value.constData()), "option", name);
}

void MpvHandle::loadConfigFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    logged(mpv_load_config_file(m_mpv, name.constData()), "config file", name);
}

void MpvHandle::initialize()
{
    if (mpv_initialize(m_mpv) < 0)
        qFatal("libmpv could not be initialised");
}

QByteArray MpvHandle::getString(const QByteArray& name) const
{
    char* value = mpv_get_property_string(m_mpv, name.constData());
    if (!value)
        return {};
    const QByteArray bytes(value);
    mpv_free(value);
    return bytes;
}

std::optional<double> MpvHandle::getDouble(const QByteArray& name) const
{
    double value = 0;
    if (mpv_get_property(m_mpv, name.constData(), MPV_FORMAT_DOUBLE, &value) < 0)
        return std::nullopt;
    return value;
}

std::optional<qint64> MpvHandle::getInt(const QByteArray& name) const
{
    int64_t value = 0;
    if (mpv_get_property(m_mpv, name.constData(), MPV_FORMAT_INT64, &value) < 0)
        return std::nullopt;
    return value;
}

QVariant MpvHandle::getNode(const QByteArray& name) const
{
    mpv_node node;
    if (mpv_get_property(m_mpv, name.constData(), MPV_FORMAT_NODE, &node) < 0)
        return {};
    QVariant value = nodeValue(node);
    mpv_free_node_contents(&node);
    return value;
}

void MpvHandle::setString(const char* name, const QByteArray& value)
{
    logged(mpv_set_property_string(m_mpv, name, value.constData()), "property", name);
}

void MpvHandle::setFlag(const char* name, bool value)
{
    int flag = value ? 1 : 0;
    logged(mpv_set_property(m_mpv, name, MPV_FORMAT_FLAG, &flag), "property", name);
}

void MpvHandle::command(std::initializer_list<QByteArray> arguments)
{
    std::vector<const char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(argument.constData());
    argv.push_back(nullptr);
    logged(mpv_command(m_mpv, argv.data()), "command", arguments.begin()->constData());
}

void MpvHandle::observe(const char* name, int format)
{
    logged(mpv_observe_property(m_mpv, 0, name, mpv_format(format)), "observe", name);
}

void MpvHandle::addHook(const char* name)
{
    logged(mpv_hook_add(m_mpv, 0, name, 0), "hook", name);
}

void MpvHandle::continueHook(quint64 id)
{
    logged(mpv_hook_continue(m_mpv, id), "hook", "continue");
}

void MpvHandle::setWakeup(void (*wakeup)(void*), void* context)
{
    mpv_set_wakeup_callback(m_mpv, wakeup, context);
}

const mpv_event& MpvHandle::nextEvent()
{
    return *mpv_wait_event(m_mpv, 0);
}

QString mpvErrorInSpanish(int error)
{
    switch (error) {
    case MPV_ERROR_UNKNOWN_FORMAT:
        return QStringLiteral("el formato del archivo no se reconoce");
    case MPV_ERROR_LOADING_FAILED:
        return QStringLiteral("el archivo no se pudo abrir");
    case MPV_ERROR_NOTHING_TO_PLAY:
        return QStringLiteral("el archivo no contiene sonido ni imagen que reproducir");
    case MPV_ERROR_AO_INIT_FAILED:
        return QStringLiteral("no se pudo iniciar la salida de sonido");
    case MPV_ERROR_VO_INIT_FAILED:
        return QStringLiteral("no se pudo iniciar la salida de vídeo");
    default:
        return QStringLiteral("error del reproductor (%1)")
            .arg(QString::fromUtf8(mpv_error_string(error)));
    }
}
