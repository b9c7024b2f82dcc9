// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/bigscreen.h"

#include <QByteArrayList>
#include <QtGlobal>
#include <memory>
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace {

constexpr int kDesignedRows = 1080;

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&free)>;

template <typename Reply>
ReplyPointer<Reply> owned(Reply* reply)
{
    return ReplyPointer<Reply>(reply, &free);
}

xcb_screen_t* screenNumbered(xcb_connection_t* connection, int number)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < number && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data : nullptr;
}

bool hasMonitors(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (!randr || !randr->present)
        return false;
    const auto version = owned(xcb_randr_query_version_reply(
        connection, xcb_randr_query_version(connection, 1, 5), nullptr));
    return version && (version->major_version > 1 || version->minor_version >= 5);
}

std::vector<ScreenRows> monitors(xcb_connection_t* connection, xcb_window_t root)
{
    std::vector<ScreenRows> found;
    const auto reply = owned(xcb_randr_get_monitors_reply(
        connection, xcb_randr_get_monitors(connection, root, 1), nullptr));
    if (!reply)
        return found;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        const auto name = owned(xcb_get_atom_name_reply(
            connection, xcb_get_atom_name(connection, it.data->name), nullptr));
        if (!name)
            continue;
        found.push_back({QByteArray(xcb_get_atom_name_name(name.get()),
                                    xcb_get_atom_name_name_length(name.get())),
                         it.data->height});
    }
    return found;
}

} // namespace

std::optional<ScaleSetting> bigScreenScaling(const std::vector<ScreenRows>& screens)
{
    const auto factor = [](int rows) { return qMax(1.0, double(rows) / kDesignedRows); };
    bool anyTaller = false;
    QByteArrayList perScreen;
    for (const ScreenRows& screen : screens) {
        anyTaller = anyTaller || screen.rows > kDesignedRows;
        perScreen << screen.name + '=' + QByteArray::number(factor(screen.rows), 'g', 6);
    }
    if (!anyTaller)
        return std::nullopt;
    if (screens.size() == 1 && screens.front().name.isEmpty())
        return ScaleSetting{"QT_SCALE_FACTOR",
                            QByteArray::number(factor(screens.front().rows), 'g', 6)};
    return ScaleSetting{"QT_SCREEN_SCALE_FACTORS", perScreen.join(';')};
}

std::vector<ScreenRows> x11Screens()
{
    int number = 0;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, &number), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return {};
    const xcb_screen_t* screen = screenNumbered(connection.get(), number);
    if (!screen)
        return {};
    if (hasMonitors(connection.get())) {
        auto found = monitors(connection.get(), screen->root);
        if (!found.empty())
            return found;
    }
    return {ScreenRows{QByteArray(), screen->height_in_pixels}};
}

const char* scaleForBigScreens()
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ||
        qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS"))
        return nullptr;
    // Qt draws through X when told to, or by default outside a Wayland session.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = platform.isEmpty() ? qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                        : platform.startsWith("xcb");
    if (!x11)
        return nullptr;
    const auto setting = bigScreenScaling(x11Screens());
    if (!setting)
        return nullptr;
    qputenv(setting->variable, setting->value);
    return setting->variable;
}
